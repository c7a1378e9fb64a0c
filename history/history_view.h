// history_view.h - what the window "記録の推移" shows of the history file:
// the records for the chart, the rows of the list and their texts, written
// as display_text.h writes them.
//
// The records are held as numbers only (HistoryRecord), shared by the chart
// and the list, and a row's texts are made when the row is asked for, so a
// history of a million records costs its numbers and nothing per row.
#pragma once

#include "data/display_text.h"
#include "data/total_history.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace nk {

inline constexpr const char* HistoryWindowTitle = "記録の推移";
inline constexpr const char* HistorySparseNote = "保存するたびに点が増えます。";

struct HistoryRow {
  std::string time;    // "2026-12-07 20:41", as it was on the clock of the save
  std::string total;   // "1,234,567"
  std::string change;  // "+12,345" since the record before; empty for the first
  std::array<std::string, CountedLevels> levelSums;
  std::string entered;
};

struct HistoryView {
  // In the file's order, oldest first; never null.
  std::shared_ptr<const std::vector<HistoryRecord>> records = std::make_shared<const std::vector<HistoryRecord>>();
  // The total of the record before the first one held, when older records
  // were left out, so the first row still shows its change.
  std::optional<int64_t> totalBefore;
  // The time axis: the records' span, widened to a day around a single one
  // (or the last week before now when there is none).
  int64_t firstMsecs = 0;
  int64_t lastMsecs = 0;
  // The value axis runs from 0 to the highest value of the lines, the total
  // or a level's sum (1 when there is none); down to the lowest one when a
  // line goes below 0 (negative scores).
  int64_t highest = 1;
  int64_t lowest = 0;
  // Below the chart: HistorySparseNote with fewer than two records; how many
  // old records were left out; why the file could not be read, when it could not.
  std::string note;

  size_t rowCount() const { return records->size(); }
};

// The list's row `row`, newest first (row 0 is the last record).
HistoryRow historyRowAt(const HistoryView& view, size_t row);

HistoryView historyViewOf(std::vector<HistoryRecord> records, int64_t nowMsecs, uint64_t leftOut = 0,
                          std::optional<int64_t> totalBefore = std::nullopt);
// Reads the history of the version (its most recent `most` records) and builds its view.
HistoryView loadHistoryView(int16_t versionNumber, int64_t nowMsecs, size_t most = MostHistoryEntries);

}  // namespace nk
