// save_records.cpp - a save's records beside the score file, and its warning.
#include "sheet/save_records.h"

#include "data/chart_changes.h"
#include "total/total_breakdown.h"

namespace nk {
namespace {

std::string failureText(const std::string& fileName, const std::string& cause) {
  return "ファイル " + fileName + " に記録を書き込めません（" + cause + "）。点数は保存されています。";
}

}  // namespace

HistoryRecord historyRecordOf(const ScoreSheetState& s, const Moment& now) {
  HistoryRecord record;
  static_cast<TotalSummary&>(record) = summarizeTotal(s);
  record.time = now;
  return record;
}

HistorySaveResult recordSaveInHistory(const ScoreSheetState& s, const Moment& now) {
  const std::string fileName = logFileName(HistoryFormat, s.VersionNumber);
  const AppendResult appended = appendHistoryRecord(fileName, historyRecordOf(s, now));
  if (!appended.ok) return {false, failureText(fileName, appended.cause)};
  return {appended.appended, {}};
}

SaveRecords recordSave(const ScoreSheetState& s, const SheetScores& before, const Moment& now) {
  SaveRecords result;
  static_cast<HistorySaveResult&>(result) = recordSaveInHistory(s, now);
  std::vector<Improvement> changes = improvementsOf(s, before, now);
  const std::string fileName = logFileName(ImprovementFormat, s.VersionNumber);
  const AppendResult logged = appendImprovements(fileName, changes);
  if (logged.ok)
    result.improvements = std::move(changes);
  else if (result.failure.empty())
    result.failure = failureText(fileName, logged.cause);
  return result;
}

}  // namespace nk
