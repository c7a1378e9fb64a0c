// history_view.h - what the window "記録の推移" shows of the history file:
// the points of the chart, the rows of the list and their texts. Numbers are
// grouped by our own code ("12,345"), never by the locale, so every machine
// shows the same text.
#pragma once

#include "data/score_history.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace nk {

inline constexpr const char* HistoryWindowTitle = "記録の推移";
inline constexpr const char* HistorySparseNote = "保存するたびに点が増えます。";

struct HistoryPoint {
  int64_t msecs = 0;  // since 1970-01-01 UTC
  int64_t total = 0;
  PerCountedLevel levelSums{};  // in CountedLevelNumbers' order
};

struct HistoryRow {
  std::string time;    // "2026-12-07 20:41", as it was on the clock of the save
  std::string total;   // "1,234,567"
  std::string change;  // "+12,345" since the record before; empty for the first
  std::array<std::string, CountedLevels> levelSums;
  std::string entered;
};

struct HistoryView {
  std::vector<HistoryPoint> points;  // in the file's order: oldest first
  std::vector<HistoryRow> rows;      // newest first
  // The time axis: the points' span, widened to a day around a single point
  // (or the last week before now when there is none).
  int64_t firstMsecs = 0;
  int64_t lastMsecs = 0;
  // The value axis runs from 0 to the highest total (1 when there is none).
  int64_t highest = 1;
  // Below the chart: HistorySparseNote with fewer than two records; why the
  // file could not be read, when it could not.
  std::string note;
};

// "1,234,567", "-1,000", "0".
std::string groupedDecimal(int64_t value);
// "+12,345", "-1,000", "±0".
std::string signedGroupedDecimal(int64_t value);

HistoryView historyViewOf(const std::vector<HistoryRecord>& records, int64_t nowMsecs);
// Reads the history of the version and builds its view.
HistoryView loadHistoryView(int16_t versionNumber, int64_t nowMsecs);

}  // namespace nk
