// load_sequence.h - what the score sheet does when it opens: fetch the four
// master files, check the required version, read everything into the state,
// merge the player's scores and show the first page.
//
// Either the whole load succeeds, or the program ends: every run-time error
// on the way ends in one failure exit (a "初期化失敗" box with the error's
// description, two log lines, the end of the program). The master files are
// removed before the downloads and again at the end, whatever happened; a
// load that reached page 1 keeps them first (kept_masters.h).
#pragma once

#include "data/score_state.h"
#include "diag/debug_log.h"
#include "domain/arcade_version.h"
#include "net/fetch_limits.h"
#include "net/server_locations.h"

#include <functional>

namespace nk {

// Deletes the master files that are present. With raise, a file that cannot
// be deleted is a RuntimeError; without, it is logged and the rest go on.
void removeMasterFiles(const DebugLog& log, bool raise);

// What one load needs from outside: the version chosen on the menu, the
// servers, and the fetch's limits with the sheet's cancel request.
struct LoadRequest {
  ArcadeVersion version;
  ServerBases servers = builtInServerBases();
  FetchOptions fetch;
  // The lists shipped with the program, opened without a server when no
  // lists were kept (readBundledMasters); empty: none.
  std::string bundledMasters;
};

// Runs the load for request.version into s (which must be fresh), logging to
// log. The load owns the fetcher that its downloads share, so that only one
// fetch runs at a time. ShowPage shows the page s.CurrentPage; the load calls
// it once, at its end.
// Returns only when the sheet is ready. When the cancel request is set during
// the load (the player closed the sheet), the running transfer is dropped, no
// further stage runs, no box is shown, the master files are removed and the
// program ends with ExitClosedByPlayer.
void runScoreSheetLoad(const DebugLog& log, ScoreSheetState& s, const LoadRequest& request,
                       const std::function<void()>& ShowPage);

}  // namespace nk
