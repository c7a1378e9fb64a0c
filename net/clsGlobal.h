// clsGlobal.h - program-wide state of the download module and the HTTP fetch.
#pragma once

#include <cstdint>

namespace nk {

// The arcade version chosen on the menu: 112, 113 or 114 (AC12, AC13, AC14);
// 0 until the first choice. Kept across returns to the menu.
extern int16_t VersionCode;

}  // namespace nk
