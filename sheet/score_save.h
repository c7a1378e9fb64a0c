// score_save.h - saving the sheet's scores to the personal score file of its
// arcade version: one "entry number,normal score,裏 score" line per entry
// with a score, then one empty line, every line ending in CR LF.
#pragma once

#include "data/score_state.h"
#include "platform/file_replace.h"

#include <cstdint>
#include <string>

namespace nk {

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
