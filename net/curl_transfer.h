// curl_transfer.h - one HTTP GET over libcurl, pulled in reads of at most
// ReadBufferSize bytes.
//
// libcurl pushes the body through a write callback; the transfer hands it out
// in reads. One multi handle drives the one easy handle: read() runs the
// transfer only while nothing that arrived is left to hand out, and the
// callback pauses the transfer once a bounded amount waits, so the body never
// gathers in memory. The handles live and die with the object.
//
// Every request carries the agent "Sample" and asks the origin server for a
// fresh copy (no-cache); redirects are followed (http and https only, at most
// 10); the proxy is libcurl's usual one from the environment; a status of 400
// or more fails the transfer.
#pragma once

#include "fetch_limits.h"

#include <curl/curl.h>

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace nk {

inline constexpr std::size_t ReadBufferSize = 1024;
using ReadBuffer = std::array<char, ReadBufferSize>;

// What read() returns besides a byte count (1 .. ReadBufferSize) and 0 at the
// end of the body.
inline constexpr int32_t ReadFailed = -1;     // failureCause() says why
inline constexpr int32_t ReadTooLarge = -2;   // announced beyond the size limit
inline constexpr int32_t ReadCancelled = -3;  // cancel requested while waiting

class CurlTransfer {
public:
  CurlTransfer(const std::string& url, const FetchOptions& options);
  ~CurlTransfer();
  CurlTransfer(const CurlTransfer&) = delete;
  CurlTransfer& operator=(const CurlTransfer&) = delete;

  // False when libcurl could not be set up for the request.
  bool ready() const { return ready_; }
  // The next part of the body, or one of the results above. While the server
  // is silent it yields every IdleYieldInterval and looks at the cancel request.
  int32_t read(ReadBuffer& buffer);
  // Why the transfer failed, in Japanese ("接続できません", ...).
  std::string failureCause() const;

private:
  static size_t receiveBody(char* data, size_t size, size_t count, void* self);
  bool configure(const std::string& url);
  long silenceLeft() const;
  void pump();

  FetchOptions options_;
  CURLM* multi_ = nullptr;
  CURL* easy_ = nullptr;
  curl_slist* headers_ = nullptr;
  bool ready_ = false;

  // Body bytes that arrived and were not read yet: received_[readOffset_ ..].
  std::string received_;
  std::size_t readOffset_ = 0;
  bool paused_ = false;
  bool done_ = false;
  CURLcode result_ = CURLE_OK;
  // When body bytes last came in (or the transfer started or resumed).
  std::chrono::steady_clock::time_point lastArrival_;
};

}  // namespace nk
