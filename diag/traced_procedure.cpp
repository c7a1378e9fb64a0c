// traced_procedure.cpp - start and end marks of traced procedures and the failure box.
#include "diag/traced_procedure.h"

#include "diag/debug_log.h"
#include "toolkit/toolkit.h"

#include <exception>

namespace nk {

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

void reportFailure(const DebugLog& log, const std::string& name, const std::string& failure) {
  ignoringFailure([&] {
    toolkit().messageBox(name + "で異常が発生しました。\r\n" + failure, FailureTitle,
                         MsgIcon::Exclamation);
  });
  ignoringFailure([&] { PutLog(log, "関数 " + name + " 異常終了:" + failure); });
}

}  // namespace

void StartFunc(const DebugLog& log, const std::string& name) { PutLog(log, "関数 " + name + " 開始"); }

void EndFunc(const DebugLog& log, const std::string& name, ProcStatus status, const std::string& failure) {
  switch (status) {
    case StatusSuccess:
      PutLog(log, "関数 " + name + " 正常終了");
      return;
    case StatusFailedGoOn:
      reportFailure(log, name, failure);
      return;
    case StatusEndProgram:
      reportFailure(log, name, failure);
      toolkit().endProgram();
    default:
      return;
  }
}

ProcStatus runTraced(const DebugLog& log, const std::string& name,
                     const std::function<void(ProcStatus& status, std::string& failure)>& work) {
  ProcStatus status = StatusEndProgram;
  std::string failure;
  try {
    StartFunc(log, name);
    work(status, failure);
    EndFunc(log, name, status, failure);
    return status;
  } catch (const std::exception& e) {
    failure = e.what();
  }
  EndFunc(log, name, status, failure);
  return status;
}

}  // namespace nk
