// file_replace.cpp - write to a temporary file, flush it, rename it over the old one.
#include "file_replace.h"

#include "system_error_text.h"
#include "text_file.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nk {
namespace {

FileWriteResult failure(const std::string& path, const std::string& cause) {
  return {false, "ファイル " + displayFileName(path) + " に書き込めません（" + cause + "）。"};
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// The rename is durable only once the folder's entry is on the disk too. A
// folder that cannot be synced loses nothing but that guarantee.
void syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

FileWriteResult replaceFileContents(const std::string& path, std::string_view bytes) {
  // A link (say into a synchronised folder) stays a link: the file it names
  // is the one replaced, in its own folder.
  std::string file = path;
  struct stat link {};
  if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    char* target = ::realpath(path.c_str(), nullptr);
    if (!target) return failure(path, systemErrorText(errno));
    file = target;
    std::free(target);
  }

  struct stat old {};
  const bool exists = ::stat(file.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return failure(path, systemErrorText(errno));
  if (exists) {
    if (S_ISDIR(old.st_mode)) return failure(path, systemErrorText(EISDIR));
    if (!S_ISREG(old.st_mode)) return failure(path, "通常のファイルではありません");
    // No write permission for anyone is the read-only mark, honoured even for
    // an administrator. Otherwise opening for writing without truncating asks
    // the system whether this user may change the file, and changes nothing.
    if ((old.st_mode & 0222) == 0) return failure(path, "読み取り専用のファイルです");
    const int probe = ::open(file.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (probe < 0) return failure(path, systemErrorText(errno));
    ::close(probe);
  }

  const size_t slash = file.rfind('/');
  const std::string folderPrefix = slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
  std::string temp = folderPrefix + ".nk-save-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    return {false, "ファイル " + displayFileName(path) + " を保存するフォルダーに書き込めません（" +
                       systemErrorText(errno) + "）。"};
  }

  auto abandon = [&](int err) {
    ::close(fd);
    ::unlink(temp.c_str());
    return failure(path, systemErrorText(err));
  };
  // mkstemp makes the file private: give it the old file's permissions, or
  // those of any new file.
  mode_t mode = old.st_mode & 07777;
  if (!exists) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  if (::fchmod(fd, mode) != 0) return abandon(errno);
  if (!writeAll(fd, bytes)) return abandon(errno);
  if (::fsync(fd) != 0) return abandon(errno);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return failure(path, systemErrorText(err));
  }
  if (::rename(temp.c_str(), file.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return failure(path, systemErrorText(err));
  }
  syncFolder(folderPrefix.empty() ? "." : folderPrefix);
  return {true, {}};
}

}  // namespace nk
