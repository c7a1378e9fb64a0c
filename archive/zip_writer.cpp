// zip_writer.cpp - local headers and data, then the central directory.
#include "archive/zip_writer.h"

#include "archive/zip_layout.h"

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>

namespace nk {
namespace {

using namespace zip;

struct DosStamp {
  uint16_t time = 0;
  uint16_t date = 0;
};

DosStamp dosStamp(const Moment& stamp) {
  using namespace std::chrono;
  const local_seconds local = std::clamp(stamp.local(), local_seconds{local_days{year{1980} / 1 / 1}},
                                         local_seconds{local_days{year{2107} / 12 / 31}});
  const local_days day = floor<days>(local);
  const year_month_day ymd{day};
  const hh_mm_ss clock{local - day};
  return {static_cast<uint16_t>(clock.hours().count() << 11 | clock.minutes().count() << 5 | clock.seconds().count() / 2),
          static_cast<uint16_t>((static_cast<int>(ymd.year()) - 1980) << 9 | static_cast<unsigned>(ymd.month()) << 5 |
                                static_cast<unsigned>(ymd.day()))};
}

// The raw deflate stream of bytes (no zlib header), as zip keeps it.
std::string deflated(const std::string& bytes) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::bad_alloc();
  std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (result != Z_STREAM_END) throw std::runtime_error("deflate did not finish");  // deflateBound is enough
  return out;
}

// What the local and the central header share, from "version needed" to the
// extra field's length.
void putCommon(std::string& out, uint16_t method, DosStamp stamp, uint32_t crc, size_t packed, size_t size,
               size_t nameLength) {
  put16(out, VersionNeeded);
  put16(out, Utf8NameFlag);
  put16(out, method);
  put16(out, stamp.time);
  put16(out, stamp.date);
  put32(out, crc);
  put32(out, static_cast<uint32_t>(packed));
  put32(out, static_cast<uint32_t>(size));
  put16(out, static_cast<uint16_t>(nameLength));
  put16(out, 0);  // no extra field
}

}  // namespace

std::string zipBytes(const ZipFiles& files, const Moment& stamp) {
  const DosStamp when = dosStamp(stamp);
  std::string out, directory;
  for (const auto& [name, bytes] : files) {
    const uint32_t crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
    std::string packed = deflated(bytes);
    const bool smaller = packed.size() < bytes.size();
    const uint16_t method = smaller ? Deflated : Stored;
    const std::string& data = smaller ? packed : bytes;
    const size_t offset = out.size();

    put32(out, LocalHeaderSignature);
    putCommon(out, method, when, crc, data.size(), bytes.size(), name.size());
    out += name;
    out += data;

    put32(directory, CentralHeaderSignature);
    put16(directory, VersionNeeded);  // made by: MS-DOS attributes, 2.0
    putCommon(directory, method, when, crc, data.size(), bytes.size(), name.size());
    put16(directory, 0);  // no comment
    put16(directory, 0);  // disk 0
    put16(directory, 0);  // internal attributes
    put32(directory, 0);  // external attributes
    put32(directory, static_cast<uint32_t>(offset));
    directory += name;
  }
  const size_t directoryAt = out.size();
  out += directory;
  put32(out, EndSignature);
  put16(out, 0);  // this disk
  put16(out, 0);  // the directory's disk
  put16(out, static_cast<uint16_t>(files.size()));
  put16(out, static_cast<uint16_t>(files.size()));
  put32(out, static_cast<uint32_t>(directory.size()));
  put32(out, static_cast<uint32_t>(directoryAt));
  put16(out, 0);  // no comment
  return out;
}

}  // namespace nk
