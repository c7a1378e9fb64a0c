// zip_layout.h - the few records of a zip that this program writes and reads:
// local file headers, central directory headers and the end record, all
// little-endian, as PKWARE's APPNOTE lays them out. No zip64, no encryption,
// no data descriptors: entries are stored or deflated, each under 4 GiB.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace nk::zip {

inline constexpr uint32_t LocalHeaderSignature = 0x04034b50;
inline constexpr uint32_t CentralHeaderSignature = 0x02014b50;
inline constexpr uint32_t EndSignature = 0x06054b50;
inline constexpr uint32_t Zip64LocatorSignature = 0x07064b50;

inline constexpr size_t LocalHeaderSize = 30;    // before the name and the extra field
inline constexpr size_t CentralHeaderSize = 46;  // before the name, the extra field and the comment
inline constexpr size_t EndSize = 22;            // before the zip's comment
inline constexpr size_t Zip64LocatorSize = 20;
inline constexpr size_t LongestComment = 0xFFFF;

inline constexpr uint16_t Stored = 0;
inline constexpr uint16_t Deflated = 8;
inline constexpr uint16_t EncryptedFlag = 1u << 0;
inline constexpr uint16_t Utf8NameFlag = 1u << 11;
inline constexpr uint16_t VersionNeeded = 20;  // 2.0: deflate
// A 16- or 32-bit field of all ones says the real value is in a zip64 record.
inline constexpr uint16_t Zip64Mark16 = 0xFFFF;
inline constexpr uint32_t Zip64Mark32 = 0xFFFFFFFF;

inline void put16(std::string& out, uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}
inline void put32(std::string& out, uint32_t v) {
  put16(out, static_cast<uint16_t>(v & 0xFFFF));
  put16(out, static_cast<uint16_t>(v >> 16));
}
// The caller has checked that the bytes are there.
inline uint16_t get16(std::string_view in, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(in[at]) | static_cast<unsigned char>(in[at + 1]) << 8);
}
inline uint32_t get32(std::string_view in, size_t at) {
  return get16(in, at) | static_cast<uint32_t>(get16(in, at + 2)) << 16;
}

}  // namespace nk::zip
