// system_error_text_posix.cpp - errno to a Japanese cause.
#include "system_error_text.h"

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
    case EDQUOT: return std::string(cause::QuotaExceeded);
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

std::string lastSystemErrorText() { return systemErrorText(errno); }

}  // namespace nk
