// backup_steps.cpp - undo and restore over the backups, with their boxes.
#include "sheet/backup_steps.h"

#include "total/breakdown_text.h"

namespace nk {

LastSaveBackup readLastSaveBackup(const ScoreSheetState& s) {
  std::string failure;
  const std::vector<BackupName> backups = listBackups(s.VersionNumber, failure);
  if (!failure.empty() || backups.empty())
    return {std::nullopt, Notice{UndoSaveTitle, failure.empty() ? NoBackupText : failure, MsgIcon::Exclamation}};
  BackupRead newest = readBackup(s, backups.front());
  if (!newest.failure.empty()) return {std::nullopt, Notice{UndoSaveTitle, newest.failure, MsgIcon::Exclamation}};
  return {std::move(newest), std::nullopt};
}

BackupList readBackupList(const ScoreSheetState& s) {
  std::string failure;
  BackupList list{readNewestBackups(s, listBackups(s.VersionNumber, failure)), std::nullopt};
  if (!failure.empty()) list.failure = Notice{RestoreTitle, failure, MsgIcon::Exclamation};
  return list;
}

std::vector<TypedScore> backupScoresToType(const ScoreSheetState& s, const BackupRead& backup) {
  if (backup.differences.empty()) return {};
  return scoresToType(backup.differences, displayPositions(s));
}

Notice backupTypedNotice(const BackupRead& backup, int typed) {
  if (backup.differences.empty()) return {UndoSaveTitle, sameAsBackupText(backup), MsgIcon::None};
  return {UndoSaveTitle, typedFromBackupText(backup, typed), MsgIcon::None};
}

}  // namespace nk
