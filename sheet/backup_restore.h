// backup_restore.h - going back to the scores a backup of the score file
// holds (score_backup.h): the backups listed with their time, their total and
// how many charts differ from the sheet now; one backup's differences, chart
// by chart; and those differences as scores for the sheet's boxes, where they
// are typed scores like any other, unsaved until 保存. Nothing here writes.
//
// "直前の保存を取り消す" is the newest backup: the file as it was before the
// last save that changed it, of this sheet or of an earlier run.
#pragma once

#include "data/score_backup.h"
#include "data/score_state.h"
#include "data/sheet_catalogue.h"
#include "total/score_trial.h"

#include <cstdint>
#include <string>
#include <vector>

namespace nk {

inline constexpr const char* UndoSaveTitle = "直前の保存を取り消す";
inline constexpr const char* RestoreTitle = "バックアップから戻す";

// A chart whose score in the backup is not the sheet's.
struct ChartDifference {
  size_t entry = 0;  // index into the entries
  Chart chart = Chart::Normal;
  int32_t now = 0;
  int32_t then = 0;
  bool operator==(const ChartDifference&) const = default;
};

// In entry order, 表 before 裏.
std::vector<ChartDifference> differencesFrom(const ScoreSheetState& s, const SheetScores& then);
// The backup's scores for the boxes, in display order (entries the sheet
// does not show are left out).
std::vector<TypedScore> scoresToType(const std::vector<ChartDifference>& differences,
                                     const std::vector<int16_t>& positions);

struct BackupRead {
  BackupName name;
  std::string time;  // "2026-12-08 20:30:15"
  SheetScores scores;
  int64_t total = 0;
  std::vector<ChartDifference> differences;
  std::string failure;  // why it cannot be read; then nothing else is set
};
// Reads the backup (as the score file is read) against the sheet now.
BackupRead readBackup(const ScoreSheetState& s, const BackupName& name);

// The most backups the list reads: as many as the keeping rule keeps (the
// newest BackupsKept and the newest of each of BackupDaysKept days). A folder
// that holds more (backups copied in by hand, a clock set back) is listed by
// its newest ones: reading every one would read thousands of score files
// before the list opens. The next save removes the rest by the rule.
inline constexpr size_t MostBackupsListed = BackupsKept + BackupDaysKept;
// The first MostBackupsListed of the backups given newest first (as
// listBackups gives them), each read against the sheet now.
std::vector<BackupRead> readNewestBackups(const ScoreSheetState& s, const std::vector<BackupName>& newestFirst);

// The texts of the list and of the differences.
enum BackupColumn { BackupColTime, BackupColTotal, BackupColDiffering, BackupColumns };
const char* backupColumnName(int column);
std::vector<std::string> backupCells(const BackupRead& backup);  // "読めません" and why, for a failure
enum DifferenceColumn { DiffColTitle, DiffColChart, DiffColNow, DiffColThen, DifferenceColumns };
const char* differenceColumnName(int column);
std::vector<std::string> differenceCells(const ScoreSheetState& s, const ChartDifference& difference);

// The box after the scores were typed, or why nothing was.
std::string typedFromBackupText(const BackupRead& backup, int typed);
inline constexpr const char* NoBackupText = "取り消せる保存がありません（保存前のバックアップがまだありません）。";
std::string sameAsBackupText(const BackupRead& backup);

}  // namespace nk
