// posix_io.cpp - read(2) and write(2) loops, and fsync of a folder.
#include "platform/posix_io.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace nk {

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

bool readPieces(int fd, size_t pieceBytes, const std::function<void(std::string_view)>& take) {
  std::string piece(pieceBytes, '\0');
  for (;;) {
    const ssize_t n = ::read(fd, piece.data(), piece.size());
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    take(std::string_view(piece.data(), static_cast<size_t>(n)));
  }
}

bool readAll(int fd, std::string& bytes) {
  return readPieces(fd, 65536, [&bytes](std::string_view piece) { bytes.append(piece); });
}

bool readAllAt(int fd, int64_t offset, size_t n, std::string& bytes) {
  bytes.assign(n, '\0');
  for (size_t got = 0; got < n;) {
    const ssize_t r = ::pread(fd, bytes.data() + got, n - got, static_cast<off_t>(offset + static_cast<int64_t>(got)));
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) return false;
    if (r == 0) {
      errno = EIO;
      return false;
    }
    got += static_cast<size_t>(r);
  }
  return true;
}

void syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

void syncFolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  syncFolder(slash == std::string::npos ? "." : path.substr(0, slash + 1));
}

}  // namespace nk
