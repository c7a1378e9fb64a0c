// sheet_load_step.h - the score sheet's load against the servers, as the step
// its window runs once it is visible.
//
// The menu hands this step to every sheet it opens; tests hand a step of
// their own, or this one against a loopback server. It lives apart from the
// window so that what only shows a sheet's state (the tool windows, the font
// probe) does not see the servers, the fetch's limits or the cancel request.
// The step reads the sheet's version, log and state, and hands the fetch the
// sheet's own cancel request, which closing the sheet sets while it runs.
#pragma once

#include "net/fetch_limits.h"
#include "net/server_locations.h"

#include <functional>

namespace nk {

class frmACScore;

// The load against servers, with the fetch's limits; it shows the first
// page when done (see load_sequence.h for how a failure ends the program).
std::function<void(frmACScore&)> loadFrom(ServerBases servers, FetchLimits limits = {});

}  // namespace nk
