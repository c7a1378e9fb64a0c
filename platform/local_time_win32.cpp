// local_time_win32.cpp - localtime_s of the Windows C runtime.
#include "platform/local_time.h"

namespace nk {

std::tm localTime(std::time_t moment) {
  std::tm local{};
  ::localtime_s(&local, &moment);
  return local;
}

}  // namespace nk
