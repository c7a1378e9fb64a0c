// download_steps.h - the four steps that fetch the master files into the
// working folder, each from the primary server and, only if that failed,
// from the secondary one.
//
// Every step is traced under its own name, logs its start, puts its
// "...を受信中です" text into the status line, and logs its success; when
// neither server gave the file it logs its failure, puts the failure text
// into the status line and reports -9 through EndFunc, which shows the
// "異常終了" box with the causes of both fetches (its failure text: the
// primary's and the secondary's, joined by "／") and ends the program. So a
// running program only ever sees 0 come back, unless the cancel request of the
// fetcher's options was set during the step: then LoadCancelled
// (load_cancel.h) leaves the step at once, without its end mark, a second
// server, a box or a word in the status line. LoadPath runs
// first. The files, their URLs and the texts come from MasterFiles. Both
// fetches of a step run on the fetcher handed in, the marks and texts go to
// the debug log handed in.
//
// A load that can open without a server (it kept the lists of an earlier
// one) asks the steps to go on instead: the same box and log lines, then the
// step returns -1 (StatusFailedGoOn) instead of ending the program.
#pragma once

#include "diag/debug_log.h"
#include "diag/traced_procedure.h"
#include "domain/master_files.h"
#include "net/http_fetch.h"

namespace nk {

// What a step does after neither server gave its file.
enum class WhenNoServer { EndProgram, GoOn };

ProcStatus DownloadSongMaster(const DebugLog& log, const ServerPaths& paths, HttpFetch& fetch,
                              WhenNoServer whenNoServer = WhenNoServer::EndProgram);
ProcStatus DownloadSRList(const DebugLog& log, const ServerPaths& paths, HttpFetch& fetch,
                          WhenNoServer whenNoServer = WhenNoServer::EndProgram);
ProcStatus DownloadVersionSongList(const DebugLog& log, const ServerPaths& paths, HttpFetch& fetch,
                                   WhenNoServer whenNoServer = WhenNoServer::EndProgram);
ProcStatus DownloadNKVersion(const DebugLog& log, const ServerPaths& paths, HttpFetch& fetch,
                             WhenNoServer whenNoServer = WhenNoServer::EndProgram);

}  // namespace nk
