// improvement_view.h - what the tab "更新履歴" of the history window shows of
// the log of improvements: its records newest first within a period, the
// count of charts and the points they gained in it, and each row's texts,
// made when the row is asked for.
#pragma once

#include "data/improvement_log.h"
#include "data/moment.h"
#include "data/score_state.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace nk {

inline constexpr const char* ImprovementTabTitle = "更新履歴";

enum class ImprovementPeriod { Today, Week, Month, All };
inline constexpr std::array<ImprovementPeriod, 4> ImprovementPeriods = {
    ImprovementPeriod::Today, ImprovementPeriod::Week, ImprovementPeriod::Month, ImprovementPeriod::All};
// "今日", "7日間", "30日間", "すべて".
const char* periodName(ImprovementPeriod period);
// The first instant of the period on the clock of now: the start of today,
// of the day 6 or 29 days before it; the earliest instant for All.
std::chrono::sys_seconds periodStart(ImprovementPeriod period, const Moment& now);

struct ImprovementRow {
  std::string time;    // "2026-11-02 20:41"
  std::string title;
  std::string chart;   // "表" or "裏"
  std::string level;   // as the sheet shows it: "10", "？"; empty when the chart is gone
  std::string scores;  // "700,000 → 712,345"
  std::string change;  // "+12,345"
  int16_t displayPosition = -1;  // of its entry on the sheet; -1 when it has none
  Chart kind = Chart::Normal;    // what chart names
};

enum ImprovementColumn { ImpColTime, ImpColTitle, ImpColChart, ImpColLevel, ImpColScores, ImpColChange,
                         ImprovementColumns };
const char* improvementColumnName(int column);

struct ImprovementList {
  // Never null; the log in file order.
  std::shared_ptr<const std::vector<Improvement>> log = std::make_shared<const std::vector<Improvement>>();
  // The records of the period, as indices into the log, newest first.
  std::vector<uint32_t> rows;
  size_t charts = 0;   // distinct charts changed in the period
  int64_t points = 0;  // their scores' change in the period, summed
  // "更新した譜面 3　点数の増減 +12,345", or why the log could not be read.
  std::string summary;
};

// The log of a version as the tab shows it, with a note of what it could not
// show: how many old records it left out, or why it could not read the file.
struct ImprovementLog {
  std::shared_ptr<const std::vector<Improvement>> records = std::make_shared<const std::vector<Improvement>>();
  std::string note;
};
ImprovementLog loadImprovementLog(int16_t versionNumber, size_t most = MostImprovements);

// The records of log in the period that starts at `from`, newest first.
ImprovementList improvementsSince(std::shared_ptr<const std::vector<Improvement>> log, std::chrono::sys_seconds from);

// The row of log[index] for the sheet s (titles and levels), with the entries'
// display positions (displayPositions of data/sheet_catalogue.h).
ImprovementRow improvementRowAt(const ScoreSheetState& s, const std::vector<int16_t>& positions,
                                const Improvement& record);

}  // namespace nk
