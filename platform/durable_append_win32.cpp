// durable_append_win32.cpp - one write through a handle opened for appending
// only, then FlushFileBuffers.
#include "platform/durable_append.h"

#include "platform/system_error_text.h"
#include "platform/win32_support.h"

#include <windows.h>

#include <algorithm>

namespace nk {
namespace {

HANDLE asHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

AppendFile::AppendFile(const std::string& path) : path_(path) {
  const std::wstring wide = widen(path);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
      cause_ = std::string(cause::IsFolder);
      return;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) {
      cause_ = std::string(cause::ReadOnly);
      return;
    }
  } else if (::GetLastError() != ERROR_FILE_NOT_FOUND) {
    cause_ = lastSystemErrorText();
    return;
  }
  // Append access without write access: every write lands at the end of the file.
  const HANDLE h = ::CreateFileW(wide.c_str(), FILE_APPEND_DATA | FILE_READ_DATA | SYNCHRONIZE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr);
  takeOpenedFile(h, handle_, size_, cause_);
}

AppendFile::~AppendFile() {
  if (isOpen()) ::CloseHandle(asHandle(handle_));
}

bool AppendFile::readAt(int64_t offset, size_t n, std::string& bytes) {
  if (readFileAt(handle_, offset, n, bytes, cause_)) return true;
  return false;
}

bool AppendFile::appendAndClose(std::string_view bytes) {
  const HANDLE h = asHandle(handle_);
  handle_ = Closed;
  // The append-only handle cannot set the file's end; a second one can.
  auto fail = [&](std::string cause) {
    ::CloseHandle(h);
    const HANDLE writer = ::CreateFileW(widen(path_).c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (writer != INVALID_HANDLE_VALUE) {
      LARGE_INTEGER at{};
      at.QuadPart = size_;
      if (::SetFilePointerEx(writer, at, nullptr, FILE_BEGIN)) ::SetEndOfFile(writer);
      ::CloseHandle(writer);
    }
    cause_ = std::move(cause);
    return false;
  };
  // One write: a crash leaves at most this addition torn.
  DWORD written = 0;
  if (!::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
    return fail(lastSystemErrorText());
  if (written != bytes.size()) return fail(std::string(cause::DiskFull));
  if (!::FlushFileBuffers(h)) return fail(lastSystemErrorText());
  if (!::CloseHandle(h)) {
    cause_ = lastSystemErrorText();
    return false;
  }
  return true;
}

}  // namespace nk
