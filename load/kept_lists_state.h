// kept_lists_state.h - the master lists kept from the last load, read for the
// comparison with the lists a load has just read (data/master_changes.h),
// which is told to the player once, after page 1.
#pragma once

#include "data/master_changes.h"
#include "data/score_state.h"
#include "load/kept_masters.h"

#include <optional>

namespace nk {

// The kept set read as a sheet of versionCode would read it, without a line
// of the log; nothing when it cannot be read.
std::optional<ScoreSheetState> keptListsState(const KeptMasters& kept, int16_t versionCode);

}  // namespace nk
