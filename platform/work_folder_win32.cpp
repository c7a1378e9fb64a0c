// work_folder_win32.cpp - this program's folder and this player's data folder.
#include "platform/win32_support.h"
#include "platform/work_folder.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <vector>

namespace nk {

namespace {

std::wstring programPath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return std::wstring(buffer.data(), n);
    buffer.resize(buffer.size() * 2);  // a long path: ask again with room
  }
}

std::wstring localAppData() {
  PWSTR found = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &found))) folder = found;
  CoTaskMemFree(found);
  return folder;
}

}  // namespace

WorkFolder enterWorkFolder() {
  const std::wstring exe = programPath();
  const std::wstring local = localAppData();
  if (exe.empty() || local.empty()) return {{}, {}, "データのフォルダが分かりません。"};
  const std::wstring programFolder = exe.substr(0, exe.find_last_of(L"\\/"));
  WorkFolder chosen = chooseWorkFolder(narrow(programFolder), narrow(local + L"\\norukaku-client"));
  if (chosen.failure.empty() && !SetCurrentDirectoryW(widen(chosen.path).c_str()))
    chosen.failure = "フォルダ " + chosen.path + " に移れません（" + win32ErrorText(GetLastError()) + "）。";
  if (!chosen.failure.empty()) chosen.path.clear();
  return chosen;
}

std::string bundledMastersFolder() {
  const std::wstring exe = programPath();
  if (exe.empty()) return {};
  return narrow(exe.substr(0, exe.find_last_of(L"\\/")) + L"\\masters");
}

}  // namespace nk
