// load_cancel.h - the player's request to stop the score sheet's load.
//
// The load yields to the window system while it fetches and reads; a window
// that is closed meanwhile cannot stop it directly, since the load is further
// up the same call stack. It records the request here instead, and the fetch
// and the load look at it after every yield: the fetch drops its transfer,
// the load skips what is left and ends the program. One object per load,
// owned by the window whose closing it stands for.
#pragma once

namespace nk {

class LoadCancel {
public:
  void request() { requested_ = true; }
  bool requested() const { return requested_; }

private:
  bool requested_ = false;
};

// Whether a load that may have no cancel object (nullptr) is to stop.
inline bool cancelRequested(const LoadCancel* cancel) { return cancel && cancel->requested(); }

}  // namespace nk
