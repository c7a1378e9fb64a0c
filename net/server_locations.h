// server_locations.h - where the master files lie on the two servers, and
// LoadPath, which derives the version's file name and the eight URLs.
#pragma once

#include "traced_procedure.h"

#include <cstdint>
#include <string>

namespace nk {

// Folders (ending in "/") under which both servers keep the master files.
// Fixed when the program is built; the program never reads them from
// anywhere at run time.
extern std::string PrimaryBaseUrl;
extern std::string SecondaryBaseUrl;

// Points the download steps at other servers (tests, on loopback).
void setServerBaseUrls(const std::string& primary, const std::string& secondary);

// What LoadPath derives for one opening of the score sheet. The names match
// those of the score sheet's state, which takes a copy.
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

// Traced as "LoadPath". From VersionCode (112, 113, 114): VersionNumber
// (VersionCode - 100), "ac<N>score.csv" and the URLs below both bases:
// sr/<N>/srlist.dat, common/ac<N>list.dat, common/songlist.dat and
// common/nkclient.dat. Touches neither network nor files. Returns 0; a
// failure (VersionCode - 100 outside 16 bits) is reported with -9, which
// ends the program.
ProcStatus LoadPath(ServerPaths& paths);

}  // namespace nk
