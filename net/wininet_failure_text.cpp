// wininet_failure_text.cpp - WinINet's error codes (wininet.h) in Japanese.
#include "net/wininet_failure_text.h"

namespace nk {

std::string wininetFailureCause(unsigned long error, bool connected) {
  switch (error) {
    case 8: return "メモリが足りません";  // ERROR_NOT_ENOUGH_MEMORY
    case 12002: return connected ? "応答がありません" : "時間内に接続できません";  // ERROR_INTERNET_TIMEOUT
    case 12005: return "URL が正しくありません";                             // ERROR_INTERNET_INVALID_URL
    case 12006: return "対応していないプロトコルです";                       // ERROR_INTERNET_UNRECOGNIZED_SCHEME
    case 12007: return "サーバー名が見つかりません";                         // ERROR_INTERNET_NAME_NOT_RESOLVED
    case 12029: return "接続できません";                                     // ERROR_INTERNET_CANNOT_CONNECT
    case 12030:                                                              // ERROR_INTERNET_CONNECTION_ABORTED
    case 12031: return "受信が途中で切れました";                             // ERROR_INTERNET_CONNECTION_RESET
    case 12152: return "サーバーの応答が正しくありません";                   // ERROR_HTTP_INVALID_SERVER_RESPONSE
    case 12037:                                                              // ERROR_INTERNET_SEC_CERT_DATE_INVALID
    case 12038:                                                              // ERROR_INTERNET_SEC_CERT_CN_INVALID
    case 12045:                                                              // ERROR_INTERNET_INVALID_CA
    case 12055:                                                              // ERROR_INTERNET_SEC_CERT_ERRORS
    case 12157: return "安全な接続を確立できません";                         // ERROR_INTERNET_SECURITY_CHANNEL_ERROR
    case 12044: return "サーバーがクライアント証明書を求めています";         // ERROR_INTERNET_CLIENT_AUTH_CERT_NEEDED
    case 12056:                                                              // ERROR_INTERNET_SEC_CERT_NO_REV
    case 12057: return "サーバーの証明書が失効していないか確かめられません"; // ERROR_INTERNET_SEC_CERT_REV_FAILED
    case 12169: return "サーバーの証明書が正しくありません";                 // ERROR_INTERNET_SEC_INVALID_CERT
    case 12170: return "サーバーの証明書は失効しています";                   // ERROR_INTERNET_SEC_CERT_REVOKED
    case 12165: return "プロキシサーバーに接続できません";                   // ERROR_INTERNET_PROXY_SERVER_UNREACHABLE
    case 12166:                                                              // ERROR_INTERNET_BAD_AUTO_PROXY_SCRIPT
    case 12167: return "プロキシの自動構成スクリプトを使えません";           // ERROR_INTERNET_UNABLE_TO_DOWNLOAD_SCRIPT
    default: return "通信エラー " + std::to_string(error);
  }
}

std::string httpStatusCause(unsigned long status) {
  const std::string code = "HTTP ステータス " + std::to_string(status);
  if (status == 407) return "プロキシサーバーの認証が必要です（" + code + "）";
  return code;
}

}  // namespace nk
