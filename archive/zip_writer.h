// zip_writer.h - a zip of named files, as any unzip program reads it.
//
// Each file is deflated (zlib, raw) where that makes it smaller and stored
// otherwise, with its CRC-32, and stamped with the moment given as the local
// date and time that zip's DOS fields hold (two-second steps, 1980 to 2107).
// Names are written as given, flagged as UTF-8. The caller keeps every file
// under 4 GiB and the count under 65,535; the program's own bounds
// (data_zip.h) are far below both.
#pragma once

#include "data/moment.h"

#include <string>
#include <utility>
#include <vector>

namespace nk {

using ZipFiles = std::vector<std::pair<std::string, std::string>>;  // name, bytes; in this order

std::string zipBytes(const ZipFiles& files, const Moment& stamp);

}  // namespace nk
