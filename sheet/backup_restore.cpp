// backup_restore.cpp - a backup's scores against the sheet's, and their texts.
#include "sheet/backup_restore.h"

#include "data/display_text.h"
#include "data/score_file.h"
#include "total/total_breakdown.h"

#include <algorithm>
#include <array>

namespace nk {

std::vector<ChartDifference> differencesFrom(const ScoreSheetState& s, const SheetScores& then) {
  std::vector<ChartDifference> differences;
  for (size_t e = 0; e < s.EntryScore.size() && e < then.normal.size() && e < then.ura.size(); ++e) {
    if (s.EntryScore[e] != then.normal[e]) differences.push_back({e, Chart::Normal, s.EntryScore[e], then.normal[e]});
    if (s.EntryScoreU[e] != then.ura[e]) differences.push_back({e, Chart::Ura, s.EntryScoreU[e], then.ura[e]});
  }
  return differences;
}

std::vector<TypedScore> scoresToType(const std::vector<ChartDifference>& differences,
                                     const std::vector<int16_t>& positions) {
  std::vector<TypedScore> typed;
  for (const ChartDifference& d : differences)
    if (d.entry < positions.size() && positions[d.entry] >= 0) typed.push_back({positions[d.entry], d.chart, d.then});
  std::stable_sort(typed.begin(), typed.end(),
                   [](const TypedScore& x, const TypedScore& y) { return x.displayPosition < y.displayPosition; });
  return typed;
}

BackupRead readBackup(const ScoreSheetState& s, const BackupName& name) {
  BackupRead read;
  read.name = name;
  read.time = secondText(name.time);
  const ScoreFileNow file = readScoreFileAt(s, backupPath(name.name));
  if (!file.readable) {
    read.failure = file.failure;
    return read;
  }
  read.scores = {file.score, file.scoreU};
  read.total = computeTotalBreakdown(s, read.scores).total;
  read.differences = differencesFrom(s, read.scores);
  return read;
}

std::vector<BackupRead> readNewestBackups(const ScoreSheetState& s, const std::vector<BackupName>& newestFirst) {
  std::vector<BackupRead> read;
  for (size_t k = 0; k < newestFirst.size() && k < MostBackupsListed; ++k) read.push_back(readBackup(s, newestFirst[k]));
  return read;
}

const char* backupColumnName(int column) {
  static constexpr std::array<const char*, BackupColumns> names = {"保存の時刻", "総合得点", "今と違う譜面"};
  return column >= 0 && column < BackupColumns ? names[static_cast<size_t>(column)] : "";
}

std::vector<std::string> backupCells(const BackupRead& backup) {
  if (!backup.failure.empty()) return {backup.time, "読めません", backup.failure};
  return {backup.time, groupedDecimal(backup.total),
          groupedDecimal(static_cast<int64_t>(backup.differences.size())) + " 譜面"};
}

const char* differenceColumnName(int column) {
  static constexpr std::array<const char*, DifferenceColumns> names = {"曲名", "譜面", "今", "バックアップ"};
  return column >= 0 && column < DifferenceColumns ? names[static_cast<size_t>(column)] : "";
}

std::vector<std::string> differenceCells(const ScoreSheetState& s, const ChartDifference& d) {
  return {entryTitle(s, d.entry), chartMark(d.chart), groupedDecimal(d.now), groupedDecimal(d.then)};
}

std::string typedFromBackupText(const BackupRead& backup, int typed) {
  return backup.time + " の保存前の点数を " + groupedDecimal(typed) +
         " 譜面に入力しました。保存するまでファイルは変わりません。";
}

std::string sameAsBackupText(const BackupRead& backup) {
  return "シートの点数は " + backup.time + " の保存前と同じです。";
}

}  // namespace nk
