// load_sequence.cpp - the score sheet's load, from the downloads to page 1.
#include "load/load_sequence.h"

#include "data/genre_order.h"
#include "data/required_version.h"
#include "data/score_file.h"
#include "data/song_master.h"
#include "data/sr_list.h"
#include "data/text_file.h"
#include "data/version_song_list.h"
#include "diag/runtime_error.h"
#include "load/kept_masters.h"
#include "load/kept_lists_state.h"
#include "net/download_steps.h"
#include "net/http_fetch.h"
#include "net/server_locations.h"
#include "platform/file_presence.h"
#include "platform/native_file.h"
#include "toolkit/toolkit.h"

namespace nk {
namespace {

void failureExit(const DebugLog& log, const std::string& description) {
  toolkit().messageBox(description, "初期化失敗", MsgIcon::Exclamation);
  PutLog(log, description);
  PutLog(log, "初期処理失敗");
  toolkit().endProgram();
}

// The four downloads; where a step gets its file from neither server and
// lists were kept (or shipped), the player may open the sheet on those.
// Says whether all four were received.
bool receiveMasters(const DebugLog& log, const ServerPaths& paths, HttpFetch& fetch,
                    const std::optional<KeptMasters>& kept) {
  const WhenNoServer whenNoServer = kept ? WhenNoServer::GoOn : WhenNoServer::EndProgram;
  bool received = true;
  for (const auto step : {DownloadSongMaster, DownloadSRList, DownloadVersionSongList, DownloadNKVersion})
    received = received && step(log, paths, fetch, whenNoServer) == StatusSuccess;
  if (!received) {
    if (toolkit().ask(keptMastersQuestion(*kept)) != OpenKept) toolkit().endProgram();
    restoreKeptMasters(*kept);
  }
  return received;
}

// The three lists into the sheet, in genre order; goOn between them.
void readLists(const DebugLog& log, ScoreSheetState& s, int16_t versionCode, const std::function<void()>& goOn) {
  ReadSongMaster(log, s);
  goOn();
  ReadVersionSongList(log, s, versionCode);
  goOn();
  SortByGenre(log, s);
  ReadSRList(log, s);
  goOn();
}

// What changed in the lists since the kept set, in the player's words ("" for nothing).
std::string changesSinceKept(const KeptMasters& kept, int16_t versionCode, const ScoreSheetState& s) {
  const auto before = keptListsState(kept, versionCode);
  return before ? masterChangesText(*before, s) : std::string();
}

}  // namespace

void removeMasterFiles(const DebugLog& log, bool raise) {
  for (const MasterFile& file : MasterFiles) {
    if (!isNormalFile(file.testedName)) continue;
    std::string cause;
    if (removeFile(file.deletedName, cause)) continue;
    const std::string description =
        "ファイル " + displayFileName(file.deletedName) + " を削除できません（" + cause + "）。";
    if (raise) throw RuntimeError(description);
    PutLog(log, description);
  }
}

void runScoreSheetLoad(const DebugLog& log, ScoreSheetState& s, const LoadRequest& request,
                       const std::function<void()>& ShowPage) {
  HttpFetch fetch(request.fetch);
  const LoadCancel* cancel = request.fetch.cancel;
  int16_t LoadStatus = 0;
  std::string description;  // of the pending run-time error, if any
  // Every stage yields to the window system, where the player may close the
  // sheet; nothing after that may run, least of all on a half-built sheet.
  // The downloads see the request themselves; the readers do not know it.
  auto goOn = [cancel] { throwIfCancelled(cancel); };
  try {
    removeMasterFiles(log, true);

    // A download step that gets its file from neither server ends the
    // program itself, unless the lists of an earlier load were kept (or the
    // package shipped some): then it comes back, and the player may open
    // the sheet on those. A cancelled step unwinds as LoadCancelled.
    ServerPaths paths;
    LoadPath(log, request.version, request.servers, paths);
    s.VersionNumber = paths.VersionNumber;
    s.ScoreFileName = paths.ScoreFileName;
    std::optional<KeptMasters> kept = readKeptMasters(s.VersionNumber);
    const bool keptBefore = kept.has_value();
    if (!kept) kept = readBundledMasters(request.bundledMasters, s.VersionNumber);
    const bool received = receiveMasters(log, paths, fetch, kept);

    if (!CheckRequiredVersion(log)) {
      LoadStatus = -1;
    } else {
      readLists(log, s, request.version.VersionCode, goOn);
      // Told once, after page 1: the kept set is the new one from then on.
      const std::string changes =
          received && keptBefore ? changesSinceKept(*kept, request.version.VersionCode, s) : std::string();
      ReadScoreFile(log, s);
      goOn();
      // The status line says for as long as the sheet is open that it
      // shows kept lists, and from when.
      toolkit().setStatusText(received ? "" : keptMastersStatus(*kept));
      s.CurrentPage = 1;
      ShowPage();
      // Lists received that reached page 1 are kept for a load without a
      // server; keeping them costs at most a line of the log, never the load.
      if (const auto failure = received ? keepMasterFiles(s.VersionNumber, localMomentNow()) : std::nullopt)
        PutLog(log, *failure);
      if (!changes.empty()) toolkit().messageBox(changes, MasterChangesTitle, MsgIcon::None);
    }
  } catch (const LoadCancelled&) {  // ends below, as does a failure that came after the request
  } catch (const RuntimeError& e) {
    LoadStatus = -1;
    description = e.description();
  } catch (const std::exception& e) {
    LoadStatus = -1;
    description = std::string("予期しないエラーが発生しました（") + e.what() + "）。";
  }

  removeMasterFiles(log, false);
  // The player asked to go: no box for what the load met on its way out.
  if (cancelRequested(cancel)) toolkit().endProgram(ExitClosedByPlayer);
  if (LoadStatus != 0) failureExit(log, description);
}

}  // namespace nk
