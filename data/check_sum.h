// check_sum.h - the check sum that the program's stamps and manifests write
// beside a file (the kept master lists, the zip of the player's data): FNV-1a
// of 64 bits, as 16 lower-case hexadecimal digits. It finds a file changed by
// accident (a crash, a damaged copy), not one changed on purpose.
#pragma once

#include <string>
#include <string_view>

namespace nk {

std::string checkSumText(std::string_view bytes);

}  // namespace nk
