// curl_transfer.h - the transfer (transfer.h) over libcurl.
//
// libcurl pushes the body through a write callback; the transfer hands it out
// in reads. One multi handle drives the one easy handle: read() runs the
// transfer only while nothing that arrived is left to hand out, and the
// callback pauses the transfer once a bounded amount waits, so the body never
// gathers in memory. The handles live and die with the object.
//
// The request asks for a fresh copy with the headers "Cache-Control: no-cache"
// and "Pragma: no-cache"; the proxy is libcurl's usual one from the environment.
#pragma once

#include "net/fetch_limits.h"
#include "net/transfer.h"

#include <curl/curl.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace nk {

class CurlTransfer : public Transfer {
public:
  CurlTransfer(const std::string& url, const FetchOptions& options);
  ~CurlTransfer() override;
  CurlTransfer(const CurlTransfer&) = delete;
  CurlTransfer& operator=(const CurlTransfer&) = delete;

  // False when libcurl could not be set up for the request.
  bool ready() const { return ready_; }
  // The next part of the body, or one of the results of transfer.h. While the
  // server is silent it yields every IdleYieldInterval and throws
  // LoadCancelled once the cancel request is set.
  int32_t read(ReadBuffer& buffer) override;
  // Why the transfer failed, in Japanese ("接続できません", ...).
  std::string failureCause() const override;

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
