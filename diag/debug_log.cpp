// debug_log.cpp - the debug log: one open, write and close per entry.
#include "debug_log.h"

#include "cp932.h"
#include "file_presence.h"

#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace nk {

std::string LogFilePath;

namespace {

// Writes bytes to the existing log; every failure is swallowed. The file is
// never created here (no O_CREAT), even if it vanished after the existence test.
void writeRaw(int mode, const std::string& bytes) {
  const int fd = ::open(LogFilePath.c_str(), O_WRONLY | O_CLOEXEC | mode);
  if (fd < 0) return;
  [[maybe_unused]] ssize_t written = ::write(fd, bytes.data(), bytes.size());
  ::close(fd);
}

}  // namespace

std::string logTimeStamp() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
  return text;
}

void SetLogFilePath(const std::string& path) { LogFilePath = path; }

void ClearLog() {
  if (!isNormalFile(LogFilePath)) return;
  writeRaw(O_TRUNC, "\r\n");
}

void PutLog(const std::string& message) {
  if (!isNormalFile(LogFilePath)) return;
  writeRaw(O_APPEND, utf8ToCp932(logTimeStamp() + " " + message) + "\r\n");
}

}  // namespace nk
