// native_file_posix.cpp - output files, removal and reading over open(2),
// write(2), unlink(2) and read(2).
#include "platform/native_file.h"

#include "platform/system_error_text.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nk {
namespace {

int openFlags(OutputFile::Mode mode) {
  switch (mode) {
    case OutputFile::Mode::TruncateExisting: return O_WRONLY | O_TRUNC;
    case OutputFile::Mode::AppendExisting: return O_WRONLY | O_APPEND;
    case OutputFile::Mode::CreateOrTruncate: return O_WRONLY | O_CREAT | O_TRUNC;
  }
  return O_WRONLY;
}

}  // namespace

OutputFile::OutputFile(const std::string& path, Mode mode) {
  const int fd = ::open(path.c_str(), openFlags(mode) | O_CLOEXEC, 0666);
  if (fd < 0) cause_ = lastSystemErrorText();
  else handle_ = fd;
}

OutputFile::~OutputFile() {
  if (isOpen()) ::close(static_cast<int>(handle_));
}

bool OutputFile::write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      cause_ = lastSystemErrorText();
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

bool OutputFile::close() {
  const int fd = static_cast<int>(handle_);
  handle_ = Closed;
  if (::close(fd) == 0) return true;
  cause_ = lastSystemErrorText();
  return false;
}

bool removeFile(const std::string& path, std::string& cause) {
  if (::unlink(path.c_str()) == 0) return true;
  cause = lastSystemErrorText();
  return false;
}

bool readWholeFile(const std::string& path, std::string& bytes, std::string& cause) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    cause = lastSystemErrorText();
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    cause = systemErrorText(EISDIR);
    return false;
  }
  bytes.clear();
  if (st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      cause = lastSystemErrorText();
      ::close(fd);
      return false;
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return true;
}

}  // namespace nk
