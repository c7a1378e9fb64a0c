// zip_reader.h - the files of a zip, read by what they really inflate to,
// never by what the zip declares.
//
// The zip may come from anywhere (another PC, another program, a damaged
// disk), so every number in it is a claim: the end record's count is checked
// against the bounds before any file is inflated, and so is each declared
// size and their sum; each file is inflated (zlib, raw) into a buffer that
// grows only with what really comes out, and reading stops at the first byte
// past the file's declared size. A file must then end exactly at that size
// with its CRC-32. Only what this program writes is taken: stored or deflated
// entries on one disk, neither zip64 nor encrypted.
//
// A refusal names its kind and, where one file is at fault, the file's name
// as the zip spells it; the caller puts it into the player's words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nk {

struct ZipBounds {
  size_t mostEntries = 0;
  uint64_t largestFile = 0;   // inflated
  uint64_t largestTotal = 0;  // inflated, all files together
};

enum class ZipFault {
  None,
  NoZip,          // no end record, or records that do not hold together
  TooManyFiles,   // more entries than the bounds allow
  FileTooLarge,   // one file past largestFile (declared, or as it inflates)
  TotalTooLarge,  // all files past largestTotal
  Zip64,          // a zip64 record: never written by this program
  Unreadable,     // encrypted, or a compression other than stored or deflated
  Damaged,        // a file that does not inflate to its declared size and CRC
};

struct ZipEntry {
  std::string name;
  std::string bytes;
};

struct ZipContents {
  std::vector<ZipEntry> entries;  // in the order of the central directory
  ZipFault fault = ZipFault::None;
  std::string faultyName;  // the file at fault, for the kinds that have one
  size_t entryCount = 0;   // as the end record says, for TooManyFiles
};

ZipContents readZip(std::string_view zip, const ZipBounds& bounds);

}  // namespace nk
