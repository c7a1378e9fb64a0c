// display_text.h - how the windows and the load write dates and numbers:
// numbers grouped by our own code ("12,345"), never by the locale, dates and
// times on the clock of the moment they show, so that every machine shows
// the same text; and the notes of a log that is shown only in part or not at all.
#pragma once

#include "data/moment.h"

#include <cstdint>
#include <string>

namespace nk {

// "1,234,567", "-1,000", "0".
std::string groupedDecimal(int64_t value);
// "+12,345", "-1,000", "±0".
std::string signedGroupedDecimal(int64_t value);

// "2026-11-02": the date on the clock of the moment.
std::string dateText(const Moment& moment);
// "2026-12-31 23:59": its date and minute.
std::string minuteText(const Moment& moment);

// "古い記録 12,345 件は表示していません。"
std::string leftOutNote(uint64_t leftOut);
// "ファイル ac13history.csv を読めません（<cause>）。"
std::string unreadableNote(const std::string& fileName, const std::string& cause);

}  // namespace nk
