// traced_procedure.h - start and end marks of traced procedures, and the report
// of their failures to the player.
//
// A traced procedure sets its status to StatusEndProgram before anything
// else, calls StartFunc, does its work, and hands its name, final status and
// the description of its failure to EndFunc. runTraced() wraps that pattern,
// including the catch of an unexpected failure, for procedures written in
// this code base. The marks go to the debug log each is handed.
#pragma once

#include "diag/debug_log.h"

#include <cstdint>
#include <functional>
#include <string>

namespace nk {

// Outcome of a traced procedure. Only the three constants below mean anything
// to EndFunc; every other value is accepted and ignored.
using ProcStatus = int16_t;
inline constexpr ProcStatus StatusSuccess = 0;
inline constexpr ProcStatus StatusFailedGoOn = -1;
inline constexpr ProcStatus StatusEndProgram = -9;

// Logs "関数 <name> 開始".
void StartFunc(const DebugLog& log, const std::string& name);

// 0: logs "関数 <name> 正常終了".
// -1: shows the "異常終了" warning box (name + "で異常が発生しました。" CR LF
//     failure), then logs "関数 <name> 異常終了:" + failure.
// -9: as -1, then ends the program through the toolkit; it does not return.
// Anything else: nothing. A box or log entry that fails (throws) is skipped,
// and the next step still runs, so that -9 always ends the program.
void EndFunc(const DebugLog& log, const std::string& name, ProcStatus status, const std::string& failure);

// Runs the traced-procedure pattern around work: status -9, an empty failure
// description, StartFunc(name), work(status, failure), EndFunc(name, status,
// failure). A work that fails says why in failure. When work (or the closing
// EndFunc) throws, the exception's description becomes the failure and
// EndFunc reports the status as it stood. Returns that status. The toolkit's
// ProgramEnded passes through untouched.
ProcStatus runTraced(const DebugLog& log, const std::string& name,
                     const std::function<void(ProcStatus& status, std::string& failure)>& work);

}  // namespace nk
