// curl_failure_text.cpp - libcurl results as Japanese causes.
#include "net/curl_failure_text.h"

namespace nk {

namespace {

// A timeout before the connection stood is the server's absence; after it,
// the server's silence.
bool connectionWasMade(CURL* handle) {
  curl_off_t connectTime = 0;
  return handle && curl_easy_getinfo(handle, CURLINFO_CONNECT_TIME_T, &connectTime) == CURLE_OK &&
         connectTime > 0;
}

long httpStatus(CURL* handle) {
  long status = 0;
  if (handle) curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
  return status;
}

}  // namespace

std::string transferFailureCause(CURL* handle, CURLcode code) {
  switch (code) {
    case CURLE_HTTP_RETURNED_ERROR:
      return "HTTP ステータス " + std::to_string(httpStatus(handle));
    case CURLE_COULDNT_RESOLVE_HOST:
      return "サーバー名が見つかりません";
    case CURLE_COULDNT_RESOLVE_PROXY:
      return "プロキシサーバー名が見つかりません";
    case CURLE_COULDNT_CONNECT:
      return "接続できません";
    case CURLE_OPERATION_TIMEDOUT:
      return connectionWasMade(handle) ? "応答がありません" : "時間内に接続できません";
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
      return "受信が途中で切れました";
    case CURLE_GOT_NOTHING:
      return "サーバーが何も返さずに接続を閉じました";
    case CURLE_SEND_ERROR:
      return "要求を送信できません";
    case CURLE_WEIRD_SERVER_REPLY:
      return "サーバーの応答が正しくありません";
    case CURLE_TOO_MANY_REDIRECTS:
      return "リダイレクトが多すぎます";
    case CURLE_UNSUPPORTED_PROTOCOL:
      return "対応していないプロトコルです";
    case CURLE_URL_MALFORMAT:
      return "URL が正しくありません";
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
      return "安全な接続を確立できません";
    case CURLE_OUT_OF_MEMORY:
      return "メモリが足りません";
    default:
      return "通信エラー " + std::to_string(static_cast<int>(code)) + "（" + curl_easy_strerror(code) + "）";
  }
}

}  // namespace nk
