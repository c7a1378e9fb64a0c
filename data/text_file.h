// text_file.h - the program's text files: their bytes as they are on disk,
// and the lines and pieces of their text once decoded (CP932 on disk, UTF-8
// inside; the readers decode with platform/cp932.h between the two steps).
//
// A line ends at CR or at CR LF; the terminator is dropped and a lone LF is an
// ordinary character of the line. Every line written ends with CR LF.
#pragma once

#include "platform/file_name.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nk {

// Cuts text at every occurrence of separator. The pieces are numbered from 0;
// empty pieces count; the text after the last separator is the last piece.
// An empty text gives no pieces at all, so its last piece number is -1.
std::vector<std::string_view> splitText(std::string_view text, std::string_view separator);

// The lines of a decoded text.
std::vector<std::string> splitLines(std::string_view text);
// The lines of a decoded text joined with nothing between them.
std::string joinLines(std::string_view text);

// Every byte of a file. RuntimeError naming the file and the cause when it
// cannot be opened or read.
std::string readFileBytes(const std::string& path);

// A file read only when its size allows: a reader whose file has a known
// greatest size asks it of the file first, so that a file of gigabytes (put
// there by mistake, or damaged) is refused from its size, never read whole.
// Read with bytes set; Missing when nothing is at path; Failed with cause set
// for a folder, a pipe, a device or a file that cannot be read; TooLarge with
// the file's size in size when it holds more than mostBytes.
enum class BoundedRead { Read, Missing, Failed, TooLarge };
BoundedRead readFileWithin(const std::string& path, int64_t mostBytes, std::string& bytes, int64_t& size,
                           std::string& cause);

}  // namespace nk
