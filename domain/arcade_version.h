// arcade_version.h - the arcade version whose score sheet is open.
//
// The menu picks one of the three and hands it to the sheet, which passes it
// to the load, the server locations and the readers: a value, not a setting
// that lives somewhere. VersionCode is the number the master data and the
// original program's files speak of (112, 113, 114); VersionNumber, the one in
// file names and server folders, is VersionCode - 100. What the player reads
// of a version is its label, "AC" and the VersionNumber ("AC13"), wherever it
// appears: a box, a note of the import, a file name, the kit's report.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace nk {

struct ArcadeVersion {
  int16_t VersionCode = 0;

  friend constexpr bool operator==(ArcadeVersion, ArcadeVersion) = default;
};

inline constexpr ArcadeVersion AC12{112};
inline constexpr ArcadeVersion AC13{113};
inline constexpr ArcadeVersion AC14{114};

// The VersionNumbers of every version the program opens, oldest first: the
// lists that walk all versions (the player's data, the kit) walk this one.
inline constexpr std::array<int16_t, 3> ArcadeVersionNumbers = {12, 13, 14};

inline constexpr int16_t versionNumberOf(ArcadeVersion version) {
  return static_cast<int16_t>(version.VersionCode - 100);
}
inline constexpr int16_t versionCodeOf(int16_t versionNumber) { return static_cast<int16_t>(versionNumber + 100); }

// "AC13" for VersionNumber 13.
inline std::string versionLabel(int16_t versionNumber) { return "AC" + std::to_string(versionNumber); }
inline std::string versionLabel(ArcadeVersion version) { return versionLabel(versionNumberOf(version)); }

}  // namespace nk
