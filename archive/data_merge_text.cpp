// data_merge_text.cpp - the texts of the import's plan: its list's columns
// and cells, its summary and the box when it is done.
#include "archive/data_merge.h"

#include "data/display_text.h"
#include "data/numeric.h"
#include "domain/arcade_version.h"

#include <array>

namespace nk {

const char* reasonText(ChangeReason reason) {
  return reason == ChangeReason::LaterChange ? "後の変更" : "高い点数";
}

const char* importColumnName(int column) {
  static constexpr std::array<const char*, ImportColumns> names = {"版", "曲名", "譜面", "このPC", "読み込み後", "理由"};
  return column >= 0 && column < ImportColumns ? names[static_cast<size_t>(column)] : "";
}

std::vector<std::string> changeCells(const ChartChange& change) {
  return {versionLabel(change.versionNumber),
          change.title.empty() ? "曲番号 " + decimalText(change.entryNo) : change.title,
          chartMark(change.chart),
          groupedDecimal(change.here),
          groupedDecimal(change.imported),
          reasonText(change.reason)};
}

std::string importSummary(const ImportPlan& plan, const DataFiles& imported) {
  std::string text = minuteText(imported.written) + " に書き出したデータです。";
  if (plan.writes.empty()) return text + "このPCのデータと同じか、このPCの方が新しいので、何も変わりません。";
  for (const std::string& note : plan.notes) text += "\n" + note;
  if (plan.chartsKept > 0)
    text += "\nこのPCの点数を残す譜面: " + groupedDecimal(static_cast<int64_t>(plan.chartsKept));
  return text;
}

std::string importDoneText(const ImportPlan& plan) {
  return "データを読み込みました（点数が変わった譜面: " + groupedDecimal(static_cast<int64_t>(plan.changes.size())) + "）。";
}

}  // namespace nk
