// curl_failure_text.h - why a libcurl transfer failed, in Japanese.
#pragma once

#include <curl/curl.h>

#include <string>

namespace nk {

// Why the transfer on handle failed with code, e.g. "HTTP ステータス 404",
// "接続できません", "受信が途中で切れました", "応答がありません".
std::string transferFailureCause(CURL* handle, CURLcode code);

}  // namespace nk
