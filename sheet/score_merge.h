// score_merge.h - saving without undoing what another window or program
// wrote to the score file while this sheet was open.
//
// Per chart: a chart the player changed on this sheet since its load or last
// successful save keeps the sheet's value; every other chart takes the value
// the file holds now. A chart changed on both sides to different values keeps
// the sheet's value and is reported, with the file's value, so the player can
// put the other one back by hand. A file that changed but cannot be read (gone,
// unreadable, or holding a line the reader refuses) is replaced by the sheet's
// scores as a save always did, and that is reported too.
#pragma once

#include "data/moment.h"
#include "data/score_state.h"
#include "data/sheet_catalogue.h"
#include "platform/file_replace.h"
#include "sheet/score_entry.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace nk {

// A chart whose score changed both on the sheet and in the file.
struct ChartConflict {
  size_t entry = 0;  // index into the entries
  Chart chart = Chart::Normal;
  int32_t kept = 0;    // the sheet's value, which was saved
  int32_t inFile = 0;  // the value the file held
};

// Merges one chart kind: sheet[e] becomes file[e] where sheet[e] equals
// base[e] (the player left it alone). All three lists hold the same count.
// Returns the charts changed on both sides to different values.
std::vector<ChartConflict> mergeChartScores(const std::vector<int32_t>& base, std::vector<int32_t>& sheet,
                                            const std::vector<int32_t>& file, Chart chart);

struct MergedSave {
  FileWriteResult write;
  // The file on the disk differed from what the sheet last read or wrote.
  bool fileChanged = false;
  // Scores of the sheet that now hold values taken from the file.
  bool sheetChanged = false;
  std::vector<ChartConflict> conflicts;
  // Why a changed file could not be read (its content was replaced).
  std::string unreadable;
  // The scores the file held before the write: the file's own where it
  // changed and could be read, otherwise the base.
  SheetScores before;
  std::string backupFailure;
};

// Saves s (saveScoreFile) after merging into it what changed in the file
// since s.ScoreFileSeen; base holds the scores as the last load or successful
// save left them. On success ScoreFileSeen becomes the bytes written. On a
// failed write s keeps the merged scores. With backupAt, the file as it is
// before the write is kept as a backup of that moment first (score_backup.h),
// unless there is none or the save would write the same bytes; a backup that
// fails leaves its reason in backupFailure and the save goes on.
MergedSave saveMergingFileChanges(ScoreSheetState& s, const SheetScores& base, const Moment* backupAt = nullptr);

// Conflicts listed beyond this many are counted, not named.
constexpr size_t ConflictsNamed = 10;

// The box that names the charts saved over another change: song title and
// 表/裏, the value saved and the value that was in the file.
std::string conflictText(const ScoreSheetState& s, const std::vector<ChartConflict>& conflicts);
inline constexpr const char* ConflictTitle = "点数の食い違い";

// The box that says a changed file could not be read and was replaced.
std::string unreadableText(const std::string& why);
inline constexpr const char* UnreadableTitle = "ファイルを読み取れません";

}  // namespace nk
