// debug_log.cpp - the debug log: one open, write and close per entry.
#include "diag/debug_log.h"

#include "platform/cp932.h"
#include "platform/file_presence.h"
#include "platform/local_time.h"
#include "platform/native_file.h"

#include <ctime>

namespace nk {

namespace {

// Writes bytes to the existing log; every failure is swallowed. The file is
// never created here, even if it vanished after the existence test.
void writeRaw(const DebugLog& log, OutputFile::Mode mode, const std::string& bytes) {
  OutputFile file(log.path, mode);
  if (!file.isOpen()) return;
  file.write(bytes);
  file.close();
}

}  // namespace

std::string logTimeStamp() {
  std::time_t now = std::time(nullptr);
  const std::tm local = localTime(now);
  char text[32];
  std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
  return text;
}

void ClearLog(const DebugLog& log) {
  if (!isNormalFile(log.path)) return;
  writeRaw(log, OutputFile::Mode::TruncateExisting, "\r\n");
}

void PutLog(const DebugLog& log, const std::string& message) {
  if (!isNormalFile(log.path)) return;
  writeRaw(log, OutputFile::Mode::AppendExisting, utf8ToCp932(logTimeStamp() + " " + message) + "\r\n");
}

}  // namespace nk
