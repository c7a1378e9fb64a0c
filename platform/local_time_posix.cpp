// local_time_posix.cpp - localtime_r.
#include "platform/local_time.h"

namespace nk {

std::tm localTime(std::time_t moment) {
  std::tm local{};
  ::localtime_r(&moment, &local);
  return local;
}

}  // namespace nk
