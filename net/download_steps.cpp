// download_steps.cpp - the four master-file downloads with their log and
// status-line texts.
#include "download_steps.h"

#include "http_fetch.h"
#include "debug_log.h"
#include "toolkit.h"

namespace nk {

namespace {

struct DownloadStep {
  const char* name;
  const char* localPath;
  const char* startLog;
  const char* fetchingStatus;
  const char* successLog;
  const char* failureLog;
  const char* failureStatus;
};

constexpr DownloadStep SongMasterStep{
    "DownloadSongMaster",  SongMasterFileName, "曲マスタ受信開始", "曲マスタを受信中です",
    "曲マスタ受信終了",    "曲マスタ受信失敗", "曲マスタの受信に失敗しました。"};

constexpr DownloadStep SRListStep{
    "DownloadSRList",
    SRListFileName,
    "スコアランキング対象曲リスト受信開始",
    "スコアランキング対象曲リストを受信中です",
    "スコアランキング対象曲リスト受信終了",
    "スコアランキング対象曲リスト受信失敗",
    "スコアランキング対象曲リストの受信に失敗しました。"};

constexpr DownloadStep VersionSongListStep{
    "DownloadVersionSongList",
    VersionSongListFileName,
    "バージョン曲リスト受信開始",
    "バージョン曲リストを受信中です",
    "バージョン曲リスト受信終了",
    "バージョン曲リスト受信失敗",
    "バージョン曲リストの受信に失敗しました。"};

constexpr DownloadStep NKVersionStep{
    "DownloadNKVersion",
    NKVersionFileName,
    "ノルカクライアント要求ファイル受信開始",
    "ノルカクライアント要求ファイルを受信中です",
    "ノルカクライアント要求ファイル受信終了",
    "ノルカクライアント要求ファイル受信失敗",
    "ノルカクライアント要求ファイルの受信に失敗しました。"};

// Both causes, primary first, on one line: the log takes one line per entry.
constexpr const char* CauseSeparator = "／";

// The secondary server is asked only after the primary failed; when both
// failed, LastErrorText holds both reasons. A cancelled fetch ends the step
// quietly: no second server, no box, no end of the program here.
ProcStatus runDownloadStep(const DownloadStep& step, const std::string& primaryUrl,
                           const std::string& secondaryUrl, const LoadCancel* cancel) {
  return runTraced(step.name, [&](ProcStatus& status) {
    PutLog(step.startLog);
    toolkit().setStatusText(step.fetchingStatus);
    int16_t result = DownLoadFile(primaryUrl, step.localPath, cancel);
    if (result != 0 && result != FetchCancelled) {
      const std::string primaryFailure = LastErrorText;
      result = DownLoadFile(secondaryUrl, step.localPath, cancel);
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
      PutLog(step.successLog);
      return;
    }
    PutLog(step.failureLog);
    toolkit().setStatusText(step.failureStatus);
  });
}

}  // namespace

ProcStatus DownloadSongMaster(const ServerPaths& paths, const LoadCancel* cancel) {
  return runDownloadStep(SongMasterStep, paths.PrimarySongMasterUrl, paths.SecondarySongMasterUrl, cancel);
}

ProcStatus DownloadSRList(const ServerPaths& paths, const LoadCancel* cancel) {
  return runDownloadStep(SRListStep, paths.PrimarySRListUrl, paths.SecondarySRListUrl, cancel);
}

ProcStatus DownloadVersionSongList(const ServerPaths& paths, const LoadCancel* cancel) {
  return runDownloadStep(VersionSongListStep, paths.PrimaryVersionSongListUrl,
                         paths.SecondaryVersionSongListUrl, cancel);
}

ProcStatus DownloadNKVersion(const ServerPaths& paths, const LoadCancel* cancel) {
  return runDownloadStep(NKVersionStep, paths.PrimaryNKVersionUrl, paths.SecondaryNKVersionUrl, cancel);
}

}  // namespace nk
