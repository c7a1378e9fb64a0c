// file_name.h - a file's name as the player knows it, for the texts that name it.
#pragma once

#include <string>

namespace nk {

// The name of a file as the player knows it: "./songlist.dat" -> "songlist.dat".
inline std::string displayFileName(const std::string& path) {
  return path.rfind("./", 0) == 0 ? path.substr(2) : path;
}

}  // namespace nk
