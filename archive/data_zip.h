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

#include "archive/zip_reader.h"
#include "data/check_sum.h"
#include "data/moment.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace nk {

inline constexpr const char* ManifestName = "norukaku-data.txt";
inline constexpr const char* ManifestHeader = "norukaku-client data,1";

// What a zip of the player's data may hold, from the largest data a player
// can have. Forty years of saves of 20 charts an evening are 292,000
// improvements, about 13 MB of log for one version, and that log joined with
// a second PC's about 20 MB (bench/archive_bench); the history of those saves
// stays under 1 MB, the score file of the largest sheet (8,191 entries)
// under 200 KB, a kept set of master lists a few MB. So:
// - one file: 64 MiB, three times the joined log;
// - all files: 256 MiB, three versions at that size three times over;
// - entries: 256; the program writes 9 files a version and the manifest
//   (28 for three versions), so room for many more versions;
// - the zip file itself: never more than its files stored as they are plus
//   their headers, so anything past LargestZippedTotal and 1 MiB is refused
//   from its size, unread.
inline constexpr uint64_t LargestZippedFile = uint64_t{64} << 20;
inline constexpr uint64_t LargestZippedTotal = uint64_t{256} << 20;
inline constexpr size_t MostZippedFiles = 256;
inline constexpr uint64_t LargestDataZipFile = LargestZippedTotal + (uint64_t{1} << 20);
inline constexpr ZipBounds DataZipBounds{MostZippedFiles, LargestZippedFile, LargestZippedTotal};

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
// The files of a zip written by dataZipBytes, checked against its manifest,
// read within the bounds.
ReadDataZip readDataZip(std::string_view zipBytes, const ZipBounds& bounds = DataZipBounds);
// The same for the zip file at path; a file that cannot be read, or that is
// larger than largestFile, is refused with its cause, unread.
ReadDataZip readDataZipFile(const std::string& path, const ZipBounds& bounds = DataZipBounds,
                            uint64_t largestFile = LargestDataZipFile);

// A name as a zip may spell it, fit for a message: a control character or a
// byte that starts no UTF-8 character shows as "?", and a name of hundreds of
// characters is cut short.
std::string shownZipName(std::string_view name);

// Why files (with the manifest) would make a zip past the bounds, in the
// player's words; empty when they fit.
std::string zipBoundsFailure(const DataFiles& data, const ZipBounds& bounds);

}  // namespace nk
