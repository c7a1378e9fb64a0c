// fetch_failure_text.h - Japanese descriptions of failed fetches, for the
// "異常終了" box that a download step shows after both servers failed.
#pragma once

#include <curl/curl.h>

#include <cstdint>
#include <string>

namespace nk {

// Why the transfer on handle failed with code, e.g. "HTTP ステータス 404",
// "接続できません", "受信が途中で切れました", "応答がありません".
std::string transferFailureCause(CURL* handle, CURLcode code);

// The cause of a body beyond limit bytes: "サイズが上限（<limit> バイト）を超えました".
std::string sizeLimitCause(std::uint64_t limit);

// "<url> の受信に失敗しました（<cause>）"
std::string fetchFailureText(const std::string& url, const std::string& cause);
// "<path> を作成できません（<errno cause>）" and its writing twin.
std::string fileCreateFailureText(const std::string& path, int errnoValue);
std::string fileWriteFailureText(const std::string& path, int errnoValue);

}  // namespace nk
