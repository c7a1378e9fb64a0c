// kept_lists_state.cpp - the kept master lists, read for the comparison.
#include "load/kept_lists_state.h"

#include "diag/runtime_error.h"

namespace nk {

std::optional<ScoreSheetState> keptListsState(const KeptMasters& kept, int16_t versionCode) {
  try {
    return masterListsState(kept.files, versionCode);
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
}

}  // namespace nk
