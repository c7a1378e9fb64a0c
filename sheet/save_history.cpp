// save_history.cpp - deciding whether a save adds a record, and adding it.
#include "sheet/save_history.h"

#include "diag/debug_log.h"
#include "sheet/chart_changes.h"
#include "sheet/total_breakdown.h"
#include "toolkit/toolkit.h"

namespace nk {
namespace {

std::string failureText(const std::string& fileName, const std::string& cause) {
  return "ファイル " + fileName + " に記録を書き込めません（" + cause + "）。点数は保存されています。";
}

}  // namespace

HistoryRecord historyRecordOf(const ScoreSheetState& s, std::time_t now) {
  const TotalSummary summary = summarizeTotal(s);
  HistoryRecord record;
  static_cast<TotalSummary&>(record) = summary;
  record.time = isoLocalTime(now);
  record.epochSeconds = static_cast<int64_t>(now);
  return record;
}

bool addsToHistory(const std::vector<HistoryRecord>& records, const HistoryRecord& candidate) {
  return records.empty() || static_cast<const TotalSummary&>(records.back()) != candidate;
}

HistorySaveResult recordSaveInHistory(const ScoreSheetState& s, std::time_t now) {
  const std::string fileName = historyFileNameFor(s.VersionNumber);
  const HistoryAppendResult appended =
      appendHistoryRecord(fileName, historyRecordOf(s, now), HistoryAppend::WhenChanged);
  if (!appended.ok) return {false, failureText(fileName, appended.cause)};
  return {appended.appended, {}};
}

SaveRecords recordSave(const ScoreSheetState& s, const std::vector<int32_t>& beforeNormal,
                       const std::vector<int32_t>& beforeUra, std::time_t now) {
  SaveRecords result;
  static_cast<HistorySaveResult&>(result) = recordSaveInHistory(s, now);
  const std::vector<Improvement> changes = improvementsOf(s, beforeNormal, beforeUra, now);
  const std::string fileName = improvementFileNameFor(s.VersionNumber);
  const HistoryAppendResult logged = appendImprovements(fileName, isoLocalTime(now), changes);
  if (logged.ok)
    result.improvements = changes;
  else if (result.failure.empty())
    result.failure = failureText(fileName, logged.cause);
  return result;
}

void reportHistoryFailure(const DebugLog& log, const HistorySaveResult& result) {
  if (result.failure.empty()) return;
  PutLog(log, result.failure);
  toolkit().messageBox(result.failure, HistoryFailureTitle, MsgIcon::Exclamation);
}

}  // namespace nk
