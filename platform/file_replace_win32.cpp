// file_replace_win32.cpp - write to a temporary file, flush it, and let
// ReplaceFileW put it in the old one's place (keeping that file's attributes
// and access rights); or, where that cannot work, rewrite the old file in place.
#include "platform/file_replace.h"

#include "platform/file_name.h"
#include "platform/system_error_text.h"
#include "platform/win32_support.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <optional>

namespace nk {
namespace {

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

FileWriteResult failure(const std::string& path, const std::string& cause) {
  return {false, cannotWriteText(path, cause)};
}

class Handle {
public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() { if (valid()) ::CloseHandle(h_); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  bool close() {
    const HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return ::CloseHandle(h) != 0;
  }

private:
  HANDLE h_;
};

bool writeAll(HANDLE h, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    if (!::WriteFile(h, bytes.data(), piece, &written, nullptr)) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// The file a link names, so that a link stays a link.
std::wstring finalPath(const std::wstring& path) {
  Handle h(::CreateFileW(path.c_str(), 0, ShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!h.valid()) return path;
  wchar_t buffer[MAX_PATH * 4];
  const DWORD n = ::GetFinalPathNameByHandleW(h.get(), buffer, static_cast<DWORD>(std::size(buffer)), 0);
  if (n == 0 || n >= std::size(buffer)) return path;
  return std::wstring(buffer, n);
}

// Only for an existing file that a replacement cannot take the place of: a
// crash halfway leaves it partly written. The room is reserved first, so that
// a full disk fails before a byte of the old content has changed.
FileWriteResult writeInPlace(const std::string& path, const std::wstring& file, std::string_view bytes) {
  Handle h(::CreateFileW(file.c_str(), GENERIC_WRITE, ShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                         nullptr));
  if (!h.valid()) return failure(path, lastSystemErrorText());
  FILE_ALLOCATION_INFO room{};
  room.AllocationSize.QuadPart = static_cast<LONGLONG>(bytes.size());
  if (!bytes.empty() && !::SetFileInformationByHandle(h.get(), FileAllocationInfo, &room, sizeof room)) {
    const DWORD err = ::GetLastError();
    if (err != ERROR_INVALID_PARAMETER && err != ERROR_NOT_SUPPORTED && err != ERROR_INVALID_FUNCTION &&
        err != ERROR_CALL_NOT_IMPLEMENTED)
      return failure(path, win32ErrorText(err));
  }
  auto damaged = [&] {
    FileWriteResult r = failure(path, lastSystemErrorText());
    r.oldKept = false;
    return r;
  };
  if (!writeAll(h.get(), bytes) || !::SetEndOfFile(h.get()) || !::FlushFileBuffers(h.get())) return damaged();
  if (!h.close()) return damaged();
  return {true, {}};
}

// The temporary file and the replacement name the same folder whatever the
// working folder is meanwhile.
std::wstring fullPath(const std::wstring& path) {
  wchar_t buffer[MAX_PATH * 4];
  const DWORD n = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(std::size(buffer)), buffer, nullptr);
  if (n == 0 || n >= std::size(buffer)) return path;
  return std::wstring(buffer, n);
}

// A new name beside the file that no other file has.
std::wstring temporaryName(const std::wstring& folderPrefix, unsigned attempt) {
  static std::atomic<unsigned> counter{0};
  const unsigned long long salt = (static_cast<unsigned long long>(::GetCurrentProcessId()) << 32) ^
                                  ::GetTickCount64() ^ (counter++ * 2654435761u) ^ attempt;
  wchar_t suffix[17];
  for (int i = 0; i < 16; ++i) suffix[i] = L"0123456789abcdef"[(salt >> (4 * i)) & 15];
  suffix[16] = L'\0';
  return folderPrefix + L".nk-save-" + suffix;
}

// The names temporaryName gives: ".nk-save-" and sixteen hexadecimal digits.
bool isSaveTemporaryName(std::wstring_view name) {
  constexpr std::wstring_view Prefix = L".nk-save-";
  if (name.size() != Prefix.size() + 16 || name.substr(0, Prefix.size()) != Prefix) return false;
  for (const wchar_t c : name.substr(Prefix.size()))
    if (!((c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f'))) return false;
  return true;
}

// Removes the temporary files of killed saves from the folder (see the header).
void removeStaleTemporaries(const std::wstring& folderPrefix) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW((folderPrefix + L".nk-save-*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  FILETIME nowFile{};
  ::GetSystemTimeAsFileTime(&nowFile);
  auto ticks = [](const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  const unsigned long long now = ticks(nowFile);
  constexpr unsigned long long TicksPerSecond = 10000000ull;
  do {
    if (!isSaveTemporaryName(found.cFileName)) continue;
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
    const unsigned long long written = ticks(found.ftLastWriteTime);
    if (written > now || now - written < static_cast<unsigned long long>(StaleSaveSeconds) * TicksPerSecond)
      continue;
    ::DeleteFileW((folderPrefix + found.cFileName).c_str());
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

// The errors of a file that another program holds open for the moment.
bool heldElsewhere(DWORD err) {
  return err == ERROR_SHARING_VIOLATION || err == ERROR_LOCK_VIOLATION || err == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

// Before an existing file is replaced: why it cannot be (held: only because
// another program holds it), or the write in place where no replacement can
// take its place; nothing when one can.
std::optional<FileWriteResult> beforeReplacing(const std::string& path, const std::wstring& file, DWORD attributes,
                                               std::string_view bytes, bool& held) {
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return failure(path, std::string(cause::IsFolder));
  if (attributes & FILE_ATTRIBUTE_DEVICE) return failure(path, "通常のファイルではありません");
  // The read-only attribute is the owner's wish that the file not change,
  // even where the folder would let a replacement take its place.
  if (attributes & FILE_ATTRIBUTE_READONLY) return failure(path, "読み取り専用のファイルです");
  // Opening for writing asks whether this user may change the file (and
  // whether another program holds it shut), and changes nothing.
  Handle probe(::CreateFileW(file.c_str(), GENERIC_WRITE, ShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                             nullptr));
  if (!probe.valid()) {
    const DWORD err = ::GetLastError();
    held = heldElsewhere(err);
    return failure(path, win32ErrorText(err));
  }
  BY_HANDLE_FILE_INFORMATION info{};
  // A replacement would split a file with more than one name.
  if (::GetFileInformationByHandle(probe.get(), &info) && info.nNumberOfLinks > 1) {
    probe.close();
    return writeInPlace(path, file, bytes);
  }
  probe.close();
  // A replacement removes the old file: another program that holds it open
  // without allowing that keeps it, and the save fails before it begins.
  // Where this user may change the file but not remove it, it is written in place.
  Handle removable(::CreateFileW(file.c_str(), DELETE, ShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
  if (!removable.valid()) {
    const DWORD err = ::GetLastError();
    if (err == ERROR_ACCESS_DENIED) return writeInPlace(path, file, bytes);
    held = heldElsewhere(err);
    return failure(path, win32ErrorText(err));
  }
  return std::nullopt;
}

// Writes the bytes into a new temporary file beside the file (named in temp),
// flushed and closed: nothing when it is ready, else the save's outcome (the
// temporary file gone; in place where only the folder refuses it).
std::optional<FileWriteResult> writeTemporary(const std::string& path, const std::wstring& file,
                                              const std::wstring& folderPrefix, bool exists, std::string_view bytes,
                                              std::wstring& temp) {
  HANDLE created = INVALID_HANDLE_VALUE;
  for (unsigned attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
    temp = temporaryName(folderPrefix, attempt);
    created = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) break;
  }
  Handle out(created);
  if (!out.valid()) {
    const DWORD err = ::GetLastError();
    if (exists && err == ERROR_ACCESS_DENIED) return writeInPlace(path, file, bytes);
    return FileWriteResult{false, cannotWriteFolderText(path, win32ErrorText(err))};
  }
  auto abandon = [&](DWORD err) {
    out.close();
    ::DeleteFileW(temp.c_str());
    return failure(path, win32ErrorText(err));
  };
  if (!writeAll(out.get(), bytes)) return abandon(::GetLastError());
  if (!::FlushFileBuffers(out.get())) return abandon(::GetLastError());
  if (!out.close()) {
    const DWORD err = ::GetLastError();
    ::DeleteFileW(temp.c_str());
    return failure(path, win32ErrorText(err));
  }
  return std::nullopt;
}

// Puts the written temporary file in the file's place: a new name for a new
// file, a replacement that keeps the old file's attributes otherwise.
FileWriteResult putInPlace(const std::string& path, const std::wstring& file, const std::wstring& temp,
                           const std::wstring& folderPrefix, std::optional<DWORD> oldAttributes,
                           std::string_view bytes, bool& held) {
  if (!oldAttributes) {
    if (::MoveFileExW(temp.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      removeStaleTemporaries(folderPrefix);
      return {true, {}};
    }
    const DWORD err = ::GetLastError();
    ::DeleteFileW(temp.c_str());
    return failure(path, win32ErrorText(err));
  }
  if (::ReplaceFileW(file.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    // The replacement carries the old file's attributes on Windows itself;
    // setting them again costs nothing and holds where it is not so.
    ::SetFileAttributesW(file.c_str(), *oldAttributes & ~FILE_ATTRIBUTE_NORMAL);
    removeStaleTemporaries(folderPrefix);
    return {true, {}};
  }
  const DWORD err = ::GetLastError();
  if (err == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
    // The old file has lost its name to no replacement: nothing is as it was.
    FileWriteResult r = failure(path, win32ErrorText(err));
    r.oldKept = false;
    return r;
  }
  ::DeleteFileW(temp.c_str());
  // Another program that holds the file without letting it be removed: the
  // old file stands as it was.
  if (err == ERROR_UNABLE_TO_REMOVE_REPLACED || err == ERROR_SHARING_VIOLATION) {
    held = true;
    return failure(path, std::string(cause::FileInUse));
  }
  // Rights to change the file but not to remove it: write it in place.
  if (err == ERROR_ACCESS_DENIED) return writeInPlace(path, file, bytes);
  return failure(path, win32ErrorText(err));
}

// One try of the replacement; held tells whether it failed, the old file
// whole, only because another program held the file.
FileWriteResult replaceOnce(const std::string& path, std::string_view bytes, bool& held) {
  std::wstring file = fullPath(widen(path));
  DWORD attributes = ::GetFileAttributesW(file.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    file = finalPath(file);
    attributes = ::GetFileAttributesW(file.c_str());
  }
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (!exists) {
    const DWORD err = ::GetLastError();
    if (err != ERROR_FILE_NOT_FOUND && err != ERROR_PATH_NOT_FOUND) return failure(path, win32ErrorText(err));
  }
  if (exists)
    if (std::optional<FileWriteResult> done = beforeReplacing(path, file, attributes, bytes, held)) return *done;
  const size_t slash = file.find_last_of(L"\\/");
  const std::wstring folderPrefix = slash == std::wstring::npos ? std::wstring() : file.substr(0, slash + 1);
  std::wstring temp;
  if (std::optional<FileWriteResult> done = writeTemporary(path, file, folderPrefix, exists, bytes, temp))
    return *done;
  return putInPlace(path, file, temp, folderPrefix, exists ? std::optional(attributes) : std::nullopt, bytes, held);
}

}  // namespace

FileWriteResult replaceFileContents(const std::string& path, std::string_view bytes) {
  // An antivirus or the search indexer opens a file for a moment after it
  // changed: a save that meets it waits for it about a second before it gives
  // up. Every try that fails so leaves the old file whole.
  constexpr int Tries = 11;
  constexpr DWORD Pause = 100;  // milliseconds
  for (int attempt = 1;; ++attempt) {
    bool held = false;
    FileWriteResult result = replaceOnce(path, bytes, held);
    if (result.ok || !held || !result.oldKept || attempt == Tries) return result;
    ::Sleep(Pause);
  }
}

}  // namespace nk
