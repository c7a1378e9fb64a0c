// hostile_zip.h - zips as someone else may make them: every field of an
// entry set by hand, so that it can lie (a size, a CRC, a name, a method), be
// cut, be zip64, or hold a deflate stream far larger than it says.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nk::test {

struct RawEntry {
  std::string name;
  std::string data;         // as it lies in the zip (stored or deflated)
  uint16_t method = 0;      // 0 stored, 8 deflated
  uint32_t crc = 0;
  uint64_t size = 0;        // the inflated size the entry declares
  uint16_t flags = 0x0800;  // UTF-8 names
  bool zip64 = false;       // sizes and offset as 0xFFFFFFFF with a zip64 extra field
  std::string localName;    // the local header's name when it differs (empty: name)
};

// An entry that tells the truth: deflated (or stored) content with its CRC.
RawEntry honestEntry(const std::string& name, const std::string& content, bool deflate = true);
// A raw deflate stream of count zero bytes, made piece by piece (a bomb's
// payload: about a thousandth of count).
std::string deflatedZeros(uint64_t count);
// The zip of the entries, in order, with its central directory and end record.
std::string rawZip(const std::vector<RawEntry>& entries);

}  // namespace nk::test
