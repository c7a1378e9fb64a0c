// score_sheet.cpp - the score sheet's session: opening, entry and saving.
#include "sheet/score_sheet.h"

#include "data/score_backup.h"
#include "data/score_file.h"
#include "sheet/save_records.h"
#include "sheet/score_merge.h"

namespace nk {

void ScoreSheet::opened() {
  open_ = true;
  base_ = scoresOf(state_);
  lastChanges_ = lastChangesFor(state_);
}

EntryResult ScoreSheet::store(int row, Chart chart, std::string_view text) {
  if (!open_) return EntryResult::EmptyRow;
  return storeBoxText(state_, row, chart, text);
}

bool ScoreSheet::hasUnsavedScores() const { return open_ && scoresOf(state_) != base_; }

SaveReport ScoreSheet::save(const Moment& now) {
  SaveReport report;
  const MergedSave merged = saveMergingFileChanges(state_, base_, &now);
  report.sheetChanged = merged.sheetChanged;
  if (!merged.write.ok) {
    report.notices.push_back({merged.write.failure, SaveFailureTitle, MsgIcon::Exclamation, {}});
    return report;
  }
  report.saved = true;
  base_ = scoresOf(state_);
  // Recorded at the moment of the save, reported once the player has seen it succeed.
  const SaveRecords records = recordSave(state_, merged.before, now);
  // Another window's saves are in the log too when the file had changed.
  if (merged.fileChanged)
    lastChanges_ = lastChangesFor(state_);
  else
    lastChanges_.take(records.improvements);
  report.notices.push_back({"保存完了", "保存完了", MsgIcon::None, {}});
  if (!merged.conflicts.empty())
    report.notices.push_back({conflictText(state_, merged.conflicts), ConflictTitle, MsgIcon::Exclamation, {}});
  if (!merged.unreadable.empty())
    report.notices.push_back({unreadableText(merged.unreadable), UnreadableTitle, MsgIcon::Exclamation, {}});
  if (!records.failure.empty())
    report.notices.push_back({records.failure, HistoryFailureTitle, MsgIcon::Exclamation, records.failure});
  if (!merged.backupFailure.empty())
    report.notices.push_back(
        {merged.backupFailure, BackupFailureTitle, MsgIcon::Exclamation, merged.backupFailure});
  return report;
}

bool ScoreSheet::takeFileScores() {
  if (!open_) return false;
  const ScoreFileNow file = readScoreFileNow(state_);
  if (!file.readable) return false;
  SheetScores sheet = scoresOf(state_);
  mergeChartScores(base_.normal, sheet.normal, file.score, Chart::Normal);
  mergeChartScores(base_.ura, sheet.ura, file.scoreU, Chart::Ura);
  state_.EntryScore = std::move(sheet.normal);
  state_.EntryScoreU = std::move(sheet.ura);
  base_ = {file.score, file.scoreU};
  state_.ScoreFileSeen = file.bytes;
  lastChanges_ = lastChangesFor(state_);
  return true;
}

std::array<std::array<std::string, 2>, RowsPerPage> ScoreSheet::pageTips() const {
  return pageChangeTips(state_, lastChanges_);
}

void showSaveReport(const DebugLog& log, const SaveReport& report) {
  for (const SheetNotice& notice : report.notices) {
    if (!notice.logLine.empty()) PutLog(log, notice.logLine);
    toolkit().messageBox(notice.text, notice.title, notice.icon);
  }
}

Question unsavedScoresQuestion() {
  return {"保存していない点数があります。保存しますか？",
          "未保存の点数",
          MsgIcon::Exclamation,
          {"保存する", "保存しない", "シートに戻る"},
          SaveScores,
          StayOnSheet};
}

}  // namespace nk
