// display_text.h - the one home of what the player reads in numbers, points,
// level names, dates and the notes of a failed save: numbers grouped by our
// own code ("12,345"), never by the locale, dates and times on the clock of the
// moment they show, so that every machine shows the same text.
//
// The rule for points, one per kind of window and the same within a window:
//  - the sheet, its "総合得点" box and the debug log write plain decimal
//    ("2200000点"), as the original program does (total_score.cpp);
//  - every tool window of our own (breakdown with its plan, trial and
//    statistics tabs, history and its plot, the day's progress, import, paste)
//    groups digits ("2,200,000点");
//  - what leaves for a spreadsheet (the breakdown's CSV and clipboard text)
//    writes plain decimal, so that a cell of digits stays a number there.
// Version labels ("AC13") live beside the versions in domain/arcade_version.h.
#pragma once

#include "data/moment.h"
#include "platform/file_replace.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace nk {

// "1,234,567", "-1,000", "0".
std::string groupedDecimal(int64_t value);
// "+12,345", "-1,000", "±0".
std::string signedGroupedDecimal(int64_t value);

// How a text writes its numbers (see the rule above).
enum class Digits { Grouped, Plain };
// "1,234,567点" (Grouped) or "1234567点" (Plain).
std::string pointsText(int64_t value, Digits digits = Digits::Grouped);

// "☆×７", "☆×８", "☆×９" (full-width digits) and "☆×10", as the "合計" box
// writes the counted levels; any other level in ASCII digits ("☆×6").
std::string levelName(int16_t level);
// "☆7" .. "☆10": the short form of the history's columns and plot.
std::string shortLevelName(int16_t level);

// "2026-11-02": the date on the clock of the moment.
std::string dateText(const Moment& moment);
// "2026-12-31 23:59": its date and minute.
std::string minuteText(const Moment& moment);
// "2026-12-31 23:59:58": a time on this machine's clock to the second.
std::string secondText(std::chrono::local_seconds local);

// "古い記録 12,345 件は表示していません。"
std::string leftOutNote(uint64_t leftOut);
// "ファイル ac13history.csv を読めません（<cause>）。"
std::string unreadableNote(const std::string& fileName, const std::string& cause);

// "<what>は保存されていません".
std::string notSavedText(std::string_view what);
// Appends to a failed write's failure what became of the save and the file:
// "<what>は保存されていません（<file>は変更していません）。", or "…（<file>は書き
// かけの状態かもしれません）。" when the old file may be half written.
void addNotSavedNote(FileWriteResult& result, std::string_view what, std::string_view file = "元のファイル");

}  // namespace nk
