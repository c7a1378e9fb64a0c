// http_fetch.h - program-wide state of the download module and the HTTP fetch.
//
// DownLoadFile fetches one URL into one local file over libcurl, in reads of
// at most ReadBufferSize bytes that go to the file as they arrive, with one
// toolkit yield per read so that the status line stays painted. Every request
// carries the agent "Sample" and asks the origin server for a fresh copy
// (no-cache); redirects are followed (http and https only, at most 10); the
// proxy is libcurl's usual one from the environment.
//
// A fetch fails (result -1, LastErrorText says why, in Japanese, with the URL
// or the file name) when the local file cannot be created or written, the
// server cannot be reached, answers with an HTTP status of 400 or more, cuts
// the body short, stalls beyond the time limits below, or sends more than the
// size limit below (the file is then removed). A failed fetch may otherwise
// leave part of the body in the file; the next fetch to that path replaces it.
//
// The fetch yields to the window system after every read and, while the
// server is silent, every IdleYieldInterval; after each yield it looks at the
// load's cancel request and, when it is set, drops the transfer at once.
#pragma once

#include "load_cancel.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace nk {

// The arcade version chosen on the menu: 112, 113 or 114 (AC12, AC13, AC14);
// 0 until the first choice. Kept across returns to the menu.
extern int16_t VersionCode;

// 0 when the body is in the file (or url or localPath was empty: then nothing
// is touched at all); -1 on failure, with LastErrorText set; FetchCancelled
// when cancel was requested meanwhile: the transfer is dropped and nothing is
// reported (LastErrorText is left as it was; the file may hold part of the body).
inline constexpr int16_t FetchCancelled = -2;
int16_t DownLoadFile(const std::string& url, const std::string& localPath, const LoadCancel* cancel = nullptr);

inline constexpr std::size_t ReadBufferSize = 1024;
using ReadBuffer = std::array<char, ReadBufferSize>;

// The three steps of one fetch, used by DownLoadFile. One fetch runs at a
// time: OpenUrl refuses while another is open.
// OpenUrl prepares the request; false when libcurl cannot be set up.
bool OpenUrl(const std::string& url);
// Next part of the body: the byte count (1 .. ReadBufferSize), 0 at its end,
// ReadFailed when the transfer failed (LastErrorText then holds why),
// ReadTooLarge when the server announced a body beyond the size limit, and
// ReadCancelled when cancel was requested during a yield while waiting.
inline constexpr int32_t ReadFailed = -1;
inline constexpr int32_t ReadTooLarge = -2;
inline constexpr int32_t ReadCancelled = -3;
int32_t ReadChunk(ReadBuffer& buffer, const LoadCancel* cancel = nullptr);
// Releases the fetch's handles; harmless when none is open.
void CloseUrl();

// Limits that keep a dead or stalled server from hanging the program.
struct FetchTimeLimits {
  // Longest wait for the connection (name lookup included).
  std::chrono::milliseconds connectTimeout{15000};
  // A transfer slower than 1 byte/s for this long is given up; so is a
  // server that sends no body byte for this long (answering late included).
  std::chrono::milliseconds stallTime{30000};
};
// Replaces the limits of later fetches (tests shorten them); returns the old ones.
FetchTimeLimits setFetchTimeLimits(const FetchTimeLimits& limits);

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
// Replaces the size limit of later fetches (tests lower it); returns the old one.
std::uint64_t setFetchSizeLimit(std::uint64_t bytes);

// While the server sends nothing, the fetch yields this often, so that the
// windows repaint and a closed sheet is noticed during a stall.
inline constexpr std::chrono::milliseconds IdleYieldInterval{500};

}  // namespace nk
