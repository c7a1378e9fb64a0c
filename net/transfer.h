// transfer.h - one HTTP GET, pulled in reads of at most ReadBufferSize bytes,
// whatever carries it (libcurl, or WinINet on Windows; the build picks one).
//
// Every request carries the agent "Sample" and asks the origin server for a
// fresh copy; redirects are followed (http and https only, at most 10); the
// proxy is the system's usual one; a status of 400 or more fails the
// transfer; a body announced beyond the size limit is refused before any of
// it is handed out. While the server is silent, read() yields every
// IdleYieldInterval and then throws LoadCancelled (load_cancel.h) once the
// cancel request is set.
#pragma once

#include "net/fetch_limits.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace nk {

inline constexpr std::size_t ReadBufferSize = 1024;
using ReadBuffer = std::array<char, ReadBufferSize>;

// What read() returns besides a byte count (1 .. ReadBufferSize) and 0 at the
// end of the body.
inline constexpr int32_t ReadFailed = -1;    // failureCause() says why
inline constexpr int32_t ReadTooLarge = -2;  // announced beyond the size limit

class Transfer {
public:
  virtual ~Transfer() = default;
  // The next part of the body, or one of the results above; LoadCancelled
  // when the cancel request is seen while waiting.
  virtual int32_t read(ReadBuffer& buffer) = 0;
  // Why the transfer failed, in Japanese ("接続できません", ...).
  virtual std::string failureCause() const = 0;
};

// The transfer of url, its handles owned by it; null when no request could be
// set up.
std::unique_ptr<Transfer> openTransfer(const std::string& url, const FetchOptions& options);

}  // namespace nk
