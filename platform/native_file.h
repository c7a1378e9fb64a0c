// native_file.h - the few plain file operations below the windows, through
// the platform's own calls so that every failure has its exact cause: writing
// an output file, removing a file, reading a whole file.
//
// Paths are UTF-8. Causes are the Japanese texts of system_error_text.h.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace nk {

class OutputFile {
public:
  enum class Mode {
    // An existing file only (never created), emptied first.
    TruncateExisting,
    // An existing file only (never created), every write at its end.
    AppendExisting,
    // Created if missing, emptied if present.
    CreateOrTruncate,
  };

  OutputFile(const std::string& path, Mode mode);
  // Closes the file if still open; an error of that close is lost.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool isOpen() const { return handle_ != Closed; }
  // Writes all of bytes; false on failure (cause() says why).
  bool write(std::string_view bytes);
  // Closes the file now, reporting the error that closing may bring.
  bool close();
  // Why the last failed step failed.
  const std::string& cause() const { return cause_; }

private:
  static constexpr std::intptr_t Closed = -1;
  // A file descriptor or a Windows handle.
  std::intptr_t handle_ = Closed;
  std::string cause_;
};

// Removes the file at path; false with cause set when it cannot.
bool removeFile(const std::string& path, std::string& cause);

// Every byte of the file at path; false with cause set when it cannot be
// opened or read (a folder gives cause::IsFolder).
bool readWholeFile(const std::string& path, std::string& bytes, std::string& cause);

// The same for a file that may be missing and must be a regular one: Missing
// when nothing is at path; Failed with cause set for a folder, a pipe or a
// device (read without waiting on it), or a file that cannot be read.
enum class FileRead { Read, Missing, Failed };
FileRead readRegularFile(const std::string& path, std::string& bytes, std::string& cause);

// The same file read piece by piece, for a file too long to hold whole: take
// gets each piece in order (at most ReadPieceBytes each), so the caller keeps
// only what it makes of them.
inline constexpr size_t ReadPieceBytes = 1 << 20;
FileRead readRegularFileInPieces(const std::string& path, const std::function<void(std::string_view)>& take,
                                 std::string& cause);

}  // namespace nk
