// hostile_zip.cpp - the raw records of a zip, written field by field.
#include "hostile_zip.h"

#include "archive/zip_layout.h"

#include <zlib.h>

#include <stdexcept>

namespace nk::test {

using namespace nk::zip;

namespace {

std::string deflateRaw(const std::string& bytes) {
  z_stream stream{};
  deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  if (deflate(&stream, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("deflate");
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

void putHeaderFields(std::string& out, const RawEntry& e, size_t nameLength, const std::string& extra) {
  put16(out, e.zip64 ? 45 : 20);
  put16(out, e.flags);
  put16(out, e.method);
  put16(out, 0x6000);  // 12:00
  put16(out, 0x5988);  // 2024-12-08
  put32(out, e.crc);
  put32(out, e.zip64 ? Zip64Mark32 : static_cast<uint32_t>(e.data.size()));
  put32(out, e.zip64 ? Zip64Mark32 : static_cast<uint32_t>(e.size));
  put16(out, static_cast<uint16_t>(nameLength));
  put16(out, static_cast<uint16_t>(extra.size()));
}

std::string zip64Extra(const RawEntry& e, uint64_t offset, bool central) {
  std::string extra;
  put16(extra, 0x0001);
  put16(extra, central ? 24 : 16);
  for (uint64_t v : {e.size, uint64_t{e.data.size()}}) {
    put32(extra, static_cast<uint32_t>(v));
    put32(extra, static_cast<uint32_t>(v >> 32));
  }
  if (central) {
    put32(extra, static_cast<uint32_t>(offset));
    put32(extra, static_cast<uint32_t>(offset >> 32));
  }
  return extra;
}

}  // namespace

RawEntry honestEntry(const std::string& name, const std::string& content, bool deflate) {
  RawEntry e;
  e.name = name;
  e.data = deflate ? deflateRaw(content) : content;
  e.method = deflate ? 8 : 0;
  e.crc = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(content.size())));
  e.size = content.size();
  return e;
}

std::string deflatedZeros(uint64_t count) {
  z_stream stream{};
  deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
  const std::string zeros(1 << 20, '\0');
  std::string out;
  char piece[1 << 16];
  for (uint64_t left = count;;) {
    const size_t now = left < zeros.size() ? static_cast<size_t>(left) : zeros.size();
    left -= now;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.data()));
    stream.avail_in = static_cast<uInt>(now);
    const int flush = left == 0 ? Z_FINISH : Z_NO_FLUSH;
    int result;
    do {
      stream.next_out = reinterpret_cast<Bytef*>(piece);
      stream.avail_out = sizeof piece;
      result = deflate(&stream, flush);
      out.append(piece, sizeof piece - stream.avail_out);
    } while (stream.avail_out == 0);
    if (left == 0 && result == Z_STREAM_END) break;
  }
  deflateEnd(&stream);
  return out;
}

std::string rawZip(const std::vector<RawEntry>& entries) {
  std::string out, directory;
  for (const RawEntry& e : entries) {
    const uint64_t offset = out.size();
    const std::string& localName = e.localName.empty() ? e.name : e.localName;
    const std::string localExtra = e.zip64 ? zip64Extra(e, offset, false) : std::string();
    put32(out, LocalHeaderSignature);
    putHeaderFields(out, e, localName.size(), localExtra);
    out += localName + localExtra + e.data;

    const std::string centralExtra = e.zip64 ? zip64Extra(e, offset, true) : std::string();
    put32(directory, CentralHeaderSignature);
    put16(directory, 20);
    putHeaderFields(directory, e, e.name.size(), centralExtra);
    put16(directory, 0);
    put16(directory, 0);
    put16(directory, 0);
    put32(directory, 0);
    put32(directory, e.zip64 ? Zip64Mark32 : static_cast<uint32_t>(offset));
    directory += e.name + centralExtra;
  }
  const size_t directoryAt = out.size();
  out += directory;
  put32(out, EndSignature);
  put16(out, 0);
  put16(out, 0);
  put16(out, static_cast<uint16_t>(entries.size()));
  put16(out, static_cast<uint16_t>(entries.size()));
  put32(out, static_cast<uint32_t>(directory.size()));
  put32(out, static_cast<uint32_t>(directoryAt));
  put16(out, 0);
  return out;
}

}  // namespace nk::test
