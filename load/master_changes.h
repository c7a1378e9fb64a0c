// master_changes.h - what changed between the master lists kept from the last
// load and the lists a load has just read, told to the player once, after
// page 1, in the program's own words.
//
// An entry whose song changed (the same position now names another song) is
// named first: the scores saved for that position now belong to the other
// song. Then the songs of the version added and removed, the charts whose
// level changed, and the charts added to or removed from the ranking targets.
#pragma once

#include "data/score_state.h"
#include "load/kept_masters.h"

#include <cstddef>
#include <optional>
#include <string>

namespace nk {

// Changes beyond this many are counted, not named.
constexpr size_t MasterChangesNamed = 20;
inline constexpr const char* MasterChangesTitle = "マスターデータの変更";

// The kept set read as a sheet of versionCode would read it, without a line
// of the log; nothing when it cannot be read.
std::optional<ScoreSheetState> keptListsState(const KeptMasters& kept, int16_t versionCode);

// The box's text for the changes from before to after; empty when nothing
// that the player sees changed.
std::string masterChangesText(const ScoreSheetState& before, const ScoreSheetState& after);

}  // namespace nk
