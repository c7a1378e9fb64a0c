// native_file_posix.cpp - output files, removal and reading over open(2),
// write(2), unlink(2) and read(2).
#include "platform/native_file.h"

#include "platform/posix_io.h"
#include "platform/system_error_text.h"

#include <cerrno>
#include <dirent.h>
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
  if (writeAll(static_cast<int>(handle_), bytes)) return true;
  cause_ = lastSystemErrorText();
  return false;
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

bool removeEmptyFolder(const std::string& path, std::string& cause) {
  if (::rmdir(path.c_str()) == 0) return true;
  cause = lastSystemErrorText();
  return false;
}

bool makeFolder(const std::string& path, std::string& cause) {
  if (::mkdir(path.c_str(), 0777) == 0) return true;
  const int err = errno;
  struct stat st {};
  if (err == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return true;
  cause = systemErrorText(err);
  return false;
}

FileRead listFolderFiles(const std::string& path, std::vector<std::string>& names, std::string& cause) {
  names.clear();
  DIR* dir = ::opendir(path.c_str());
  if (!dir) {
    if (errno == ENOENT) return FileRead::Missing;
    cause = lastSystemErrorText();
    return FileRead::Failed;
  }
  const int dirFd = ::dirfd(dir);
  errno = 0;
  while (const struct dirent* entry = ::readdir(dir)) {
    struct stat st {};
    if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
      names.emplace_back(entry->d_name);
    errno = 0;
  }
  const int err = errno;
  ::closedir(dir);
  if (err == 0) return FileRead::Read;
  cause = systemErrorText(err);
  return FileRead::Failed;
}

namespace {

// Reads the rest of fd into bytes and closes it.
bool readAndClose(int fd, const struct stat& st, std::string& bytes, std::string& cause) {
  bytes.clear();
  if (st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
  const bool read = readAll(fd, bytes);
  if (!read) cause = lastSystemErrorText();
  ::close(fd);
  return read;
}

}  // namespace

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
  return readAndClose(fd, st, bytes, cause);
}

namespace {

// Opens the regular file at path for reading, without waiting on a pipe or a
// device of that name; -1 with outcome Missing or Failed (and cause) otherwise.
int openRegular(const std::string& path, FileRead& outcome, std::string& cause) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    outcome = errno == ENOENT ? FileRead::Missing : FileRead::Failed;
    if (outcome == FileRead::Failed) cause = lastSystemErrorText();
    return -1;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const int err = errno;
    ::close(fd);
    outcome = FileRead::Failed;
    cause = st.st_mode == 0 ? systemErrorText(err)
            : S_ISDIR(st.st_mode) ? systemErrorText(EISDIR) : std::string(cause::NotRegular);
    return -1;
  }
  return fd;
}

}  // namespace

FileRead readRegularFileInPieces(const std::string& path, const std::function<void(std::string_view)>& take,
                                 std::string& cause) {
  FileRead outcome = FileRead::Read;
  const int fd = openRegular(path, outcome, cause);
  if (fd < 0) return outcome;
  const bool read = readPieces(fd, ReadPieceBytes, take);
  if (!read) cause = lastSystemErrorText();
  ::close(fd);
  return read ? FileRead::Read : FileRead::Failed;
}

InputFile::InputFile(const std::string& path) {
  outcome_ = FileRead::Read;
  const int fd = openRegular(path, outcome_, cause_);
  if (fd < 0) return;
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    outcome_ = FileRead::Failed;
    cause_ = lastSystemErrorText();
    ::close(fd);
    return;
  }
  handle_ = fd;
  size_ = st.st_size;
}

InputFile::~InputFile() {
  if (handle_ != Closed) ::close(static_cast<int>(handle_));
}

bool InputFile::readAt(int64_t offset, size_t n, std::string& bytes) {
  if (readAllAt(static_cast<int>(handle_), offset, n, bytes)) return true;
  cause_ = lastSystemErrorText();
  return false;
}

}  // namespace nk
