// http_fetch.cpp - the HTTP fetch of one URL into one local file, over libcurl.
//
// libcurl pushes the body through a write callback; the fetch pulls it in
// reads of at most ReadBufferSize bytes. One multi handle drives the one easy
// handle of the fetch: ReadChunk runs the transfer only while nothing that
// arrived is left to hand out, and the callback pauses the transfer once a
// bounded amount waits, so the body never gathers in memory.
#include "http_fetch.h"

#include "fetch_failure_text.h"
#include "traced_procedure.h"
#include "toolkit.h"

#include <curl/curl.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace nk {

int16_t VersionCode = 0;

namespace {

// The fetch in progress. The multi handle plays the part of the Internet
// session, the easy handle that of the opened URL.
CURLM* InternetHandle = nullptr;
CURL* UrlHandle = nullptr;
curl_slist* RequestHeaders = nullptr;
std::string CurrentUrl;

// Body bytes that arrived and were not read yet: Received[ReadOffset ..].
std::string Received;
std::size_t ReadOffset = 0;
bool TransferPaused = false;
bool TransferDone = false;
CURLcode TransferResult = CURLE_OK;
// When body bytes last came in (or the transfer started or resumed).
std::chrono::steady_clock::time_point LastArrival;

// Beyond this much unread body the callback pauses the transfer.
constexpr std::size_t UnreadLimit = CURL_MAX_WRITE_SIZE;
constexpr long MaxRedirects = 10;
// Short enough that an idle yield is never much later than IdleYieldInterval.
constexpr int PollMilliseconds = 100;

FetchTimeLimits Limits;
std::uint64_t SizeLimit = MasterFileSizeLimit;

void initialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

size_t receiveBody(char* data, size_t size, size_t count, void*) {
  const size_t length = size * count;
  if (Received.size() - ReadOffset >= UnreadLimit) {
    TransferPaused = true;
    return CURL_WRITEFUNC_PAUSE;
  }
  Received.append(data, length);
  LastArrival = std::chrono::steady_clock::now();
  return length;
}

bool configure(CURL* handle, const std::string& url) {
  RequestHeaders = curl_slist_append(RequestHeaders, "Cache-Control: no-cache");
  if (!RequestHeaders) return false;
  curl_slist* withPragma = curl_slist_append(RequestHeaders, "Pragma: no-cache");
  if (!withPragma) return false;
  RequestHeaders = withPragma;

  // libcurl averages the speed over several seconds, which catches a trickle;
  // a server gone silent is caught sooner by the silence check of pump().
  const long stallSeconds =
      std::max<long>(1, static_cast<long>((Limits.stallTime.count() + 999) / 1000));
  bool ok = true;
  auto set = [&](CURLoption option, auto value) { ok = ok && curl_easy_setopt(handle, option, value) == CURLE_OK; };
  set(CURLOPT_URL, url.c_str());
  set(CURLOPT_PATH_AS_IS, 1L);
  set(CURLOPT_PROTOCOLS_STR, "http,https");
  set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  set(CURLOPT_FOLLOWLOCATION, 1L);
  set(CURLOPT_MAXREDIRS, MaxRedirects);
  set(CURLOPT_USERAGENT, "Sample");
  set(CURLOPT_HTTPHEADER, RequestHeaders);
  // An error page is not the file asked for: statuses from 400 on fail the fetch.
  set(CURLOPT_FAILONERROR, 1L);
  // A body announced beyond the limit is refused before any of it is written.
  set(CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(SizeLimit));
  set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(Limits.connectTimeout.count()));
  set(CURLOPT_LOW_SPEED_LIMIT, 1L);
  set(CURLOPT_LOW_SPEED_TIME, stallSeconds);
  set(CURLOPT_NOSIGNAL, 1L);
  set(CURLOPT_WRITEFUNCTION, &receiveBody);
  return ok;
}

// Milliseconds left until the silence of the server counts as a stall.
long silenceLeft() {
  const auto deadline = LastArrival + Limits.stallTime;
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  return std::max<long>(0, static_cast<long>(left.count()));
}

// Runs the transfer until some body is unread, the transfer is over, or
// cancel was requested during a yield while the server was silent.
void pump(const LoadCancel* cancel) {
  auto lastYield = std::chrono::steady_clock::now();
  while (Received.size() == ReadOffset && !TransferDone) {
    if (std::chrono::steady_clock::now() - lastYield >= IdleYieldInterval) {
      toolkit().yield();
      if (cancelRequested(cancel)) return;
      lastYield = std::chrono::steady_clock::now();
    }
    Received.clear();
    ReadOffset = 0;
    if (TransferPaused) {
      // Unpausing hands the bytes libcurl held back to receiveBody at once.
      TransferPaused = false;
      LastArrival = std::chrono::steady_clock::now();
      const CURLcode resumed = curl_easy_pause(UrlHandle, CURLPAUSE_CONT);
      if (resumed != CURLE_OK) {
        TransferDone = true;
        TransferResult = resumed;
        return;
      }
      continue;
    }
    int running = 0;
    if (curl_multi_perform(InternetHandle, &running) != CURLM_OK) {
      // With one valid handle this is, in practice, memory running out.
      TransferDone = true;
      TransferResult = CURLE_OUT_OF_MEMORY;
      return;
    }
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(InternetHandle, &queued)) {
      if (message->msg == CURLMSG_DONE) {
        TransferDone = true;
        TransferResult = message->data.result;
      }
    }
    if (Received.size() != ReadOffset || TransferDone) return;
    const long waitLimit = silenceLeft();
    if (waitLimit == 0) {
      TransferDone = true;
      TransferResult = CURLE_OPERATION_TIMEDOUT;
      return;
    }
    curl_multi_poll(InternetHandle, nullptr, 0, static_cast<int>(std::min<long>(waitLimit, PollMilliseconds)),
                    nullptr);
  }
}

bool writeAll(int fd, const char* data, std::size_t length) {
  while (length > 0) {
    const ssize_t written = ::write(fd, data, length);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    length -= static_cast<std::size_t>(written);
  }
  return true;
}

// Closes the fetch's handles and the local file on every way out.
class FetchCleanup {
public:
  explicit FetchCleanup(int fd) : fd_(fd) {}
  ~FetchCleanup() {
    if (urlOpen) CloseUrl();
    if (fd_ >= 0) ::close(fd_);
  }
  FetchCleanup(const FetchCleanup&) = delete;
  FetchCleanup& operator=(const FetchCleanup&) = delete;

  // Set once this fetch owns the handles (never those of another fetch).
  bool urlOpen = false;

  // Closes the file now, reporting the error that close() may bring.
  bool closeFile() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

private:
  int fd_;
};

}  // namespace

FetchTimeLimits setFetchTimeLimits(const FetchTimeLimits& limits) {
  const FetchTimeLimits previous = Limits;
  Limits = limits;
  return previous;
}

std::uint64_t setFetchSizeLimit(std::uint64_t bytes) {
  const std::uint64_t previous = SizeLimit;
  SizeLimit = bytes;
  return previous;
}

bool OpenUrl(const std::string& url) {
  if (InternetHandle || UrlHandle) return false;
  initialiseCurlOnce();
  Received.clear();
  ReadOffset = 0;
  TransferPaused = false;
  TransferDone = false;
  TransferResult = CURLE_OK;
  LastArrival = std::chrono::steady_clock::now();
  CurrentUrl = url;

  InternetHandle = curl_multi_init();
  UrlHandle = curl_easy_init();
  if (!InternetHandle || !UrlHandle || !configure(UrlHandle, url) ||
      curl_multi_add_handle(InternetHandle, UrlHandle) != CURLM_OK) {
    CloseUrl();
    return false;
  }
  return true;
}

int32_t ReadChunk(ReadBuffer& buffer, const LoadCancel* cancel) {
  if (!UrlHandle) return 0;
  pump(cancel);
  if (cancelRequested(cancel)) return ReadCancelled;
  const std::size_t unread = Received.size() - ReadOffset;
  if (unread > 0) {
    const std::size_t count = std::min(unread, buffer.size());
    std::memcpy(buffer.data(), Received.data() + ReadOffset, count);
    ReadOffset += count;
    return static_cast<int32_t>(count);
  }
  if (TransferResult == CURLE_OK) return 0;
  if (TransferResult == CURLE_FILESIZE_EXCEEDED) return ReadTooLarge;
  LastErrorText = fetchFailureText(CurrentUrl, transferFailureCause(UrlHandle, TransferResult));
  return ReadFailed;
}

void CloseUrl() {
  if (InternetHandle && UrlHandle) curl_multi_remove_handle(InternetHandle, UrlHandle);
  if (UrlHandle) curl_easy_cleanup(UrlHandle);
  if (InternetHandle) curl_multi_cleanup(InternetHandle);
  curl_slist_free_all(RequestHeaders);
  UrlHandle = nullptr;
  InternetHandle = nullptr;
  RequestHeaders = nullptr;
  Received.clear();
  Received.shrink_to_fit();
  ReadOffset = 0;
}

int16_t DownLoadFile(const std::string& url, const std::string& localPath, const LoadCancel* cancel) {
  if (url.empty() || localPath.empty()) return 0;
  if (UrlHandle) {
    // A yield of an earlier fetch led here; that fetch keeps the handles.
    LastErrorText = fetchFailureText(url, "別の受信の途中です");
    return -1;
  }

  const int fd = ::open(localPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    LastErrorText = fileCreateFailureText(localPath, errno);
    return -1;
  }
  FetchCleanup cleanup(fd);
  if (!OpenUrl(url)) {
    LastErrorText = fetchFailureText(url, "通信機能を準備できません");
    return -1;
  }
  cleanup.urlOpen = true;

  // Nothing past the limit reaches the disk, and what came before it is no
  // master file: it goes too.
  auto tooLarge = [&] {
    LastErrorText = fetchFailureText(url, sizeLimitCause(SizeLimit));
    cleanup.closeFile();
    ::unlink(localPath.c_str());
    return int16_t{-1};
  };
  ReadBuffer buffer;
  std::uint64_t written = 0;
  for (int32_t count = ReadChunk(buffer, cancel); count != 0; count = ReadChunk(buffer, cancel)) {
    if (count == ReadCancelled) return FetchCancelled;
    if (count == ReadTooLarge) return tooLarge();
    if (count < 0) return -1;
    if (static_cast<std::uint64_t>(count) > SizeLimit - written) return tooLarge();
    if (!writeAll(fd, buffer.data(), static_cast<std::size_t>(count))) {
      LastErrorText = fileWriteFailureText(localPath, errno);
      return -1;
    }
    written += static_cast<std::uint64_t>(count);
    toolkit().yield();
    if (cancelRequested(cancel)) return FetchCancelled;
  }
  if (!cleanup.closeFile()) {
    LastErrorText = fileWriteFailureText(localPath, errno);
    return -1;
  }
  return 0;
}

}  // namespace nk
