// sheet_load_step.cpp - the sheet's load step over the load sequence.
#include "ui/sheet_load_step.h"

#include "load/load_sequence.h"
#include "platform/work_folder.h"
#include "ui/frmACScore.h"

namespace nk {

std::function<void(frmACScore&)> loadFrom(ServerBases servers, FetchLimits limits) {
  return [servers = std::move(servers), limits](frmACScore& sheet) {
    const LoadRequest request{sheet.version(), servers, {limits, &sheet.loadCancel()}, bundledMastersFolder()};
    runScoreSheetLoad(sheet.debugLog(), sheet.state(), request, [&sheet] { sheet.ShowPage(); });
  };
}

}  // namespace nk
