// plan_text.cpp - the target's line, the plan's summary and rows.
#include "total/plan_text.h"

#include "data/display_text.h"
#include "data/sheet_catalogue.h"
#include "data/target_total.h"
#include "total/breakdown_text.h"

#include <array>

namespace nk {
namespace {


}  // namespace

std::string targetLine(std::optional<int64_t> target, int64_t total) {
  const std::string head = std::string(TargetTitle) + " ";
  if (!target) return head + "未設定";
  const int64_t gap = *target - total;
  if (gap > 0) return head + pointsText(*target) + "　目標まで あと " + pointsText(gap);
  if (gap == 0) return head + pointsText(*target) + "　目標達成";
  return head + pointsText(*target) + "　目標達成（" + pointsText(-gap) + " 上回っています）";
}

std::string planSummary(std::optional<int64_t> target, const TargetPlan& plan) {
  if (!target) return "目標総合得点を設定すると、届くまでに上げる譜面を示します。";
  if (plan.gap <= 0) return "目標に届いています。";
  const std::string charts = groupedDecimal(static_cast<int64_t>(plan.charts.size())) + "譜面";
  if (plan.closes()) return charts + "を上げると目標に届きます（各レベルの最高点を超えない点数で）。";
  if (plan.charts.empty())
    return "対象の譜面はどれも各レベルの最高点にあり、上げる余地がありません。目標まで あと " + pointsText(plan.gap) + "。";
  return charts + "をすべて上げても " + signedGroupedDecimal(plan.closed) + "点で、目標まで あと " +
         pointsText(plan.gap - plan.closed) + "。";
}

const char* planColumnName(int column) {
  static constexpr std::array<const char*, PlanColumns> names = {"レベル", "曲名", "譜面", "今の点数", "必要な点数", "上げ幅"};
  return column >= 0 && column < PlanColumns ? names[static_cast<size_t>(column)] : "";
}

std::vector<PlanRow> planRows(const ScoreSheetState& s, const TargetPlan& plan, const std::vector<int16_t>& positions) {
  std::vector<PlanRow> rows;
  rows.reserve(plan.charts.size());
  for (const PlannedChart& c : plan.charts) {
    const size_t entry = targetEntry(s, c.target);
    const Chart chart = targetChart(s, c.target);
    rows.push_back({levelName(c.level), entryTitle(s, entry), chartMark(chart), groupedDecimal(c.now),
                    groupedDecimal(c.needed), signedGroupedDecimal(int64_t{c.needed} - c.now), positions.at(entry), chart});
  }
  return rows;
}

std::string targetRefusal() {
  return "目標総合得点は 1 から " + groupedDecimal(HighestTargetTotal) + " までの整数で入力してください（空欄で目標なし）。";
}

}  // namespace nk
