// server_locations.h - where the master files lie on the two servers, and
// LoadPath, which derives the version's file name and the eight URLs.
#pragma once

#include "diag/debug_log.h"
#include "diag/traced_procedure.h"
#include "domain/arcade_version.h"
#include "domain/server_paths.h"

#include <string>

namespace nk {

// Folders (ending in "/") under which the two servers keep the master files.
struct ServerBases {
  std::string primary;
  std::string secondary;
};

// The folders fixed when the program is built (the CMake cache variables
// PrimaryBaseUrl and SecondaryBaseUrl); the program never reads them from
// anywhere at run time. Tests hand their own to the load.
ServerBases builtInServerBases();

// Traced as "LoadPath". From the version's VersionCode (112, 113, 114):
// VersionNumber (VersionCode - 100), "ac<N>score.csv" and the URLs of every
// master file below both bases (sr/<N>/srlist.dat, common/ac<N>list.dat,
// common/songlist.dat, common/nkclient.dat). Touches neither network nor
// files. Returns 0; a failure (VersionCode - 100 outside 16 bits) is reported
// with -9, which ends the program.
ProcStatus LoadPath(const DebugLog& log, ArcadeVersion version, const ServerBases& bases, ServerPaths& paths);

}  // namespace nk
