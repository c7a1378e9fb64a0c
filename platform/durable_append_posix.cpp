// durable_append_posix.cpp - one O_APPEND write, fsync, and the folder synced
// for a file that was empty.
#include "platform/durable_append.h"

#include "platform/posix_io.h"
#include "platform/system_error_text.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nk {

AppendFile::AppendFile(const std::string& path) : path_(path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      cause_ = systemErrorText(EISDIR);
      return;
    }
    if (!S_ISREG(st.st_mode)) {
      cause_ = std::string(cause::NotRegular);
      return;
    }
    if ((st.st_mode & 0222) == 0) {
      cause_ = std::string(cause::ReadOnly);
      return;
    }
  } else if (errno != ENOENT) {
    cause_ = lastSystemErrorText();
    return;
  }
  const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) {
    cause_ = lastSystemErrorText();
    return;
  }
  if (::fstat(fd, &st) != 0) {
    cause_ = lastSystemErrorText();
    ::close(fd);
    return;
  }
  handle_ = fd;
  size_ = st.st_size;
}

AppendFile::~AppendFile() {
  if (isOpen()) ::close(static_cast<int>(handle_));
}

bool AppendFile::readAt(int64_t offset, size_t n, std::string& bytes) {
  if (readAllAt(static_cast<int>(handle_), offset, n, bytes)) return true;
  cause_ = lastSystemErrorText();
  return false;
}

bool AppendFile::appendAndClose(std::string_view bytes) {
  const int fd = static_cast<int>(handle_);
  handle_ = Closed;
  auto fail = [&](int err) {
    [[maybe_unused]] const int restored = ::ftruncate(fd, static_cast<off_t>(size_));
    ::close(fd);
    cause_ = systemErrorText(err);
    return false;
  };
  // One write: a crash leaves at most this addition torn.
  const ssize_t n = ::write(fd, bytes.data(), bytes.size());
  if (n < 0) return fail(errno);
  if (static_cast<size_t>(n) != bytes.size()) return fail(ENOSPC);
  if (::fsync(fd) != 0) return fail(errno);
  if (::close(fd) != 0) {
    cause_ = lastSystemErrorText();
    return false;
  }
  if (size_ == 0) syncFolderOf(path_);
  return true;
}

}  // namespace nk
