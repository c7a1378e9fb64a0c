// fetch_failure_text.h - Japanese descriptions of failed fetches, for the
// "異常終了" box that a download step shows after both servers failed.
#pragma once

#include <cstdint>
#include <string>

namespace nk {

// The cause of a body beyond limit bytes: "サイズが上限（<limit> バイト）を超えました".
std::string sizeLimitCause(std::uint64_t limit);

// "<url> の受信に失敗しました（<cause>）"
std::string fetchFailureText(const std::string& url, const std::string& cause);
// "<path> を作成できません（<cause>）" and its writing twin; the cause is a
// system error's text (system_error_text.h).
std::string fileCreateFailureText(const std::string& path, const std::string& cause);
std::string fileWriteFailureText(const std::string& path, const std::string& cause);

}  // namespace nk
