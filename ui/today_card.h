// today_card.h - the picture of a day's progress that "画像を保存…" writes: a
// card of 1200 × 630 pixels (the size that sharing sites show whole) in the
// sheet's Mincho, its total and difference large enough to read when a phone
// shrinks the card to a third.
//
// It paints the texts of today_progress.h and nothing else: every number and
// word on it was made there. A title too long for its line is cut with "…".
#pragma once

#include "history/today_progress.h"

#include <QFont>
#include <QImage>

namespace nk {

inline constexpr int TodayCardWidth = 1200;
inline constexpr int TodayCardHeight = 630;

// The card of text, in font's family (its size and weight are the card's own).
QImage paintTodayCard(const TodayCardText& text, const QFont& font);

// The card as PNG bytes; empty when it could not be encoded.
QByteArray todayCardPng(const QImage& card);

}  // namespace nk
