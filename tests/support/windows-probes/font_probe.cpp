// font_probe.cpp - prints the face, weight and Japanese coverage that Qt
// resolves for the score sheet's font on this system, and the face and weight
// that GDI then selects for it, as
// "<family>|<weight>|<曲 drawn by that face: 1 or 0>|<GDI face>|<GDI weight>".
// The Windows tour runs it beside the installed program under Wine, where the
// face a player sees is otherwise only a picture.
#include "ui/sheet_font.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>

#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QFont font = nk::sheetFont();
  const QFontInfo info(font);
  LOGFONTW asked{};
  asked.lfHeight = -info.pixelSize();
  asked.lfWeight = info.weight();
  asked.lfCharSet = SHIFTJIS_CHARSET;
  const std::wstring face = info.family().toStdWString();
  face.copy(asked.lfFaceName, LF_FACESIZE - 1);
  HDC dc = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, ::CreateFontIndirectW(&asked));
  wchar_t selected[LF_FACESIZE] = {};
  ::GetTextFaceW(dc, LF_FACESIZE, selected);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::DeleteObject(::SelectObject(dc, old));
  ::ReleaseDC(nullptr, dc);
  std::printf("%s|%d|%d|%s|%ld\n", info.family().toUtf8().constData(), info.weight(),
              QFontMetrics(font).inFontUcs4(0x66F2) ? 1 : 0, QString::fromWCharArray(selected).toUtf8().constData(),
              metrics.tmWeight);
  return 0;
}
