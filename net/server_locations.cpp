// server_locations.cpp - the two server folders and the URLs derived from them.
#include "net/server_locations.h"

#include "diag/checked_int.h"
#include "domain/master_files.h"

#ifndef NK_PRIMARY_BASE_URL
#error "NK_PRIMARY_BASE_URL must be defined by the build"
#endif
#ifndef NK_SECONDARY_BASE_URL
#error "NK_SECONDARY_BASE_URL must be defined by the build"
#endif

namespace nk {

ServerBases builtInServerBases() { return {NK_PRIMARY_BASE_URL, NK_SECONDARY_BASE_URL}; }

ProcStatus LoadPath(const DebugLog& log, ArcadeVersion version, const ServerBases& bases, ServerPaths& paths) {
  return runTraced(log, "LoadPath", [&](ProcStatus& status, std::string&) {
    paths.VersionNumber = checkedInt<int16_t>(version.VersionCode - 100);
    paths.ScoreFileName = scoreFileNameFor(paths.VersionNumber);
    for (const MasterFile& file : MasterFiles) {
      const std::string path = file.serverPath(paths.VersionNumber);
      paths.*file.primaryUrl = bases.primary + path;
      paths.*file.secondaryUrl = bases.secondary + path;
    }
    status = StatusSuccess;
  });
}

}  // namespace nk
