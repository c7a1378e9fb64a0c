// download_steps.cpp - the four master-file downloads with their log and
// status-line texts.
#include "net/download_steps.h"

#include "diag/debug_log.h"
#include "net/http_fetch.h"
#include "toolkit/toolkit.h"

namespace nk {
namespace {

// Both causes, primary first, on one line: the log takes one line per entry.
constexpr const char* CauseSeparator = "／";

// The secondary server is asked only after the primary failed; when both
// failed, LastErrorText holds both reasons. A cancelled fetch ends the step
// quietly: no second server, no box, no end of the program here.
ProcStatus runDownloadStep(MasterFileId id, const ServerPaths& paths, const FetchOptions& options) {
  const MasterFile& file = MasterFiles[id];
  return runTraced(file.stepName, [&](ProcStatus& status) {
    PutLog(file.startLog);
    toolkit().setStatusText(file.fetchingStatus);
    int16_t result = DownLoadFile(paths.*file.primaryUrl, file.localPath, options);
    if (result != 0 && result != FetchCancelled) {
      const std::string primaryFailure = LastErrorText;
      result = DownLoadFile(paths.*file.secondaryUrl, file.localPath, options);
      // The same cause twice (the local file, say) is said once.
      if (result != 0 && result != FetchCancelled && LastErrorText != primaryFailure)
        LastErrorText = primaryFailure + CauseSeparator + LastErrorText;
    }
    if (result == FetchCancelled) {
      status = StatusCancelled;
      return;
    }
    if (result == 0) {
      status = StatusSuccess;
      PutLog(file.successLog);
      return;
    }
    PutLog(file.failureLog);
    toolkit().setStatusText(file.failureStatus);
  });
}

}  // namespace

ProcStatus DownloadSongMaster(const ServerPaths& paths, const FetchOptions& options) {
  return runDownloadStep(SongMaster, paths, options);
}

ProcStatus DownloadSRList(const ServerPaths& paths, const FetchOptions& options) {
  return runDownloadStep(SRList, paths, options);
}

ProcStatus DownloadVersionSongList(const ServerPaths& paths, const FetchOptions& options) {
  return runDownloadStep(VersionSongList, paths, options);
}

ProcStatus DownloadNKVersion(const ServerPaths& paths, const FetchOptions& options) {
  return runDownloadStep(NKVersion, paths, options);
}

}  // namespace nk
