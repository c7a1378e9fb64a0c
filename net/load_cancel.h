// load_cancel.h - the player's request to stop the score sheet's load.
//
// The load yields to the window system while it fetches and reads; a window
// that is closed meanwhile cannot stop it directly, since the load is further
// up the same call stack. It records the request here instead, and the
// transfer, the fetch and the load look at it after every yield. Where it is
// seen, it becomes LoadCancelled, the one form a cancel takes on its way up:
// it drops the transfer (its handles go with the fetch), skips the rest of
// the download step and of the load, and is caught by the load alone, which
// ends the program. One object per load, owned by the window whose closing
// it stands for.
#pragma once

namespace nk {

// The load's cancel request, seen. Not a std::exception, so that no failure
// handler on its way (a traced procedure's, the load's) takes it for a
// failure: nothing is shown or logged for it.
struct LoadCancelled {};

class LoadCancel {
public:
  void request() { requested_ = true; }
  bool requested() const { return requested_; }

private:
  bool requested_ = false;
};

// Whether a load that may have no cancel object (nullptr) is to stop.
inline bool cancelRequested(const LoadCancel* cancel) { return cancel && cancel->requested(); }

// Called after every yield of a cancellable step: throws LoadCancelled once
// the request is set.
inline void throwIfCancelled(const LoadCancel* cancel) {
  if (cancelRequested(cancel)) throw LoadCancelled{};
}

}  // namespace nk
