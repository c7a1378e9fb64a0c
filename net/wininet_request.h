// wininet_request.h - the WinINet calls of one transfer (wininet_transfer.h):
// the session, the request with its redirects, status and announced size,
// and the reads. Its steps block; the transfer runs them on its worker.
#pragma once

#include "net/transfer.h"

#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

namespace nk {

class WinInetRequest {
public:
  // What open() returns when the body may be read.
  static constexpr int32_t Opened = 1;

  WinInetRequest(const std::string& url, const FetchOptions& options);
  ~WinInetRequest();
  WinInetRequest(const WinInetRequest&) = delete;
  WinInetRequest& operator=(const WinInetRequest&) = delete;

  bool ready() const { return session_ != nullptr; }
  const FetchOptions& options() const { return options_; }

  // Sends the request, following redirects, up to the body: Opened, or
  // ReadFailed / ReadTooLarge (transfer.h).
  int32_t open();
  // The next part of the body into chunk(): its size, 0 at the end, ReadFailed.
  int32_t readChunk();
  const ReadBuffer& chunk() const { return chunk_; }

  // Closes the session and with it the request; a blocked step ends.
  void closeSession();
  void closeRequest();

  std::string cause() const;
  void setCause(const std::string& cause);
  // When the connection to the server stood, once it does.
  std::optional<std::chrono::steady_clock::time_point> connectedAt() const;
  void noteConnected();

private:
  std::string causeOf(unsigned long error) const;

  FetchOptions options_;
  std::string url_;
  void* session_ = nullptr;
  void* request_ = nullptr;
  std::optional<std::uint64_t> announced_;
  std::uint64_t received_ = 0;
  ReadBuffer chunk_{};

  mutable std::mutex mutex_;
  std::string cause_;
  std::optional<std::chrono::steady_clock::time_point> connectedAt_;
  bool sessionClosed_ = false;
};

}  // namespace nk
