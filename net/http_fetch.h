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
// the body short, or stalls beyond the time limits below. A failed fetch may
// leave part of the body in the file; the next fetch to that path replaces it.
#pragma once

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
// is touched at all); -1 on failure, with LastErrorText set.
int16_t DownLoadFile(const std::string& url, const std::string& localPath);

inline constexpr std::size_t ReadBufferSize = 1024;
using ReadBuffer = std::array<char, ReadBufferSize>;

// The three steps of one fetch, used by DownLoadFile. One fetch runs at a
// time: OpenUrl refuses while another is open.
// OpenUrl prepares the request; false when libcurl cannot be set up.
bool OpenUrl(const std::string& url);
// Next part of the body: the byte count (1 .. ReadBufferSize), 0 at its end,
// -1 when the transfer failed (LastErrorText then holds why).
int32_t ReadChunk(ReadBuffer& buffer);
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

}  // namespace nk
