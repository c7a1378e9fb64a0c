// clsGlobal.cpp - program-wide state of the download module and the HTTP fetch.
#include "clsGlobal.h"

namespace nk {

int16_t VersionCode = 0;

}  // namespace nk
