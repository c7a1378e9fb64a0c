// arcade_version.h - the arcade version whose score sheet is open.
//
// The menu picks one of the three and hands it to the sheet, which passes it
// to the load, the server locations and the readers: a value, not a setting
// that lives somewhere. VersionCode is the number the master data and the
// original program's files speak of (112, 113, 114); VersionNumber, the one in
// file names and server folders, is VersionCode - 100.
#pragma once

#include <cstdint>

namespace nk {

struct ArcadeVersion {
  int16_t VersionCode = 0;

  friend constexpr bool operator==(ArcadeVersion, ArcadeVersion) = default;
};

inline constexpr ArcadeVersion AC12{112};
inline constexpr ArcadeVersion AC13{113};
inline constexpr ArcadeVersion AC14{114};

}  // namespace nk
