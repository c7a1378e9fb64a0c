// native_file_win32.cpp - output files, removal and reading over CreateFileW,
// WriteFile, DeleteFileW and ReadFile.
#include "platform/native_file.h"

#include "platform/system_error_text.h"
#include "platform/win32_support.h"

#include <windows.h>

#include <algorithm>

namespace nk {
namespace {

// Others may read, write and remove the file meanwhile, as on POSIX systems.
constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE asHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

OutputFile::OutputFile(const std::string& path, Mode mode) {
  DWORD access = GENERIC_WRITE;
  DWORD disposition = TRUNCATE_EXISTING;
  if (mode == Mode::AppendExisting) {
    access = FILE_APPEND_DATA | SYNCHRONIZE;
    disposition = OPEN_EXISTING;
  } else if (mode == Mode::CreateOrTruncate) {
    disposition = CREATE_ALWAYS;
  }
  // Windows refuses to write a read-only file; so does this, even where the
  // file system below would let an administrator (or Wine run as root) do it.
  const DWORD before = ::GetFileAttributesW(widen(path).c_str());
  if (before != INVALID_FILE_ATTRIBUTES && (before & FILE_ATTRIBUTE_READONLY)) {
    cause_ = win32ErrorText(ERROR_ACCESS_DENIED);
    return;
  }
  const HANDLE h = ::CreateFileW(widen(path).c_str(), access, ShareAll, nullptr, disposition,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    handle_ = reinterpret_cast<std::intptr_t>(h);
    return;
  }
  const DWORD err = ::GetLastError();
  // Windows denies access where the name is a folder; say what is there.
  const DWORD attributes = ::GetFileAttributesW(widen(path).c_str());
  if (err == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    cause_ = std::string(cause::IsFolder);
  else
    cause_ = win32ErrorText(err);
}

OutputFile::~OutputFile() {
  if (isOpen()) ::CloseHandle(asHandle(handle_));
}

bool OutputFile::write(std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(asHandle(handle_), bytes.data(), piece, &written, nullptr)) {
      cause_ = lastSystemErrorText();
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

bool OutputFile::close() {
  const HANDLE h = asHandle(handle_);
  handle_ = Closed;
  if (::CloseHandle(h)) return true;
  cause_ = lastSystemErrorText();
  return false;
}

bool removeFile(const std::string& path, std::string& cause) {
  if (::DeleteFileW(widen(path).c_str())) return true;
  cause = lastSystemErrorText();
  return false;
}

bool removeEmptyFolder(const std::string& path, std::string& cause) {
  if (::RemoveDirectoryW(widen(path).c_str())) return true;
  cause = lastSystemErrorText();
  return false;
}

bool makeFolder(const std::string& path, std::string& cause) {
  const std::wstring wide = widen(path);
  if (::CreateDirectoryW(wide.c_str(), nullptr)) return true;
  const DWORD err = ::GetLastError();
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (err == ERROR_ALREADY_EXISTS && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return true;
  cause = win32ErrorText(err);
  return false;
}

FileRead listFolderFiles(const std::string& path, std::vector<std::string>& names, std::string& cause) {
  names.clear();
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW((widen(path) + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    const DWORD err = ::GetLastError();
    if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) return FileRead::Missing;
    cause = win32ErrorText(err);
    return FileRead::Failed;
  }
  do {
    if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
      names.push_back(narrow(found.cFileName));
  } while (::FindNextFileW(search, &found));
  const DWORD err = ::GetLastError();
  ::FindClose(search);
  if (err == ERROR_NO_MORE_FILES) return FileRead::Read;
  cause = win32ErrorText(err);
  return FileRead::Failed;
}

namespace {

// Every byte of the file, handed to take in pieces of at most pieceBytes;
// false with cause set when it cannot be opened or read (a folder gives
// cause::IsFolder).
bool readPieces(const std::wstring& wide, size_t pieceBytes, const std::function<void(std::string_view)>& take,
                std::string& cause) {
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    cause = std::string(cause::IsFolder);
    return false;
  }
  const HANDLE h = ::CreateFileW(wide.c_str(), GENERIC_READ, ShareAll, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    cause = lastSystemErrorText();
    return false;
  }
  std::string piece(pieceBytes, '\0');
  for (;;) {
    DWORD n = 0;
    if (!::ReadFile(h, piece.data(), static_cast<DWORD>(piece.size()), &n, nullptr)) {
      cause = lastSystemErrorText();
      ::CloseHandle(h);
      return false;
    }
    if (n == 0) break;
    take(std::string_view(piece.data(), n));
  }
  ::CloseHandle(h);
  return true;
}

}  // namespace

bool readWholeFile(const std::string& path, std::string& bytes, std::string& cause) {
  bytes.clear();
  return readPieces(widen(path), 65536, [&bytes](std::string_view piece) { bytes.append(piece); }, cause);
}

FileRead readRegularFileInPieces(const std::string& path, const std::function<void(std::string_view)>& take,
                                 std::string& cause) {
  const std::wstring wide = widen(path);
  if (::GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES) {
    const DWORD err = ::GetLastError();
    if (err == ERROR_FILE_NOT_FOUND) return FileRead::Missing;
    cause = win32ErrorText(err);
    return FileRead::Failed;
  }
  return readPieces(wide, ReadPieceBytes, take, cause) ? FileRead::Read : FileRead::Failed;
}

InputFile::InputFile(const std::string& path) {
  const std::wstring wide = widen(path);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD err = ::GetLastError();
    outcome_ = err == ERROR_FILE_NOT_FOUND ? FileRead::Missing : FileRead::Failed;
    if (outcome_ == FileRead::Failed) cause_ = win32ErrorText(err);
    return;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    cause_ = std::string(cause::IsFolder);
    return;
  }
  const HANDLE h =
      ::CreateFileW(wide.c_str(), GENERIC_READ, ShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (takeOpenedFile(h, handle_, size_, cause_)) outcome_ = FileRead::Read;
}

InputFile::~InputFile() {
  if (handle_ != Closed) ::CloseHandle(asHandle(handle_));
}

bool InputFile::readAt(int64_t offset, size_t n, std::string& bytes) {
  return readFileAt(handle_, offset, n, bytes, cause_);
}

}  // namespace nk
