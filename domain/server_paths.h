// server_paths.h - what one opening of the score sheet derives from the arcade
// version: the version number, the player's score file and the eight URLs of
// the master files. LoadPath (net/) fills it for the load; the sheet's state copies the first two.
#pragma once

#include <cstdint>
#include <string>

namespace nk {

struct ServerPaths {
  int16_t VersionNumber = 0;
  std::string ScoreFileName;
  std::string PrimarySRListUrl;
  std::string PrimaryVersionSongListUrl;
  std::string PrimarySongMasterUrl;
  std::string PrimaryNKVersionUrl;
  std::string SecondarySRListUrl;
  std::string SecondaryVersionSongListUrl;
  std::string SecondarySongMasterUrl;
  std::string SecondaryNKVersionUrl;
};

// "ac" + the version number + "score.csv", relative to the working folder:
// the name under which the sheet reads and saves the player's scores.
inline std::string scoreFileNameFor(int16_t versionNumber) {
  return "ac" + std::to_string(versionNumber) + "score.csv";
}

}  // namespace nk
