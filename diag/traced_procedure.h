// traced_procedure.h - start and end marks of traced procedures, and the report
// of their failures to the player.
//
// A traced procedure sets its status to StatusEndProgram before anything
// else, calls StartFunc, does its work, and hands its name and final status to
// EndFunc. runTraced() wraps that pattern, including the catch of an
// unexpected failure, for procedures written in this code base.
#pragma once

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

// The description of the most recent failure that a failure path stored.
// Empty at start and never cleared; EndFunc only reads it.
extern std::string LastErrorText;

// Logs "関数 <name> 開始".
void StartFunc(const std::string& name);

// 0: logs "関数 <name> 正常終了".
// -1: shows the "異常終了" warning box (name + "で異常が発生しました。" CR LF
//     LastErrorText), then logs "関数 <name> 異常終了:" + LastErrorText.
// -9: as -1, then ends the program through the toolkit; it does not return.
// Anything else: nothing. A box or log entry that fails (throws) is skipped,
// and the next step still runs, so that -9 always ends the program.
void EndFunc(const std::string& name, ProcStatus status);

// Runs the traced-procedure pattern around work: status -9, StartFunc(name),
// work(status), EndFunc(name, status). When work (or the closing EndFunc)
// throws, the description goes to LastErrorText and EndFunc reports the
// status as it stood. Returns that status. The toolkit's ProgramEnded passes
// through untouched.
ProcStatus runTraced(const std::string& name, const std::function<void(ProcStatus& status)>& work);

}  // namespace nk
