// curl_transfer.cpp - one HTTP GET over libcurl, read in bounded pieces.
#include "net/curl_transfer.h"

#include "net/curl_failure_text.h"
#include "toolkit/toolkit.h"

#include <algorithm>
#include <cstring>
#include <mutex>

namespace nk {
namespace {

// Beyond this much unread body the callback pauses the transfer.
constexpr std::size_t UnreadLimit = CURL_MAX_WRITE_SIZE;
constexpr long MaxRedirects = 10;
// Short enough that an idle yield is never much later than IdleYieldInterval.
constexpr int PollMilliseconds = 100;

void initialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

CurlTransfer::CurlTransfer(const std::string& url, const FetchOptions& options) : options_(options) {
  initialiseCurlOnce();
  lastArrival_ = std::chrono::steady_clock::now();
  multi_ = curl_multi_init();
  easy_ = curl_easy_init();
  ready_ = multi_ && easy_ && configure(url) && curl_multi_add_handle(multi_, easy_) == CURLM_OK;
}

CurlTransfer::~CurlTransfer() {
  if (multi_ && easy_) curl_multi_remove_handle(multi_, easy_);
  if (easy_) curl_easy_cleanup(easy_);
  if (multi_) curl_multi_cleanup(multi_);
  curl_slist_free_all(headers_);
}

size_t CurlTransfer::receiveBody(char* data, size_t size, size_t count, void* self) {
  auto& t = *static_cast<CurlTransfer*>(self);
  const size_t length = size * count;
  if (t.received_.size() - t.readOffset_ >= UnreadLimit) {
    t.paused_ = true;
    return CURL_WRITEFUNC_PAUSE;
  }
  t.received_.append(data, length);
  t.lastArrival_ = std::chrono::steady_clock::now();
  return length;
}

bool CurlTransfer::configure(const std::string& url) {
  for (const char* header : {"Cache-Control: no-cache", "Pragma: no-cache"}) {
    curl_slist* longer = curl_slist_append(headers_, header);
    if (!longer) return false;
    headers_ = longer;
  }
  const FetchLimits& limits = options_.limits;
  // libcurl averages the speed over several seconds, which catches a trickle;
  // a server gone silent is caught sooner by the silence check of pump().
  const long stallSeconds = std::max<long>(1, static_cast<long>((limits.stallTime.count() + 999) / 1000));
  bool ok = true;
  auto set = [&](CURLoption option, auto value) { ok = ok && curl_easy_setopt(easy_, option, value) == CURLE_OK; };
  set(CURLOPT_URL, url.c_str());
  set(CURLOPT_PATH_AS_IS, 1L);
  set(CURLOPT_PROTOCOLS_STR, "http,https");
  set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  set(CURLOPT_FOLLOWLOCATION, 1L);
  set(CURLOPT_MAXREDIRS, MaxRedirects);
  set(CURLOPT_USERAGENT, "Sample");
  set(CURLOPT_HTTPHEADER, headers_);
  // An error page is not the file asked for: statuses from 400 on fail the fetch.
  set(CURLOPT_FAILONERROR, 1L);
  // A body announced beyond the limit is refused before any of it is written.
  set(CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBodyBytes));
  set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectTimeout.count()));
  set(CURLOPT_LOW_SPEED_LIMIT, 1L);
  set(CURLOPT_LOW_SPEED_TIME, stallSeconds);
  set(CURLOPT_NOSIGNAL, 1L);
  set(CURLOPT_WRITEFUNCTION, &CurlTransfer::receiveBody);
  set(CURLOPT_WRITEDATA, static_cast<void*>(this));
  return ok;
}

long CurlTransfer::silenceLeft() const {
  const auto deadline = lastArrival_ + options_.limits.stallTime;
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  return std::max<long>(0, static_cast<long>(left.count()));
}

// Runs the transfer until some body is unread or the transfer is over; a
// cancel requested during a yield while the server was silent unwinds it.
void CurlTransfer::pump() {
  auto lastYield = std::chrono::steady_clock::now();
  while (received_.size() == readOffset_ && !done_) {
    if (std::chrono::steady_clock::now() - lastYield >= IdleYieldInterval) {
      toolkit().yield();
      throwIfCancelled(options_.cancel);
      lastYield = std::chrono::steady_clock::now();
    }
    received_.clear();
    readOffset_ = 0;
    if (paused_) {
      // Unpausing hands the bytes libcurl held back to receiveBody at once.
      paused_ = false;
      lastArrival_ = std::chrono::steady_clock::now();
      const CURLcode resumed = curl_easy_pause(easy_, CURLPAUSE_CONT);
      if (resumed != CURLE_OK) {
        done_ = true;
        result_ = resumed;
        return;
      }
      continue;
    }
    int running = 0;
    if (curl_multi_perform(multi_, &running) != CURLM_OK) {
      // With one valid handle this is, in practice, memory running out.
      done_ = true;
      result_ = CURLE_OUT_OF_MEMORY;
      return;
    }
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &queued)) {
      if (message->msg == CURLMSG_DONE) {
        done_ = true;
        result_ = message->data.result;
      }
    }
    if (received_.size() != readOffset_ || done_) return;
    const long waitLimit = silenceLeft();
    if (waitLimit == 0) {
      done_ = true;
      result_ = CURLE_OPERATION_TIMEDOUT;
      return;
    }
    curl_multi_poll(multi_, nullptr, 0, static_cast<int>(std::min<long>(waitLimit, PollMilliseconds)), nullptr);
  }
}

int32_t CurlTransfer::read(ReadBuffer& buffer) {
  if (!ready_) return ReadFailed;
  pump();
  const std::size_t unread = received_.size() - readOffset_;
  if (unread > 0) {
    const std::size_t count = std::min(unread, buffer.size());
    std::memcpy(buffer.data(), received_.data() + readOffset_, count);
    readOffset_ += count;
    return static_cast<int32_t>(count);
  }
  if (result_ == CURLE_OK) return 0;
  if (result_ == CURLE_FILESIZE_EXCEEDED) return ReadTooLarge;
  return ReadFailed;
}

std::string CurlTransfer::failureCause() const { return transferFailureCause(easy_, result_); }

std::unique_ptr<Transfer> openTransfer(const std::string& url, const FetchOptions& options) {
  auto transfer = std::make_unique<CurlTransfer>(url, options);
  if (!transfer->ready()) return nullptr;
  return transfer;
}

}  // namespace nk
