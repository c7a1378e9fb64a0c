// download_steps.cpp - the four master-file downloads with their log and
// status-line texts.
#include "net/download_steps.h"

#include "toolkit/toolkit.h"

namespace nk {
namespace {

// Both causes, primary first, on one line: the log takes one line per entry.
constexpr const char* CauseSeparator = "／";

// The secondary server is asked only after the primary failed; when both
// failed, the step's failure text holds both reasons. A cancelled fetch
// unwinds the step as it is (LoadCancelled passes runTraced by).
ProcStatus runDownloadStep(MasterFileId id, const DebugLog& log, const ServerPaths& paths, HttpFetch& fetch,
                           WhenNoServer whenNoServer) {
  const MasterFile& file = MasterFiles[id];
  return runTraced(log, file.stepName, [&](ProcStatus& status, std::string& failure) {
    PutLog(log, file.startLog);
    toolkit().setStatusText(file.fetchingStatus);
    int16_t result = DownLoadFile(fetch, paths.*file.primaryUrl, file.localPath, failure);
    if (result != 0) {
      const std::string primaryFailure = failure;
      result = DownLoadFile(fetch, paths.*file.secondaryUrl, file.localPath, failure);
      // The same cause twice (the local file, say) is said once.
      if (result != 0 && failure != primaryFailure)
        failure = primaryFailure + CauseSeparator + failure;
    }
    if (result == 0) {
      status = StatusSuccess;
      PutLog(log, file.successLog);
      return;
    }
    PutLog(log, file.failureLog);
    toolkit().setStatusText(file.failureStatus);
    if (whenNoServer == WhenNoServer::GoOn) status = StatusFailedGoOn;
  });
}

}  // namespace

ProcStatus DownloadSongMaster(const DebugLog& log, const ServerPaths& paths, HttpFetch& fetch, WhenNoServer whenNoServer) {
  return runDownloadStep(SongMaster, log, paths, fetch, whenNoServer);
}

ProcStatus DownloadSRList(const DebugLog& log, const ServerPaths& paths, HttpFetch& fetch, WhenNoServer whenNoServer) {
  return runDownloadStep(SRList, log, paths, fetch, whenNoServer);
}

ProcStatus DownloadVersionSongList(const DebugLog& log, const ServerPaths& paths, HttpFetch& fetch, WhenNoServer whenNoServer) {
  return runDownloadStep(VersionSongList, log, paths, fetch, whenNoServer);
}

ProcStatus DownloadNKVersion(const DebugLog& log, const ServerPaths& paths, HttpFetch& fetch, WhenNoServer whenNoServer) {
  return runDownloadStep(NKVersion, log, paths, fetch, whenNoServer);
}

}  // namespace nk
