// download_steps.h - the four steps that fetch the master files into the
// working folder, each from the primary server and, only if that failed,
// from the secondary one.
//
// Every step is traced under its own name, logs its start, puts its
// "...を受信中です" text into the status line, and logs its success; when
// neither server gave the file it logs its failure, puts the failure text
// into the status line and reports -9 through EndFunc, which shows the
// "異常終了" box with the causes of both fetches (LastErrorText: the primary's
// and the secondary's, joined by "／") and ends the program. So a running
// program only ever sees 0 come back, unless the cancel request of the
// options was set during the step: then it stops at once and returns
// StatusCancelled, which EndFunc passes over without a word. LoadPath runs
// first. The files, their URLs and the texts come from MasterFiles.
#pragma once

#include "diag/traced_procedure.h"
#include "domain/master_files.h"
#include "net/fetch_limits.h"

namespace nk {

// A step stopped by the load's cancel request; EndFunc neither shows nor logs it.
inline constexpr ProcStatus StatusCancelled = -2;

ProcStatus DownloadSongMaster(const ServerPaths& paths, const FetchOptions& options = {});
ProcStatus DownloadSRList(const ServerPaths& paths, const FetchOptions& options = {});
ProcStatus DownloadVersionSongList(const ServerPaths& paths, const FetchOptions& options = {});
ProcStatus DownloadNKVersion(const ServerPaths& paths, const FetchOptions& options = {});

}  // namespace nk
