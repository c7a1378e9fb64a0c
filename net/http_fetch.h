// http_fetch.h - the HTTP fetch of one URL into one local file.
//
// DownLoadFile fetches in reads of at most ReadBufferSize bytes that go to the
// file as they arrive, with one toolkit yield per read so that the status line
// stays painted (see transfer.h for the request itself).
//
// A fetch fails (result -1, its failure text says why, in Japanese, with the
// URL or the file name) when the local file cannot be created or written, the
// server cannot be reached, answers with an HTTP status of 400 or more, cuts
// the body short, stalls beyond the time limits, or sends more than the size
// limit (the file is then removed). A failed fetch may otherwise leave part
// of the body in the file; the next fetch to that path replaces it.
//
// The fetch yields to the window system after every read and, while the
// server is silent, every IdleYieldInterval; after each yield it looks at the
// load's cancel request and, when it is set, drops the transfer at once by
// throwing LoadCancelled (load_cancel.h): the handles are released and the
// file closed on the way out; the file may hold part of the body.
#pragma once

#include "net/fetch_limits.h"
#include "net/transfer.h"

#include <cstdint>
#include <memory>
#include <string>

namespace nk {

struct FetchResult {
  bool done = true;
  // Why it failed, in Japanese, naming the URL or the file; empty otherwise.
  std::string failure;
};

// The fetcher of a load (or of a test): its options and, while a fetch runs,
// the handles that fetch owns; they are released when it ends, however it
// ends. The handles stand for the original's one pair of Internet handles:
// only one fetch runs at a time on a fetcher, and a second one started from a
// yield of the first is refused ("別の受信の途中です") and harms nothing.
// Whoever fetches owns one and hands it to every fetch.
class HttpFetch {
public:
  explicit HttpFetch(FetchOptions options = {}) : options_(options) {}
  ~HttpFetch();
  HttpFetch(const HttpFetch&) = delete;
  HttpFetch& operator=(const HttpFetch&) = delete;

  // url into localPath; an empty url or localPath does nothing at all. The
  // handles are released before it returns.
  FetchResult toFile(const std::string& url, const std::string& localPath);

  // Whether a fetch runs on this fetcher (its handles are open).
  bool running() const { return transfer_ != nullptr; }

  // The three steps of toFile. OpenUrl prepares the request (false when no
  // request could be set up or a fetch already runs); ReadChunk gives the next
  // part of the body or one of the Read... results of transfer.h (or throws
  // LoadCancelled);
  // CloseUrl releases the handles and is harmless when none is open.
  bool OpenUrl(const std::string& url);
  int32_t ReadChunk(ReadBuffer& buffer);
  void CloseUrl();

private:
  FetchResult failed(std::string failure) const { return {false, std::move(failure)}; }

  FetchOptions options_;
  std::unique_ptr<Transfer> transfer_;
  std::string url_;
};

// Fetches url into localPath on fetch. 0 when the body is in the file (or url
// or localPath was empty), failure left as it was; -1 on failure, with
// failure set to why. The cancel request set meanwhile throws LoadCancelled,
// failure left as it was.
int16_t DownLoadFile(HttpFetch& fetch, const std::string& url, const std::string& localPath,
                     std::string& failure);

}  // namespace nk
