// data_zip.h - files of the player's data in one zip, with a manifest that
// makes the zip ours and checks every file in it.
//
// The manifest "norukaku-data.txt" (UTF-8, CR LF) is the zip's first entry:
// the line ManifestHeader, "written," and the moment of the export, then one
// line per file: its path inside the zip, its size and its FNV-1a check sum
// ("ac13score.csv,1234,<16 hexadecimal digits>"). Reading refuses a zip that
// is none, one without our manifest (a foreign zip), and one whose files do
// not match it (missing, extra, other sizes or sums: a damaged zip); the
// reason is a sentence for the player.
#pragma once

#include "data/check_sum.h"
#include "data/moment.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace nk {

inline constexpr const char* ManifestName = "norukaku-data.txt";
inline constexpr const char* ManifestHeader = "norukaku-client data,1";
// A file larger than this in a zip is refused unread (a zip bomb, or no zip
// of ours: an improvements log of 40 years of daily saves stays far below).
inline constexpr size_t LargestZippedFile = size_t{1} << 30;

// Files by their path inside the zip ("masters/ac13/songlist.dat"), with
// the moment they were gathered.
struct DataFiles {
  Moment written;
  std::map<std::string, std::string> files;
};

// The zip's bytes: the manifest, then the files in path order, compressed
// where that makes them smaller.
std::string dataZipBytes(const DataFiles& data);

struct ReadDataZip {
  std::optional<DataFiles> data;
  std::string failure;  // why not, when there is no data
};
// The files of a zip written by dataZipBytes, checked against its manifest.
ReadDataZip readDataZip(std::string_view zipBytes);
// The same for the zip file at path; a file that cannot be read is refused
// with its cause.
ReadDataZip readDataZipFile(const std::string& path);

}  // namespace nk
