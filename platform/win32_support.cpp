// win32_support.cpp - UTF-8 and UTF-16 for the Win32 calls, and a read at an offset.
#include "platform/win32_support.h"

#include "platform/system_error_text.h"

#include <windows.h>

#include <algorithm>

namespace nk {

std::wstring widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

std::string narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

bool readFileAt(std::intptr_t handle, int64_t offset, size_t n, std::string& bytes, std::string& cause) {
  bytes.assign(n, '\0');
  for (size_t got = 0; got < n;) {
    const auto at = static_cast<ULONGLONG>(offset) + got;
    OVERLAPPED where{};
    where.Offset = static_cast<DWORD>(at);
    where.OffsetHigh = static_cast<DWORD>(at >> 32);
    const auto piece = static_cast<DWORD>(std::min<size_t>(n - got, 1u << 30));
    DWORD r = 0;
    if (!::ReadFile(reinterpret_cast<HANDLE>(handle), bytes.data() + got, piece, &r, &where)) {
      cause = lastSystemErrorText();
      return false;
    }
    if (r == 0) {
      cause = std::string(cause::InputOutput);
      return false;
    }
    got += r;
  }
  return true;
}

bool takeOpenedFile(void* opened, std::intptr_t& handle, int64_t& size, std::string& cause) {
  const HANDLE h = static_cast<HANDLE>(opened);
  if (h == INVALID_HANDLE_VALUE) {
    cause = lastSystemErrorText();
    return false;
  }
  LARGE_INTEGER bytes{};
  if (!::GetFileSizeEx(h, &bytes)) {
    cause = lastSystemErrorText();
    ::CloseHandle(h);
    return false;
  }
  handle = reinterpret_cast<std::intptr_t>(h);
  size = bytes.QuadPart;
  return true;
}

}  // namespace nk
