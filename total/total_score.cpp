// total_score.cpp - the "合計" box and log lines built from the breakdown.
#include "total/total_score.h"

#include "data/display_text.h"
#include "data/numeric.h"
#include "data/sheet_catalogue.h"
#include "diag/debug_log.h"
#include "total/total_breakdown.h"
#include "toolkit/toolkit.h"

#include <algorithm>

namespace nk {
namespace {

// "☆×７　収録曲" .. "☆×10　収録曲".
std::string countHeading(size_t slot) { return levelName(CountedLevelNumbers[slot]) + "　収録曲"; }
// "☆×７　総合対象曲" .. "☆×10　総合対象曲".
std::string resultHeading(size_t slot) { return levelName(CountedLevelNumbers[slot]) + "　総合対象曲"; }

}  // namespace

TotalScoreResult calculateTotalScore(const ScoreSheetState& s) {
  TotalBreakdown b = computeTotalBreakdown(s);
  TotalScoreResult r;
  const size_t targets = b.targetScores.size();
  r.logBefore.reserve(targets + CountedLevels + 1);
  r.logBefore.emplace_back("総合点計算処理　開始");
  for (size_t i = 0; i < targets; ++i)
    r.logBefore.push_back(targetTitle(s, i) + (targetChart(s, i) == Chart::Ura ? "(裏): " : ": ") +
                          decimalText(b.targetScores[i]) + "点");
  for (size_t l = 0; l < CountedLevels; ++l) {
    r.counts[l] = b.levels[l].count;
    r.quotas[l] = b.levels[l].quota;
    r.logBefore.push_back(countHeading(l) + decimalText(r.counts[l]) + "曲／課題曲" +
                          decimalText(r.quotas[l]) + "曲");
  }
  for (size_t l = 0; l < CountedLevels; ++l) {
    r.resultText += resultHeading(l);
    r.resultText += "\r\n";
    for (const ChartStanding& c : b.levels[l].charts) {
      if (!c.counts) break;
      r.resultText += decimalText(c.score) + "点 " + targetTitle(s, c.target) + "\r\n";
    }
  }
  r.total = b.total;
  r.targetScores = std::move(b.targetScores);
  r.resultText += "総合得点 " + decimalText(r.total) + "点\r\n";
  r.logAfter = {"総合点 " + decimalText(r.total) + "点", "総合点計算処理　終了"};
  return r;
}

void showTotalScore(const DebugLog& log, ScoreSheetState& s) {
  TotalScoreResult r = calculateTotalScore(s);
  s.TargetScore = std::move(r.targetScores);
  for (const std::string& line : r.logBefore) PutLog(log, line);
  toolkit().messageBox(r.resultText, "総合得点", MsgIcon::None);
  for (const std::string& line : r.logAfter) PutLog(log, line);
}

}  // namespace nk
