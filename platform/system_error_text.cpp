// system_error_text.cpp - errno values to Japanese causes, on every platform
// (the C runtime of Windows sets errno too). The platform's own codes are in
// system_error_text_posix.cpp and system_error_text_win32.cpp.
#include "platform/system_error_text.h"

#include <cerrno>

namespace nk {

std::string systemErrorText(int errnoValue) {
  switch (errnoValue) {
    case ENOENT: return std::string(cause::NoSuchFile);
    case EACCES:
    case EPERM: return std::string(cause::AccessDenied);
    case EROFS: return std::string(cause::ReadOnlyPlace);
    case EISDIR: return std::string(cause::IsFolder);
    case ENOTDIR: return std::string(cause::NotAFolder);
    case ENOSPC: return std::string(cause::DiskFull);
#ifdef EDQUOT
    case EDQUOT: return std::string(cause::QuotaExceeded);
#endif
    case EFBIG: return std::string(cause::FileTooLarge);
    case EMFILE:
    case ENFILE: return std::string(cause::TooManyOpenFiles);
    case ENAMETOOLONG: return std::string(cause::NameTooLong);
    case EBUSY:
    case ETXTBSY: return std::string(cause::FileInUse);
    case EIO: return std::string(cause::InputOutput);
    default: return "システムエラー " + std::to_string(errnoValue);
  }
}

}  // namespace nk
