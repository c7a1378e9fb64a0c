// backup_steps.h - the steps of going back to a backup of the score file
// (backup_restore.h), as the sheet's tools run them: the backup of the last
// save found and read, the list of backups read for the player to choose
// from, and a chosen backup's scores with the box that follows their typing.
//
// Each step returns what it found and the box to show (notice.h); the window
// types the scores into the sheet's boxes and shows. Nothing here writes. A
// backup the same as the sheet types nothing and says so; both the undo and
// the list report a typing under "直前の保存を取り消す".
#pragma once

#include "sheet/backup_restore.h"
#include "toolkit/notice.h"

#include <optional>
#include <vector>

namespace nk {

// The backup of the last save, read against the sheet now; or why there is
// none to go back to (no backup yet, a folder or a file that cannot be read).
struct LastSaveBackup {
  std::optional<BackupRead> backup;
  std::optional<Notice> failure;
};
LastSaveBackup readLastSaveBackup(const ScoreSheetState& s);

// The newest backups for the list; a folder that cannot be read gives an
// empty list and its notice, shown before the (empty) list opens.
struct BackupList {
  std::vector<BackupRead> backups;
  std::optional<Notice> failure;
};
BackupList readBackupList(const ScoreSheetState& s);

// What typing backup means: the scores for the sheet's boxes (none when it
// is the same as the sheet), and the box after typing as many as were typed.
std::vector<TypedScore> backupScoresToType(const ScoreSheetState& s, const BackupRead& backup);
Notice backupTypedNotice(const BackupRead& backup, int typed);

}  // namespace nk
