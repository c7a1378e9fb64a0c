// system_error_text_win32.cpp - Win32 error codes to the Japanese causes of
// the POSIX build.
#include "platform/system_error_text.h"
#include "platform/win32_support.h"

#include <windows.h>

namespace nk {

std::string win32ErrorText(unsigned long code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
      return std::string(cause::NoSuchFile);
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
      return std::string(cause::AccessDenied);
    case ERROR_WRITE_PROTECT:
      return std::string(cause::ReadOnlyPlace);
    case ERROR_DIRECTORY:
      return std::string(cause::NotAFolder);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return std::string(cause::DiskFull);
    case ERROR_NOT_ENOUGH_QUOTA:
      return std::string(cause::QuotaExceeded);
    case ERROR_FILE_TOO_LARGE:
      return std::string(cause::FileTooLarge);
    case ERROR_TOO_MANY_OPEN_FILES:
      return std::string(cause::TooManyOpenFiles);
    case ERROR_FILENAME_EXCED_RANGE:
      return std::string(cause::NameTooLong);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_BUSY:
    case ERROR_USER_MAPPED_FILE:
      return std::string(cause::FileInUse);
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_IO_DEVICE:
    case ERROR_GEN_FAILURE:
      return std::string(cause::InputOutput);
    default:
      return "Windows エラー " + std::to_string(code);
  }
}

std::string lastSystemErrorText() { return win32ErrorText(::GetLastError()); }

}  // namespace nk
