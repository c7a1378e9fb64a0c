// score_history_win32.cpp - reading the history file whole and appending one
// record with a single write through an append-only handle, flushed to the disk.
#include "data/score_history.h"

#include "platform/native_file.h"
#include "platform/system_error_text.h"
#include "platform/win32_support.h"

#include <windows.h>

namespace nk {
namespace {

HistoryAppendResult appendFailure() { return {false, lastSystemErrorText()}; }

}  // namespace

HistoryReadResult readHistory(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(widen(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD err = ::GetLastError();
    if (err == ERROR_FILE_NOT_FOUND) return {};
    return {{}, false, win32ErrorText(err)};
  }
  std::string bytes;
  std::string cause;
  if (!readWholeFile(path, bytes, cause)) return {{}, false, cause};
  return {parseHistory(bytes), true, {}};
}

HistoryAppendResult appendHistoryRecord(const std::string& path, const HistoryRecord& record) {
  const std::wstring wide = widen(path);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return {false, std::string(cause::IsFolder)};
    if (attributes & FILE_ATTRIBUTE_READONLY) return {false, "読み取り専用のファイルです"};
  } else if (::GetLastError() != ERROR_FILE_NOT_FOUND) {
    return appendFailure();
  }
  // Append access without write access: every write lands at the end of the file.
  const HANDLE h = ::CreateFileW(wide.c_str(), FILE_APPEND_DATA | FILE_READ_DATA | SYNCHRONIZE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr);
  if (h == INVALID_HANDLE_VALUE) return appendFailure();
  auto fail = [h]() {
    const DWORD err = ::GetLastError();
    ::CloseHandle(h);
    return HistoryAppendResult{false, win32ErrorText(err)};
  };
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(h, &size)) return fail();
  std::string text;
  if (size.QuadPart == 0) {
    text = std::string(HistoryHeader) + "\r\n";
  } else {
    char tail[2] = {};
    DWORD got = 0;
    OVERLAPPED at{};
    if (size.QuadPart >= 2) {
      const ULONGLONG offset = static_cast<ULONGLONG>(size.QuadPart - 2);
      at.Offset = static_cast<DWORD>(offset);
      at.OffsetHigh = static_cast<DWORD>(offset >> 32);
      if (!::ReadFile(h, tail, 2, &got, &at)) got = 0;
    }
    if (got != 2 || tail[0] != '\r' || tail[1] != '\n') text = "\r\n";
  }
  text += historyLine(record);
  // One write: a crash leaves at most this line torn, which reading skips.
  DWORD written = 0;
  if (!::WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) return fail();
  if (written != text.size()) {
    ::CloseHandle(h);
    return {false, std::string(cause::DiskFull)};
  }
  if (!::FlushFileBuffers(h)) return fail();
  if (!::CloseHandle(h)) return appendFailure();
  return {};
}

}  // namespace nk
