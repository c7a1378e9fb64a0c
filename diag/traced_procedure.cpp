// traced_procedure.cpp - start and end marks of traced procedures and the failure box.
#include "diag/traced_procedure.h"

#include "diag/debug_log.h"
#include "toolkit/toolkit.h"

#include <exception>

namespace nk {

std::string LastErrorText;

namespace {

constexpr const char* FailureTitle = "異常終了";

// The box and the log line are each allowed to fail on their own: a report
// that cannot be shown must still be logged, and a -9 must still end the run.
// The end of the program is the one thing that is never swallowed.
template <class Step>
void ignoringFailure(Step step) {
  try {
    step();
  } catch (const ProgramEnded&) {
    throw;
  } catch (...) {
  }
}

void reportFailure(const std::string& name) {
  ignoringFailure([&] {
    toolkit().messageBox(name + "で異常が発生しました。\r\n" + LastErrorText, FailureTitle,
                         MsgIcon::Exclamation);
  });
  ignoringFailure([&] { PutLog("関数 " + name + " 異常終了:" + LastErrorText); });
}

}  // namespace

void StartFunc(const std::string& name) { PutLog("関数 " + name + " 開始"); }

void EndFunc(const std::string& name, ProcStatus status) {
  switch (status) {
    case StatusSuccess:
      PutLog("関数 " + name + " 正常終了");
      return;
    case StatusFailedGoOn:
      reportFailure(name);
      return;
    case StatusEndProgram:
      reportFailure(name);
      toolkit().endProgram();
    default:
      return;
  }
}

ProcStatus runTraced(const std::string& name, const std::function<void(ProcStatus& status)>& work) {
  ProcStatus status = StatusEndProgram;
  try {
    StartFunc(name);
    work(status);
    EndFunc(name, status);
    return status;
  } catch (const std::exception& e) {
    LastErrorText = e.what();
  }
  EndFunc(name, status);
  return status;
}

}  // namespace nk
