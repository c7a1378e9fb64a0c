// wininet_transfer.h - the transfer (transfer.h) over WinINet, the Internet
// API of Windows.
//
// WinINet is used synchronously, as it was made to be, on a worker thread of
// the transfer: read() hands the worker one step at a time (the request, then
// one read of at most ReadBufferSize bytes) and waits for it, yielding every
// IdleYieldInterval and throwing LoadCancelled once the cancel request is
// set meanwhile. The time limits are watched here too, since not every
// WinINet honours its own timeout options: a step that outlasts them is
// given up, its handles closed, and a worker still blocked in it is left to
// end on its own.
//
// The request asks for a fresh copy (INTERNET_FLAG_RELOAD, nothing written to
// the cache, "Cache-Control: no-cache" and "Pragma: no-cache"); redirects are
// followed here, not by WinINet, so that only http and https are followed and
// at most 10 of them. The proxy is the system's configured one.
#pragma once

#include "net/transfer.h"

#include <memory>
#include <string>

namespace nk {

class WinInetTransfer : public Transfer {
public:
  WinInetTransfer(const std::string& url, const FetchOptions& options);
  ~WinInetTransfer() override;
  WinInetTransfer(const WinInetTransfer&) = delete;
  WinInetTransfer& operator=(const WinInetTransfer&) = delete;

  // False when WinINet could not be set up for the request.
  bool ready() const;
  int32_t read(ReadBuffer& buffer) override;
  std::string failureCause() const override;

  // What the transfer and its worker share; it lives as long as either.
  struct Shared;

private:
  std::shared_ptr<Shared> shared_;
  bool opened_ = false;
  bool givenUp_ = false;
};

}  // namespace nk
