// file_replace_posix.cpp - write to a temporary file, flush it, rename it over the
// old one; or, where that cannot work, rewrite the old file in place.
#include "platform/file_replace.h"

#include "platform/file_name.h"
#include "platform/posix_io.h"
#include "platform/system_error_text.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nk {
namespace {

FileWriteResult failure(const std::string& path, const std::string& cause) {
  return {false, cannotWriteText(path, cause)};
}

// The new file of a rename has its creator as owner. Root gives it the old
// owner back; another user may at least keep the group when it is one of theirs.
void keepOwnerAndGroup(int fd, const struct stat& old) {
  if (::fchown(fd, old.st_uid, old.st_gid) == 0) return;
  [[maybe_unused]] const int groupOnly = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
}

// Only for an existing file that a rename cannot replace (see the header): a
// crash halfway leaves it partly written, which the temporary file avoids.
// The room for the new content is reserved first, so that a full disk fails
// before a byte of the old content has changed.
FileWriteResult writeInPlace(const std::string& path, const std::string& file, std::string_view bytes) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return failure(path, systemErrorText(errno));
  if (!bytes.empty() && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes.size())) != 0 &&
      errno != EOPNOTSUPP && errno != ENOSYS) {
    const int err = errno;
    ::close(fd);
    return failure(path, systemErrorText(err));
  }
  auto damaged = [&](int err) {
    FileWriteResult r = failure(path, systemErrorText(err));
    r.oldKept = false;
    return r;
  };
  if (!writeAll(fd, bytes) || ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd) != 0) {
    const int err = errno;
    ::close(fd);
    return damaged(err);
  }
  if (::close(fd) != 0) return damaged(errno);
  return {true, {}};
}

// The names mkstemp gives ".nk-save-XXXXXX": six letters or digits.
bool isSaveTemporaryName(std::string_view name) {
  constexpr std::string_view Prefix = ".nk-save-";
  if (name.size() != Prefix.size() + 6 || name.substr(0, Prefix.size()) != Prefix) return false;
  for (const char c : name.substr(Prefix.size()))
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  return true;
}

// Removes the temporary files of killed saves from the folder (see the header).
void removeStaleTemporaries(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  const int dirFd = ::dirfd(dir);
  const std::time_t now = std::time(nullptr);
  while (const struct dirent* entry = ::readdir(dir)) {
    if (!isSaveTemporaryName(entry->d_name)) continue;
    struct stat st {};
    if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
    if (now - st.st_mtime < StaleSaveSeconds) continue;
    [[maybe_unused]] const int removed = ::unlinkat(dirFd, entry->d_name, 0);
  }
  ::closedir(dir);
}

// Before an existing file is replaced: why it cannot be, or the write in
// place where a replacement would split it; nothing when one may take its
// place.
std::optional<FileWriteResult> beforeReplacing(const std::string& path, const std::string& file,
                                               const struct stat& old, std::string_view bytes) {
  if (S_ISDIR(old.st_mode)) return failure(path, systemErrorText(EISDIR));
  if (!S_ISREG(old.st_mode)) return failure(path, "通常のファイルではありません");
  // No write permission for anyone is the read-only mark, honoured even for
  // an administrator. Otherwise opening for writing without truncating asks
  // the system whether this user may change the file, and changes nothing.
  if ((old.st_mode & 0222) == 0) return failure(path, "読み取り専用のファイルです");
  const int probe = ::open(file.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (probe < 0) return failure(path, systemErrorText(errno));
  ::close(probe);
  if (old.st_nlink > 1) return writeInPlace(path, file, bytes);
  return std::nullopt;
}

// Writes the bytes into the new temporary file (fd, named temp) with the old
// file's owner and permissions, or those of any new file, flushed and
// closed; a failure removes it again.
std::optional<FileWriteResult> fillTemporary(const std::string& path, int fd, const std::string& temp,
                                             const struct stat* old, std::string_view bytes) {
  auto abandon = [&](int err) {
    ::close(fd);
    ::unlink(temp.c_str());
    return failure(path, systemErrorText(err));
  };
  if (old) keepOwnerAndGroup(fd, *old);
  // mkstemp makes the file private: give it the old file's permissions, or
  // those of any new file (after the owner, whose change may drop set-id bits).
  mode_t mode = 0;
  if (old) {
    mode = old->st_mode & 07777;
  } else {
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
  return std::nullopt;
}

}  // namespace

FileWriteResult replaceFileContents(const std::string& path, std::string_view bytes) {
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
  if (exists)
    if (std::optional<FileWriteResult> done = beforeReplacing(path, file, old, bytes)) return *done;

  const size_t slash = file.rfind('/');
  const std::string folderPrefix = slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
  std::string temp = folderPrefix + ".nk-save-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    if (exists && (errno == EACCES || errno == EPERM)) return writeInPlace(path, file, bytes);
    return {false, cannotWriteFolderText(path, systemErrorText(errno))};
  }
  if (std::optional<FileWriteResult> failed = fillTemporary(path, fd, temp, exists ? &old : nullptr, bytes))
    return *failed;
  if (::rename(temp.c_str(), file.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    // A shared folder with the sticky mark lets only a file's owner rename
    // over it, while the file may be open to others' writing.
    if (exists && (err == EACCES || err == EPERM)) return writeInPlace(path, file, bytes);
    return failure(path, systemErrorText(err));
  }
  syncFolder(folderPrefix.empty() ? "." : folderPrefix);
  removeStaleTemporaries(folderPrefix.empty() ? "." : folderPrefix);
  return {true, {}};
}

}  // namespace nk
