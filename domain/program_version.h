// program_version.h - this program's own version, shown in the menu's title
// and compared with the server's required version.
#pragma once

namespace nk {

inline constexpr const char* ProgramVersion = "1.54";
inline constexpr const char* ProgramTitle = "ノルカクライアント";

}  // namespace nk
