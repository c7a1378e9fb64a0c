// system_error_text.cpp - errno to a Japanese cause.
#include "system_error_text.h"

#include <cerrno>

namespace nk {

std::string systemErrorText(int errnoValue) {
  switch (errnoValue) {
    case ENOENT: return "ファイルまたはフォルダーがありません";
    case EACCES:
    case EPERM: return "アクセスが拒否されました";
    case EROFS: return "読み取り専用の場所です";
    case EISDIR: return "同じ名前のフォルダーがあります";
    case ENOTDIR: return "パスの途中がフォルダーではありません";
    case ENOSPC: return "ディスクの空き領域が足りません";
    case EDQUOT: return "ディスクの使用量の上限を超えました";
    case EFBIG: return "ファイルが大きすぎます";
    case EMFILE:
    case ENFILE: return "開いているファイルが多すぎます";
    case ENAMETOOLONG: return "ファイル名が長すぎます";
    case EBUSY:
    case ETXTBSY: return "ファイルが使用中です";
    case EIO: return "入出力エラーが発生しました";
    default: return "システムエラー " + std::to_string(errnoValue);
  }
}

}  // namespace nk
