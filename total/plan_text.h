// plan_text.h - the texts of the target total and its plan in the breakdown
// window: the target's line, the plan's summary and one row per planned
// chart; and the marks of a trial. The window builds no text of its own.
#pragma once

#include "data/score_state.h"
#include "total/target_plan.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nk {

inline constexpr const char* TargetTitle = "目標総合得点";
// After the total's line while a trial runs, and the trial's note.
inline constexpr const char* TrialMark = "（試算）";
inline constexpr const char* TrialNote =
    "試算中：表の点数をダブルクリックして入力します。シートとファイルは変わりません。";

// "目標総合得点 1,300,000点　目標まで あと 123,456点", or
// "目標総合得点 1,300,000点　目標達成（12,345点 上回っています）", or
// "目標総合得点 未設定".
std::string targetLine(std::optional<int64_t> target, int64_t total);

// What the plan does: how many charts close the gap, or how far the whole
// plan gets; empty without a target.
std::string planSummary(std::optional<int64_t> target, const TargetPlan& plan);

struct PlanRow {
  std::string level;   // "☆×10"
  std::string title;
  std::string chart;   // "表" or "裏"
  std::string now;     // "912,345"
  std::string needed;  // "980,000"
  std::string raise;   // "+67,655"
  int16_t displayPosition = -1;
  Chart kind = Chart::Normal;  // what chart names
};
enum PlanColumn { PlanColLevel, PlanColTitle, PlanColChart, PlanColNow, PlanColNeeded, PlanColRaise, PlanColumns };
const char* planColumnName(int column);

std::vector<PlanRow> planRows(const ScoreSheetState& s, const TargetPlan& plan, const std::vector<int16_t>& positions);

// The typed target refused: what it must be.
std::string targetRefusal();

}  // namespace nk
