// cp932.h - conversion between UTF-8 (inside the program) and code page 932
// (Shift-JIS, the encoding of the master files and the debug log).
//
// Neither direction ever fails: a byte sequence that CP932 cannot decode
// becomes U+FFFD, a character that CP932 cannot encode becomes "?".
#pragma once

#include <string>
#include <string_view>

namespace nk {

std::string cp932ToUtf8(std::string_view cp932);
std::string utf8ToCp932(std::string_view utf8);

}  // namespace nk
