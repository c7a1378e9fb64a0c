// server_locations.cpp - the two server folders and the URLs derived from them.
#include "server_locations.h"

#include "http_fetch.h"
#include "checked_int.h"

#ifndef NK_PRIMARY_BASE_URL
#error "NK_PRIMARY_BASE_URL must be defined by the build"
#endif
#ifndef NK_SECONDARY_BASE_URL
#error "NK_SECONDARY_BASE_URL must be defined by the build"
#endif

namespace nk {

std::string PrimaryBaseUrl = NK_PRIMARY_BASE_URL;
std::string SecondaryBaseUrl = NK_SECONDARY_BASE_URL;

void setServerBaseUrls(const std::string& primary, const std::string& secondary) {
  PrimaryBaseUrl = primary;
  SecondaryBaseUrl = secondary;
}

namespace {

int16_t versionNumberOf(int16_t versionCode) { return checkedInt<int16_t>(versionCode - 100); }

}  // namespace

ProcStatus LoadPath(ServerPaths& paths) {
  return runTraced("LoadPath", [&](ProcStatus& status) {
    paths.VersionNumber = versionNumberOf(VersionCode);
    const std::string n = std::to_string(paths.VersionNumber);
    paths.ScoreFileName = "ac" + n + "score.csv";

    paths.PrimarySRListUrl = PrimaryBaseUrl + "sr/" + n + "/srlist.dat";
    paths.PrimaryVersionSongListUrl = PrimaryBaseUrl + "common/ac" + n + "list.dat";
    paths.PrimarySongMasterUrl = PrimaryBaseUrl + "common/songlist.dat";
    paths.PrimaryNKVersionUrl = PrimaryBaseUrl + "common/nkclient.dat";

    paths.SecondarySRListUrl = SecondaryBaseUrl + "sr/" + n + "/srlist.dat";
    paths.SecondaryVersionSongListUrl = SecondaryBaseUrl + "common/ac" + n + "list.dat";
    paths.SecondarySongMasterUrl = SecondaryBaseUrl + "common/songlist.dat";
    paths.SecondaryNKVersionUrl = SecondaryBaseUrl + "common/nkclient.dat";
    status = StatusSuccess;
  });
}

}  // namespace nk
