// system_error_text_posix.cpp - the last failed call's cause: errno.
#include "platform/system_error_text.h"

#include <cerrno>

namespace nk {

std::string lastSystemErrorText() { return systemErrorText(errno); }

}  // namespace nk
