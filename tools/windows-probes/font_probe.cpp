// font_probe.cpp - prints the face, weight and Japanese coverage that Qt
// resolves for the score sheet's font on this system, as
// "<family>|<weight>|<曲 drawn by that face: 1 or 0>". The Windows tour runs
// it beside the installed program under Wine, where the face a player sees is
// otherwise only a picture.
#include "ui/frmACScore.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>

#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QFont font = nk::sheetFont();
  const QFontInfo info(font);
  std::printf("%s|%d|%d\n", info.family().toUtf8().constData(), info.weight(),
              QFontMetrics(font).inFontUcs4(0x66F2) ? 1 : 0);
  return 0;
}
