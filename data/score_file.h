// score_file.h - the personal score file "ac<VersionNumber>score.csv": one
// line per entry with a score, "entry number,normal score,裏 score", read
// back into EntryScore and EntryScoreU at the end of the load.
#pragma once

#include "data/score_state.h"
#include "diag/debug_log.h"

#include <string>
#include <string_view>

namespace nk {

// Logs its start, sets the status line, and, when a normal file named
// ScoreFileName exists, reads it (logging that it does; otherwise that it is
// missing, which is no failure); logs its end. Needs EntryScore and
// EntryScoreU of EntryCount elements. Raises RuntimeError, naming the file and
// the line, for an entry number outside 1 .. EntryCount, a missing score
// field, a number outside 32 bits, or a file that cannot be read.
void ReadScoreFile(const DebugLog& log, ScoreSheetState& s);

// Merges the scores of a decoded score file into EntryScore and EntryScoreU.
// A line ends at CR LF, CR or LF; lines of fewer than 3 characters are
// skipped; a later line for the same entry wins.
void parseScoreFile(ScoreSheetState& s, std::string_view decodedText, const std::string& fileName);

}  // namespace nk
