// native_file.h - the few plain file operations below the windows, through
// the platform's own calls so that every failure has its exact cause: writing
// an output file, removing a file, listing a folder, reading a whole file or
// parts of it.
//
// Paths are UTF-8. Causes are the Japanese texts of system_error_text.h.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

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

// Removes the empty folder at path; false with cause set when it cannot
// (one that holds anything stays).
bool removeEmptyFolder(const std::string& path, std::string& cause);

// Makes the folder at path (its parent must exist); true when a folder is
// there afterwards, made now or before, else false with cause set.
bool makeFolder(const std::string& path, std::string& cause);


// Every byte of the file at path; false with cause set when it cannot be
// opened or read (a folder gives cause::IsFolder).
bool readWholeFile(const std::string& path, std::string& bytes, std::string& cause);

// A file that may be missing and must be a regular one, read piece by piece
// for a file too long to hold whole: take gets each piece in order (at most
// ReadPieceBytes each), so the caller keeps only what it makes of them.
// Missing when nothing is at path; Failed with cause set for a folder, a pipe
// or a device (read without waiting on it), or a file that cannot be read.
enum class FileRead { Read, Missing, Failed };
inline constexpr size_t ReadPieceBytes = 1 << 20;
FileRead readRegularFileInPieces(const std::string& path, const std::function<void(std::string_view)>& take,
                                 std::string& cause);

// The names of the regular files in the folder at path (no folders, no
// links), in no particular order; Missing when there is no such folder,
// Failed with cause set when it cannot be read.
FileRead listFolderFiles(const std::string& path, std::vector<std::string>& names, std::string& cause);

// The same kind of file opened for reads at any offset, such as its last
// blocks first.
class InputFile {
public:
  explicit InputFile(const std::string& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Read once the file is open; Missing or Failed (cause() says why) otherwise.
  FileRead outcome() const { return outcome_; }
  // Its size when it was opened.
  int64_t size() const { return size_; }
  // The n bytes at offset, within that size; false when they cannot be read.
  bool readAt(int64_t offset, size_t n, std::string& bytes);
  const std::string& cause() const { return cause_; }

private:
  static constexpr std::intptr_t Closed = -1;
  std::intptr_t handle_ = Closed;
  FileRead outcome_ = FileRead::Failed;
  int64_t size_ = 0;
  std::string cause_;
};

}  // namespace nk
