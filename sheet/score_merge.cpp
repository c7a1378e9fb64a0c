// score_merge.cpp - merging the score file's outside changes into a save.
#include "sheet/score_merge.h"

#include "data/numeric.h"
#include "data/score_backup.h"
#include "data/score_file.h"

#include <algorithm>

namespace nk {

std::vector<ChartConflict> mergeChartScores(const std::vector<int32_t>& base, std::vector<int32_t>& sheet,
                                            const std::vector<int32_t>& file, Chart chart) {
  std::vector<ChartConflict> conflicts;
  const size_t count = std::min({base.size(), sheet.size(), file.size()});
  for (size_t e = 0; e < count; ++e) {
    if (sheet[e] == base[e]) {
      sheet[e] = file[e];
      continue;
    }
    if (file[e] != base[e] && file[e] != sheet[e]) conflicts.push_back({e, chart, sheet[e], file[e]});
  }
  return conflicts;
}

MergedSave saveMergingFileChanges(ScoreSheetState& s, const SheetScores& base, const Moment* backupAt) {
  MergedSave result;
  const ScoreFileNow now = readScoreFileNow(s);
  const bool sameAsSeen = s.ScoreFileSeen ? now.readable && now.bytes == *s.ScoreFileSeen : !now.present;
  result.fileChanged = !sameAsSeen;
  const bool fromFile = result.fileChanged && now.readable;
  result.before = fromFile ? SheetScores{now.score, now.scoreU} : base;
  if (result.fileChanged && !now.readable) {
    result.unreadable = now.failure;
  } else if (result.fileChanged) {
    const SheetScores typed = scoresOf(s);
    result.conflicts = mergeChartScores(base.normal, s.EntryScore, now.score, Chart::Normal);
    auto conflictsU = mergeChartScores(base.ura, s.EntryScoreU, now.scoreU, Chart::Ura);
    result.conflicts.insert(result.conflicts.end(), conflictsU.begin(), conflictsU.end());
    result.sheetChanged = scoresOf(s) != typed;
  }
  // The bytes read are kept even where a line of them was refused: they are
  // the scores the player may want back.
  KeptBackup backup;
  if (backupAt && now.present && !now.bytes.empty() && now.bytes != scoreFileText(s))
    backup = keepBackup(s.VersionNumber, now.bytes, *backupAt);
  result.backupFailure = backup.failure;
  result.write = saveScoreFile(s);
  if (!result.write.ok) dropBackup(backup);
  if (result.write.ok) s.ScoreFileSeen = scoreFileText(s);
  return result;
}

std::string conflictText(const ScoreSheetState& s, const std::vector<ChartConflict>& conflicts) {
  std::string text =
      "次の譜面は、このシートを開いている間に別の画面かプログラムでも点数が変わっていました。"
      "このシートの点数で保存しています。\r\n";
  for (size_t i = 0; i < conflicts.size() && i < ConflictsNamed; ++i) {
    const ChartConflict& c = conflicts[i];
    text += "\r\n" + entryTitle(s, c.entry) +
            "（" + chartMark(c.chart) + "） 保存した点数 " + decimalText(c.kept) +
            "、ファイルにあった点数 " + decimalText(c.inFile);
  }
  if (conflicts.size() > ConflictsNamed)
    text += "\r\nほか " + decimalText(static_cast<long long>(conflicts.size() - ConflictsNamed)) + " 譜面";
  return text;
}

std::string unreadableText(const std::string& why) {
  return "点数のファイルは、このシートを開いている間に変わっていましたが、読み取れなかったため、"
         "このシートの点数で置き換えました。\r\n" +
         why;
}

}  // namespace nk
