// fetch_failure_text.cpp - the Japanese texts of a failed fetch.
#include "net/fetch_failure_text.h"

namespace nk {

std::string sizeLimitCause(std::uint64_t limit) {
  return "サイズが上限（" + std::to_string(limit) + " バイト）を超えました";
}

std::string fetchFailureText(const std::string& url, const std::string& cause) {
  return url + " の受信に失敗しました（" + cause + "）";
}

std::string fileCreateFailureText(const std::string& path, const std::string& cause) {
  return path + " を作成できません（" + cause + "）";
}

std::string fileWriteFailureText(const std::string& path, const std::string& cause) {
  return path + " に書き込めません（" + cause + "）";
}

}  // namespace nk
