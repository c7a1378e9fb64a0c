// text_file.h - the program's text files: their bytes as they are on disk,
// and the lines and pieces of their text once decoded (CP932 on disk, UTF-8
// inside; the readers decode with platform/cp932.h between the two steps).
//
// A line ends at CR or at CR LF; the terminator is dropped and a lone LF is an
// ordinary character of the line. Every line written ends with CR LF.
#pragma once

#include "platform/file_name.h"

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

}  // namespace nk
