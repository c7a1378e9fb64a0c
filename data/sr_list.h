// sr_list.h - the ranking targets, read from the score-ranking target list
// "./srlist.dat".
//
// Three elements per target: not read, entry number (1-based into the version
// song list), chart flag (numeric value exactly 1: the 裏 chart; anything else:
// the normal chart).
#pragma once

#include "data/score_state.h"
#include "diag/debug_log.h"
#include "domain/master_files.h"

#include <string>
#include <string_view>
#include <vector>

namespace nk {

inline constexpr const char* SRListPath = MasterFiles[SRList].localPath;
constexpr int32_t TargetRecordWidth = 3;

// Logs its start, sets the status line, reads SRListPath (CP932) and fills
// TargetEntryNo, TargetIsUra, TargetDifficulty, TargetCount and a zero
// TargetScore; logs its end. Needs the entries and the catalogue. Raises
// RuntimeError when the file cannot be read, holds no target, names an entry
// outside 1 .. EntryCount or a number outside 16 bits, or holds more targets
// than the 16-bit element counter reaches (10,922).
void ReadSRList(const DebugLog& log, ScoreSheetState& s);

// The record walk of ReadSRList over a decoded text: one log line and one
// yield per target.
void parseSRList(const DebugLog& log, ScoreSheetState& s, std::string_view decodedText,
                 const std::string& fileName = "srlist.dat");

// The score-ranking target list in one plain form: one target a line,
// "<number><><entry number><><0 or 1><>" and CR LF (1: the 裏 chart).
std::string srListText(const std::vector<int16_t>& entryNo, const std::vector<bool>& isUra);

}  // namespace nk
