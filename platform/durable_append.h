// durable_append.h - adding bytes to the end of a file so that a crash can at
// worst leave the last addition torn, never an earlier one.
//
// The file is opened (created when missing) for appending only; the caller
// may read what it holds, then appends with one write that is flushed to
// the disk before the file is closed, and for a file that was empty, the
// folder's entry too. A folder, anything but a regular file and a read-only
// file (no write permission for anyone; the read-only attribute on Windows)
// are refused, even for an administrator, as the score file's save does.
//
// Causes are the Japanese texts of system_error_text.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace nk {

class AppendFile {
public:
  explicit AppendFile(const std::string& path);
  ~AppendFile();
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;

  bool isOpen() const { return handle_ != Closed; }
  // The file's size when it was opened.
  int64_t size() const { return size_; }
  // The n bytes at offset, within its size at opening; false when they
  // cannot be read (cause() says why).
  bool readAt(int64_t offset, size_t n, std::string& bytes);
  // Writes all of bytes at the end in one write, flushes them to the disk and
  // closes the file; false on failure (cause() says why), with the file given
  // back its length at opening, so that no partial addition stays behind.
  bool appendAndClose(std::string_view bytes);
  // Why opening or the last failed step failed.
  const std::string& cause() const { return cause_; }

private:
  static constexpr std::intptr_t Closed = -1;
  std::string path_;
  // A file descriptor or a Windows handle.
  std::intptr_t handle_ = Closed;
  int64_t size_ = 0;
  std::string cause_;
};

}  // namespace nk
