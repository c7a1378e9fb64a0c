// wininet_request.cpp - one HTTP GET through the WinINet calls.
#include "net/wininet_request.h"

#include "net/wininet_failure_text.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cctype>
#include <charconv>

namespace nk {
namespace {

constexpr int MaxRedirects = 10;
constexpr DWORD RequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_AUTO_REDIRECT |
                               INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES;
// Asked of every server, and of any proxy cache between.
constexpr char NoCacheHeaders[] = "Cache-Control: no-cache\r\nPragma: no-cache\r\n";

HINTERNET handle(void* h) { return static_cast<HINTERNET>(h); }

void CALLBACK statusCallback(HINTERNET, DWORD_PTR context, DWORD status, LPVOID, DWORD) {
  if (status == INTERNET_STATUS_CONNECTED_TO_SERVER && context != 0)
    reinterpret_cast<WinInetRequest*>(context)->noteConnected();
}

std::optional<std::string> queryText(HINTERNET request, DWORD info) {
  char text[2048];
  DWORD length = sizeof text;
  if (!::HttpQueryInfoA(request, info, text, &length, nullptr)) return std::nullopt;
  return std::string(text, length);
}

bool isRedirect(DWORD status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The scheme of an absolute URL, in lower case ("" when it has none).
std::string schemeOf(const std::string& url) {
  const size_t colon = url.find(':');
  if (colon == std::string::npos) return {};
  std::string scheme = url.substr(0, colon);
  for (char& c : scheme) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return scheme;
}

// location taken relative to base, as a browser would.
std::optional<std::string> combine(const std::string& base, const std::string& location) {
  char text[4096];
  DWORD length = sizeof text;
  if (!::InternetCombineUrlA(base.c_str(), location.c_str(), text, &length, ICU_NO_ENCODE)) return std::nullopt;
  return std::string(text, length);
}

}  // namespace

WinInetRequest::WinInetRequest(const std::string& url, const FetchOptions& options) : options_(options), url_(url) {
  session_ = ::InternetOpenA("Sample", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  if (!session_) return;
  const FetchLimits& limits = options_.limits;
  DWORD connectMs = static_cast<DWORD>(std::max<long long>(1, limits.connectTimeout.count()));
  DWORD stallMs = static_cast<DWORD>(std::max<long long>(1, limits.stallTime.count()));
  ::InternetSetOptionA(handle(session_), INTERNET_OPTION_CONNECT_TIMEOUT, &connectMs, sizeof connectMs);
  ::InternetSetOptionA(handle(session_), INTERNET_OPTION_RECEIVE_TIMEOUT, &stallMs, sizeof stallMs);
  ::InternetSetOptionA(handle(session_), INTERNET_OPTION_SEND_TIMEOUT, &stallMs, sizeof stallMs);
  ::InternetSetStatusCallbackA(handle(session_), &statusCallback);
}

WinInetRequest::~WinInetRequest() {
  closeRequest();
  closeSession();
}

void WinInetRequest::closeSession() {
  std::lock_guard lock(mutex_);
  if (!session_ || sessionClosed_) return;
  sessionClosed_ = true;
  ::InternetCloseHandle(handle(session_));
}

void WinInetRequest::closeRequest() {
  if (request_) ::InternetCloseHandle(handle(request_));
  request_ = nullptr;
}

std::string WinInetRequest::cause() const {
  std::lock_guard lock(mutex_);
  return cause_;
}

void WinInetRequest::setCause(const std::string& cause) {
  std::lock_guard lock(mutex_);
  cause_ = cause;
}

std::optional<std::chrono::steady_clock::time_point> WinInetRequest::connectedAt() const {
  std::lock_guard lock(mutex_);
  return connectedAt_;
}

void WinInetRequest::noteConnected() {
  std::lock_guard lock(mutex_);
  if (!connectedAt_) connectedAt_ = std::chrono::steady_clock::now();
}

// The table of causes is written in plain numbers; these are its names.
static_assert(ERROR_INTERNET_TIMEOUT == 12002 && ERROR_INTERNET_NAME_NOT_RESOLVED == 12007 &&
              ERROR_INTERNET_CANNOT_CONNECT == 12029 && ERROR_INTERNET_SEC_CERT_NO_REV == 12056 &&
              ERROR_INTERNET_SEC_CERT_REV_FAILED == 12057 && ERROR_INTERNET_PROXY_SERVER_UNREACHABLE == 12165 &&
              ERROR_INTERNET_SEC_INVALID_CERT == 12169 && ERROR_INTERNET_SEC_CERT_REVOKED == 12170 &&
              ERROR_INTERNET_SECURITY_CHANNEL_ERROR == 12157 && HTTP_STATUS_PROXY_AUTH_REQ == 407);

std::string WinInetRequest::causeOf(unsigned long error) const {
  return wininetFailureCause(error, connectedAt().has_value());
}

int32_t WinInetRequest::open() {
  std::string url = url_;
  auto fail = [this](const std::string& cause) {
    setCause(cause);
    return ReadFailed;
  };
  for (int redirects = 0;; ++redirects) {
    if (schemeOf(url) != "http" && schemeOf(url) != "https") return fail("対応していないプロトコルです");
    request_ = ::InternetOpenUrlA(handle(session_), url.c_str(), NoCacheHeaders, static_cast<DWORD>(-1L),
                                  RequestFlags, reinterpret_cast<DWORD_PTR>(this));
    if (!request_) return fail(causeOf(::GetLastError()));
    DWORD status = 0;
    DWORD length = sizeof status;
    if (!::HttpQueryInfoA(handle(request_), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &length,
                          nullptr))
      return fail(causeOf(::GetLastError()));
    if (isRedirect(status)) {
      const std::optional<std::string> location = queryText(handle(request_), HTTP_QUERY_LOCATION);
      closeRequest();
      if (redirects == MaxRedirects) return fail("リダイレクトが多すぎます");
      const std::optional<std::string> next = location ? combine(url, *location) : std::nullopt;
      if (!next) return fail("サーバーの応答が正しくありません");
      url = *next;
      continue;
    }
    // An error page is not the file asked for.
    if (status >= 400) return fail(httpStatusCause(status));
    if (const auto text = queryText(handle(request_), HTTP_QUERY_CONTENT_LENGTH)) {
      std::uint64_t announced = 0;
      const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), announced);
      if (ec == std::errc::result_out_of_range) return ReadTooLarge;
      if (ec == std::errc() && end == text->data() + text->size()) {
        if (announced > options_.limits.maxBodyBytes) return ReadTooLarge;
        announced_ = announced;
      }
    }
    return Opened;
  }
}

int32_t WinInetRequest::readChunk() {
  // A synchronous read waits until it has filled its buffer; asking first
  // what has arrived hands out a trickle as it comes, as the curl build does.
  DWORD available = 0;
  if (!::InternetQueryDataAvailable(handle(request_), &available, 0, 0)) {
    setCause(causeOf(::GetLastError()));
    return ReadFailed;
  }
  const DWORD wanted = std::clamp<DWORD>(available, 1, static_cast<DWORD>(chunk_.size()));
  DWORD count = 0;
  if (!::InternetReadFile(handle(request_), chunk_.data(), wanted, &count)) {
    setCause(causeOf(::GetLastError()));
    return ReadFailed;
  }
  if (count == 0 && announced_ && received_ < *announced_) {
    // WinINet ends a body that the server cut short as if it were whole.
    setCause("受信が途中で切れました");
    return ReadFailed;
  }
  received_ += count;
  return static_cast<int32_t>(count);
}

}  // namespace nk
