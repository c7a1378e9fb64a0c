// held_file_win32.cpp - the holder's two sides: the test that starts the
// child, and the child, which takes its part before main() when it finds its
// orders in the environment.
#include "held_file_win32.h"

#include <stdexcept>

namespace nk::test {
namespace {

constexpr wchar_t OrdersVariable[] = L"NK_TEST_HOLD_FILE";

std::wstring eventName(DWORD process, unsigned serial, const wchar_t* what) {
  return L"Local\\nk-test-hold-" + std::to_wstring(process) + L"-" + std::to_wstring(serial) + L"-" + what;
}

// In the child: "<share> <ready event> <release event> <path>" -> hold the
// file, say so, wait to be let go, end without running any test.
const bool childRan = [] {
  wchar_t orders[4096];
  const DWORD n = ::GetEnvironmentVariableW(OrdersVariable, orders, static_cast<DWORD>(std::size(orders)));
  if (n == 0 || n >= std::size(orders)) return false;
  const std::wstring text(orders, n);
  const size_t a = text.find(L' ');
  const size_t b = text.find(L' ', a + 1);
  const size_t c = text.find(L' ', b + 1);
  if (a == std::wstring::npos || b == std::wstring::npos || c == std::wstring::npos) ::ExitProcess(2);
  const DWORD share = static_cast<DWORD>(std::stoul(text.substr(0, a)));
  const HANDLE ready = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, text.substr(a + 1, b - a - 1).c_str());
  const HANDLE release = ::OpenEventW(SYNCHRONIZE, FALSE, text.substr(b + 1, c - b - 1).c_str());
  const HANDLE held = ::CreateFileW(text.substr(c + 1).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (!ready || !release || held == INVALID_HANDLE_VALUE) ::ExitProcess(3);
  ::SetEvent(ready);
  ::WaitForSingleObject(release, 60000);
  ::ExitProcess(0);
}();

}  // namespace

FileHeldElsewhere::FileHeldElsewhere(const std::wstring& path, DWORD share) {
  static unsigned serial = 0;
  ++serial;
  const std::wstring readyName = eventName(::GetCurrentProcessId(), serial, L"ready");
  const std::wstring releaseName = eventName(::GetCurrentProcessId(), serial, L"release");
  const HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, readyName.c_str());
  release_ = ::CreateEventW(nullptr, TRUE, FALSE, releaseName.c_str());
  wchar_t self[MAX_PATH * 4];
  const DWORD selfLength = ::GetModuleFileNameW(nullptr, self, static_cast<DWORD>(std::size(self)));
  if (!ready || !release_ || selfLength == 0 || selfLength >= std::size(self))
    throw std::runtime_error("cannot prepare the holding program");
  const std::wstring orders = std::to_wstring(share) + L" " + readyName + L" " + releaseName + L" " + path;
  ::SetEnvironmentVariableW(OrdersVariable, orders.c_str());
  std::wstring commandLine = L"\"" + std::wstring(self, selfLength) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  const BOOL started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &child);
  ::SetEnvironmentVariableW(OrdersVariable, nullptr);
  if (!started) {
    ::CloseHandle(ready);
    throw std::runtime_error("cannot start the holding program");
  }
  ::CloseHandle(child.hThread);
  process_ = child.hProcess;
  // Ready, or the child ended without holding the file.
  const HANDLE either[] = {ready, process_};
  const DWORD woke = ::WaitForMultipleObjects(2, either, FALSE, 30000);
  ::CloseHandle(ready);
  if (woke != WAIT_OBJECT_0) {
    ::TerminateProcess(process_, 1);
    ::CloseHandle(process_);
    ::CloseHandle(release_);
    throw std::runtime_error("the holding program did not take the file");
  }
}

FileHeldElsewhere::~FileHeldElsewhere() {
  ::SetEvent(release_);
  ::WaitForSingleObject(process_, 30000);
  ::CloseHandle(process_);
  ::CloseHandle(release_);
}

}  // namespace nk::test
