// system_error_text.h - Japanese descriptions of operating-system errors, for
// the texts that the player sees in a message box.
//
// Each platform maps its own codes (errno values, Win32 error codes) onto the
// same causes, so that a player reads the same words for the same fault.
#pragma once

#include <string>
#include <string_view>

namespace nk {

namespace cause {
inline constexpr std::string_view NoSuchFile = "ファイルまたはフォルダーがありません";
inline constexpr std::string_view AccessDenied = "アクセスが拒否されました";
inline constexpr std::string_view ReadOnlyPlace = "読み取り専用の場所です";
inline constexpr std::string_view IsFolder = "同じ名前のフォルダーがあります";
inline constexpr std::string_view NotAFolder = "パスの途中がフォルダーではありません";
inline constexpr std::string_view DiskFull = "ディスクの空き領域が足りません";
inline constexpr std::string_view QuotaExceeded = "ディスクの使用量の上限を超えました";
inline constexpr std::string_view FileTooLarge = "ファイルが大きすぎます";
inline constexpr std::string_view TooManyOpenFiles = "開いているファイルが多すぎます";
inline constexpr std::string_view NameTooLong = "ファイル名が長すぎます";
inline constexpr std::string_view FileInUse = "ファイルが使用中です";
inline constexpr std::string_view InputOutput = "入出力エラーが発生しました";
// Our own words for what a save refuses; no system call reports these.
inline constexpr std::string_view NotRegular = "通常のファイルではありません";
inline constexpr std::string_view ReadOnly = "読み取り専用のファイルです";
}  // namespace cause

// The cause behind an errno value, for example "ファイルまたはフォルダーがありません".
std::string systemErrorText(int errnoValue);

// The cause of the last failed call of the platform on this thread (errno on
// POSIX systems, GetLastError on Windows).
std::string lastSystemErrorText();

}  // namespace nk
