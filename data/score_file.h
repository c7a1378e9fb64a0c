// score_file.h - the personal score file "ac<VersionNumber>score.csv": one
// line per entry with a score, "entry number,normal score,裏 score", read
// back into EntryScore and EntryScoreU at the end of the load and written
// whole by the save: the lines in entry order, then one empty line, every line
// ending in CR LF.
#pragma once

#include "data/score_state.h"
#include "diag/debug_log.h"
#include "platform/file_replace.h"

#include <string>
#include <string_view>
#include <vector>

namespace nk {

// Logs its start, sets the status line, and, when a normal file named
// ScoreFileName exists, reads it (logging that it does; otherwise that it is
// missing, which is no failure); logs its end. Needs EntryScore and
// EntryScoreU of EntryCount elements. Raises RuntimeError, naming the file and
// the line, for an entry number outside 1 .. EntryCount, a missing score
// field, a number outside 32 bits, or a file that cannot be read. Keeps the
// bytes read in ScoreFileSeen.
void ReadScoreFile(const DebugLog& log, ScoreSheetState& s);

// Merges the scores of a decoded score file into EntryScore and EntryScoreU.
// A line ends at CR LF, CR or LF; lines of fewer than 3 characters are
// skipped; a later line for the same entry wins.
void parseScoreFile(ScoreSheetState& s, std::string_view decodedText, const std::string& fileName);

// The score file as it is on the disk now, for a save that must not undo
// what another window or program wrote since this sheet read it.
struct ScoreFileNow {
  // A normal file of that name exists.
  bool present = false;
  // False when there is no normal file, or it cannot be read or parsed.
  bool readable = false;
  // The raw bytes, compared with ScoreFileSeen.
  std::string bytes;
  // Its scores, EntryCount of each, when readable.
  std::vector<int32_t> score;
  std::vector<int32_t> scoreU;
  // Why it is not readable, in Japanese.
  std::string failure;
};

// Reads and parses ScoreFileName as ReadScoreFile would, without logging or
// touching the sheet; every failure lands in the result.
ScoreFileNow readScoreFileNow(const ScoreSheetState& s);
// The same for a file of the score file's form at path (a backup of it).
ScoreFileNow readScoreFileAt(const ScoreSheetState& s, const std::string& path);

// The whole file: a line for each entry whose normal or 裏 score is not 0, in
// entry order, then CR LF. Only CR LF when every score is 0.
std::string scoreFileText(const ScoreSheetState& s);

// Writes scoreFileText to scoreFileNameFor(VersionNumber), replacing the old
// file only once the new one is complete where the folder allows it (see
// file_replace.h). On failure the scores are as they were and the result says
// why and whether the old file is; the window shows "保存完了" or that
// description.
FileWriteResult saveScoreFile(const ScoreSheetState& s);

}  // namespace nk
