// test_support_win32.cpp - the test helpers on Windows: code page 932 of the
// system, and the POSIX-only helpers answering that they cannot work here.
#include "test_support.h"

#include <windows.h>

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <stdexcept>

namespace nk::test {

bool onWindows() { return true; }

void setTimeZone(const char* tz) {
  ::_putenv_s("TZ", tz ? tz : "");
  ::_tzset();
}

std::string toCp932(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int wideLength = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (wideLength <= 0) throw std::runtime_error("the test text is no UTF-8");
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), wideLength);
  BOOL usedDefault = FALSE;
  const int length = ::WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr, 0, nullptr,
                                           &usedDefault);
  std::string bytes(static_cast<size_t>(length), '\0');
  ::WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, bytes.data(), length, nullptr,
                        &usedDefault);
  if (usedDefault) throw std::runtime_error("code page 932 cannot encode the test text");
  return bytes;
}

std::string fromCp932(const std::string& cp932) {
  if (cp932.empty()) return {};
  const int size = static_cast<int>(cp932.size());
  const int wideLength = ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, cp932.data(), size, nullptr, 0);
  if (wideLength <= 0) throw std::runtime_error("code page 932 cannot decode the test bytes");
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, cp932.data(), size, wide.data(), wideLength);
  const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

// No user is above the read-only attribute on Windows: the action runs here.
int runUnprivileged(const std::function<void()>& action, const std::vector<GroupId>&) {
  action();
  return 0;
}

std::optional<std::string> unprivilegedOutput(const std::function<std::string()>&, const std::vector<GroupId>&) {
  return std::nullopt;
}

std::optional<std::string> withSmallDisk(const std::string&, const std::string&, const std::function<std::string()>&) {
  return std::nullopt;
}

void fillDisk(const std::string& folder) {
  std::ofstream out(folder + "/filler", std::ios::binary | std::ios::app);
  const std::string block(4096, 'x');
  while (out.write(block.data(), static_cast<std::streamsize>(block.size()))) {
  }
}

ScopedCLocale::ScopedCLocale(const std::string& name) {
  const char* previous = std::setlocale(LC_ALL, nullptr);
  previous_ = previous ? previous : "C";
  active_ = std::setlocale(LC_ALL, name.c_str()) != nullptr;
}

ScopedCLocale::~ScopedCLocale() {
  if (active_) std::setlocale(LC_ALL, previous_.c_str());
}

}  // namespace nk::test
