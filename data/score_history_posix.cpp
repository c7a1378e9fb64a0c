// score_history_posix.cpp - reading the history file whole and appending one
// record with a single O_APPEND write, flushed to the disk.
#include "data/score_history.h"

#include "platform/system_error_text.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nk {
namespace {

// The folder's entry of a new file survives a crash only once the folder is synced.
void syncFolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

HistoryAppendResult appendFailure(int err) { return {false, systemErrorText(err)}; }

}  // namespace

HistoryReadResult readHistory(const std::string& path) {
  HistoryReadResult result;
  // Non-blocking: a pipe of that name must not hang the save.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return result;
    return {{}, false, systemErrorText(errno)};
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int err = errno;
    ::close(fd);
    return {{}, false, systemErrorText(err)};
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return {{}, false, S_ISDIR(st.st_mode) ? systemErrorText(EISDIR) : "通常のファイルではありません"};
  }
  std::string bytes;
  char chunk[65536];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      return {{}, false, systemErrorText(err)};
    }
    bytes.append(chunk, static_cast<size_t>(n));
  }
  ::close(fd);
  result.records = parseHistory(bytes);
  return result;
}

HistoryAppendResult appendHistoryRecord(const std::string& path, const HistoryRecord& record) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return appendFailure(EISDIR);
    if (!S_ISREG(st.st_mode)) return {false, "通常のファイルではありません"};
    if ((st.st_mode & 0222) == 0) return {false, "読み取り専用のファイルです"};
  } else if (errno != ENOENT) {
    return appendFailure(errno);
  }
  const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return appendFailure(errno);
  auto fail = [fd](int err) {
    ::close(fd);
    return appendFailure(err);
  };
  if (::fstat(fd, &st) != 0) return fail(errno);
  std::string text;
  if (st.st_size == 0) {
    text = std::string(HistoryHeader) + "\r\n";
  } else {
    char tail[2] = {};
    if (st.st_size < 2 || ::pread(fd, tail, 2, st.st_size - 2) != 2 || tail[0] != '\r' || tail[1] != '\n')
      text = "\r\n";
  }
  text += historyLine(record);
  // One write: a crash leaves at most this line torn, which reading skips.
  const ssize_t n = ::write(fd, text.data(), text.size());
  if (n < 0) return fail(errno);
  if (static_cast<size_t>(n) != text.size()) return fail(ENOSPC);
  if (::fsync(fd) != 0) return fail(errno);
  if (::close(fd) != 0) return appendFailure(errno);
  if (st.st_size == 0) syncFolderOf(path);
  return {};
}

}  // namespace nk
