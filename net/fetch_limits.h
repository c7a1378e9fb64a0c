// fetch_limits.h - what one fetch may take: time and size limits that keep a
// dead, stalled or runaway server from hanging the program or filling the
// disk, and the load's cancel request that the fetch looks at while it waits.
#pragma once

#include "net/load_cancel.h"

#include <chrono>
#include <cstdint>

namespace nk {

// The most body bytes a fetch takes, so that a broken server, a captive portal
// or a wrong URL answering with an endless body cannot fill the player's disk.
// Every file fetched is a master list or the required-version file. A master
// list that the readers accept has at most 32768 elements: the 16-bit element
// counter stops at 32767 (so at most 32767 records, 6553 songs, 8191 entries,
// 10922 targets). No field is bounded by the format, but the widest ones are
// titles and genre labels; granting every element 256 characters of two
// bytes each in CP932 (512 bytes), its "<>" (2) and a CR LF (2), a list stays
// below 32768 x 516 = 16,908,288 bytes (16.1 MiB); version.dat is read for
// two short lines. 32 MiB (33,554,432 bytes), almost twice that bound, takes
// any list the program can use and still stops a runaway body within seconds.
inline constexpr std::uint64_t MasterFileSizeLimit = 32ull * 1024 * 1024;

struct FetchLimits {
  // Longest wait for the connection (name lookup included).
  std::chrono::milliseconds connectTimeout{15000};
  // A transfer slower than 1 byte/s for this long is given up; so is a
  // server that sends no body byte for this long (answering late included).
  std::chrono::milliseconds stallTime{30000};
  // A body announced or grown beyond this fails the fetch.
  std::uint64_t maxBodyBytes = MasterFileSizeLimit;
};

struct FetchOptions {
  FetchLimits limits;
  // The load's cancel request; none for a fetch that cannot be cancelled.
  const LoadCancel* cancel = nullptr;
};

// While the server sends nothing, the fetch yields this often, so that the
// windows repaint and a closed sheet is noticed during a stall.
inline constexpr std::chrono::milliseconds IdleYieldInterval{500};

}  // namespace nk
