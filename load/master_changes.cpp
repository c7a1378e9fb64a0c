// master_changes.cpp - the kept master lists, read for the comparison.
#include "load/master_changes.h"

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
