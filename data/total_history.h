// total_history.h - the history of totals "ac<VersionNumber>history.csv":
// one record per save that changed the total's summary, beside the score file
// and independent of it. An appended log (appended_log.h) of this format.
//
// Records are "time,total,sum of ☆7,☆8,☆9,☆10,charts entered" after the
// header line HistoryHeader; the time is the save's moment in its text form
// (moment.h). Reading passes over every line that is not a complete record:
// a torn last line, a field that is not a number, a wrong count of fields,
// the header.
#pragma once

#include "data/appended_log.h"
#include "data/moment.h"
#include "domain/ranking_rule.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nk {

inline constexpr const char* HistoryHeader = "日時,総合得点,☆7,☆8,☆9,☆10,入力済み譜面";
inline constexpr LogFormat HistoryFormat{"history", HistoryHeader};

// A summary of the total with the moment of its save. Compared as a
// TotalSummary, it asks "did anything change" without the time.
struct HistoryRecord : TotalSummary {
  Moment time;
};

// The most records of a history the window holds: the most recent ones.
// The window costs about 140 MB a million records (64 bytes each for the
// numbers, the rest the list view and the window), so two million
// keep it near 300 MB on a player's machine. A save a minute, day and night,
// takes almost four years to write them; a player saves a few dozen times an
// evening, so only a file grown by some fault or by hand goes past it.
inline constexpr size_t MostHistoryEntries = 2'000'000;

// A record's line with its CR LF.
std::string historyLine(const HistoryRecord& record);
// The record of one line (without its line end); nothing when it is not one.
std::optional<HistoryRecord> parseHistoryLine(std::string_view line);

// The most recent `most` records of the file at path, read piece by piece; a
// missing file is an empty history.
RecentRecords<HistoryRecord> readRecentHistory(const std::string& path, size_t most = MostHistoryEntries);

// Appends record to the file at path, unless its summary is that of the
// file's last complete record (a history without one always takes it); only
// the file's tail is read for that, further back only while it holds no
// complete record. A read-only file (no write permission for anyone) is
// refused even for an administrator, as the score file's save does.
AppendResult appendHistoryRecord(const std::string& path, const HistoryRecord& record);

}  // namespace nk
