// today_card.cpp - the card's layout and painting.
#include "ui/today_card.h"

#include <QBuffer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

namespace nk {
namespace {

constexpr int Margin = 56;
constexpr int Right = TodayCardWidth - Margin;
constexpr int LineHeight = 42;
const QColor Ink(0xf4, 0xf1, 0xe8);
const QColor Faint(0xb8, 0xc0, 0xd0);
const QColor Gold(0xf2, 0xc1, 0x4e);

QString q(const std::string& s) { return QString::fromStdString(s); }

QFont sized(QFont font, int pixels, bool bold) {
  font.setPixelSize(pixels);
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  return font;
}

// The largest size up to pixels at which text fits into width.
QFont fitted(const QFont& base, int pixels, bool bold, const QString& text, int width) {
  QFont font = sized(base, pixels, bold);
  while (pixels > 12 && QFontMetrics(font).horizontalAdvance(text) > width) font = sized(base, pixels -= 4, bold);
  return font;
}

void put(QPainter& p, const QFont& font, const QColor& color, const QRect& box, int flags, const QString& text) {
  p.setFont(font);
  p.setPen(color);
  p.drawText(box, flags | Qt::TextSingleLine, text);
}

void paintCharts(QPainter& p, const QFont& base, const TodayCardText& t, int top) {
  const QFont font = sized(base, 30, true);
  const QFontMetrics metrics(font);
  int y = top;
  for (const ProgressChart& c : t.charts) {
    const QString right = q(c.scores) + QStringLiteral("　") + q(c.change);
    const int rightWidth = metrics.horizontalAdvance(right);
    const int titleWidth = Right - Margin - rightWidth - 24;
    const QRect line(Margin, y, Right - Margin, LineHeight);
    put(p, font, Ink, line, Qt::AlignLeft | Qt::AlignVCenter, metrics.elidedText(q(c.title), Qt::ElideRight, titleWidth));
    put(p, font, Gold, line, Qt::AlignRight | Qt::AlignVCenter, right);
    y += LineHeight;
  }
  if (!t.nothing.empty())
    put(p, sized(base, 36, true), Faint, QRect(Margin, top, Right - Margin, LineHeight * 3), Qt::AlignCenter,
        q(t.nothing));
}

}  // namespace

QImage paintTodayCard(const TodayCardText& t, const QFont& font) {
  // The face the sheet really shows: at other weights and sizes a face that
  // stands in by substitution may lose its place to the system's fallback.
  const QFont base(QFontInfo(font).family());
  QImage card(TodayCardWidth, TodayCardHeight, QImage::Format_RGB32);
  QPainter p(&card);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  QLinearGradient sky(0, 0, 0, TodayCardHeight);
  sky.setColorAt(0, QColor(0x1b, 0x26, 0x4a));
  sky.setColorAt(1, QColor(0x0c, 0x11, 0x24));
  p.fillRect(card.rect(), sky);

  const QString versionDay = q(t.versionDay);
  const QFont small = sized(base, 36, false);
  const int versionWidth = QFontMetrics(small).horizontalAdvance(versionDay);
  put(p, sized(base, 52, true), Ink, QRect(Margin, 34, Right - Margin - versionWidth - 24, 72),
      Qt::AlignLeft | Qt::AlignVCenter, q(t.heading));
  put(p, small, Faint, QRect(Margin, 34, Right - Margin, 72), Qt::AlignRight | Qt::AlignVCenter, versionDay);
  p.fillRect(QRect(Margin, 122, Right - Margin, 4), Gold);

  put(p, sized(base, 32, false), Faint, QRect(Margin, 140, 400, 44), Qt::AlignLeft | Qt::AlignVCenter, q(t.caption));
  const QString difference = q(t.difference);
  const QFont differenceFont = fitted(base, 76, true, difference, 380);
  const int differenceWidth = QFontMetrics(differenceFont).horizontalAdvance(difference);
  const QString total = q(t.total);
  put(p, fitted(base, 108, true, total, Right - Margin - differenceWidth - 32), Ink, QRect(Margin, 180, Right - Margin, 128),
      Qt::AlignLeft | Qt::AlignBottom, total);
  put(p, differenceFont, Gold, QRect(Margin, 180, Right - Margin, 120), Qt::AlignRight | Qt::AlignBottom, difference);
  put(p, sized(base, 30, false), Faint, QRect(Margin, 308, Right - Margin, 40), Qt::AlignRight | Qt::AlignVCenter,
      q(t.from));
  if (!t.passed.empty()) {
    const QString from = q(t.from), passed = q(t.passed);
    const QFont passedFont = fitted(base, 30, true, passed, Right - Margin - QFontMetrics(sized(base, 30, false)).horizontalAdvance(from) - 24);
    put(p, passedFont, Gold, QRect(Margin, 308, Right - Margin, 40), Qt::AlignLeft | Qt::AlignVCenter, passed);
  }
  p.fillRect(QRect(Margin, 360, Right - Margin, 2), Faint);

  paintCharts(p, base, t, 372);
  const QFont footer = sized(base, 28, false);
  const QRect bottom(Margin, TodayCardHeight - 48, Right - Margin, 36);
  put(p, footer, Faint, bottom, Qt::AlignLeft | Qt::AlignVCenter, q(t.more));
  put(p, footer, Gold, bottom, Qt::AlignRight | Qt::AlignVCenter, q(t.counted));
  return card;
}

QByteArray todayCardPng(const QImage& card) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!card.save(&buffer, "PNG")) return {};
  return bytes;
}

}  // namespace nk
