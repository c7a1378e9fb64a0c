// local_time.h - the broken-down local time of a moment, thread-safe on every
// platform (each has its own reentrant call for it).
#pragma once

#include <ctime>

namespace nk {

std::tm localTime(std::time_t moment);

}  // namespace nk
