// sheet_font.cpp - the sheet's face and its stand-ins.
#include "ui/sheet_font.h"

#include <QStringList>

namespace nk {

QFont sheetFont() {
  const QString face = QStringLiteral("ＭＳ Ｐ明朝");
  // Windows of another system locale list the face by its English name only;
  // then the faces nearest to it: Windows' newer Mincho, and IPA's (Linux, Wine).
  QFont::insertSubstitutions(face, {QStringLiteral("MS PMincho"), QStringLiteral("Yu Mincho"),
                                    QStringLiteral("IPAPMincho")});
  QFont font(face);
  font.setStyleHint(QFont::Serif);
  font.setPointSizeF(14.25);
  font.setWeight(QFont::Bold);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

}  // namespace nk
