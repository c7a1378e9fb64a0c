// master_changes.h - what changed between two sets of master lists, in the
// words the program tells a player after a load whose lists changed since the
// kept set (and the master-data kit shows whoever serves them).
//
// An entry whose song changed (the same position now names another song) is
// named first: the scores saved for that position now belong to the other
// song. Then the songs of the version added and removed, the charts whose
// level changed, and the charts added to or removed from the ranking targets.
#pragma once

#include "data/score_state.h"

#include <array>
#include <cstddef>
#include <string>

namespace nk {

// Changes beyond this many are counted, not named.
constexpr size_t MasterChangesNamed = 20;
inline constexpr const char* MasterChangesTitle = "マスターデータの変更";

// The lists of a set of master files (their CP932 bytes in the order of
// MasterFiles; version.dat is not read) as a sheet of versionCode would read
// them, without a line of the log. RuntimeError when one cannot be read.
ScoreSheetState masterListsState(const std::array<std::string, 4>& files, int16_t versionCode);

// The box's text for the changes from before to after; empty when nothing
// that the player sees changed.
std::string masterChangesText(const ScoreSheetState& before, const ScoreSheetState& after);

}  // namespace nk
