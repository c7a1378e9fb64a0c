// zip_reader.cpp - the end record, the central directory, then each file
// inflated under its declared size.
#include "archive/zip_reader.h"

#include "archive/zip_layout.h"

#include <zlib.h>

#include <algorithm>
#include <optional>

namespace nk {
namespace {

using namespace zip;

struct Listed {
  std::string name;
  uint16_t flags = 0;
  uint16_t method = 0;
  uint32_t crc = 0;
  uint64_t packed = 0;
  uint64_t size = 0;
  uint64_t localAt = 0;
};

struct End {
  size_t at = 0;
  uint64_t count = 0;
  uint64_t directoryAt = 0;
  uint64_t directorySize = 0;
};

ZipContents fault(ZipFault kind, std::string name = {}) {
  ZipContents contents;
  contents.fault = kind;
  contents.faultyName = std::move(name);
  return contents;
}

// The last end record whose comment fits in what follows it.
std::optional<size_t> findEnd(std::string_view zip) {
  if (zip.size() < EndSize) return std::nullopt;
  const size_t lowest = zip.size() - EndSize > LongestComment ? zip.size() - EndSize - LongestComment : 0;
  for (size_t at = zip.size() - EndSize + 1; at-- > lowest;)
    if (get32(zip, at) == EndSignature && get16(zip, at + 20) <= zip.size() - at - EndSize) return at;
  return std::nullopt;
}

// The central directory, checked against the bounds before anything inflates.
ZipContents listFiles(std::string_view zip, const End& end, const ZipBounds& bounds, std::vector<Listed>& files) {
  uint64_t total = 0;
  size_t at = static_cast<size_t>(end.directoryAt);
  const size_t stop = at + static_cast<size_t>(end.directorySize);
  for (uint64_t i = 0; i < end.count; ++i) {
    if (stop - at < CentralHeaderSize || get32(zip, at) != CentralHeaderSignature) return fault(ZipFault::NoZip);
    const size_t nameLength = get16(zip, at + 28), extraLength = get16(zip, at + 30), commentLength = get16(zip, at + 32);
    if (stop - at - CentralHeaderSize < nameLength + extraLength + commentLength) return fault(ZipFault::NoZip);
    Listed file{std::string(zip.substr(at + CentralHeaderSize, nameLength)), get16(zip, at + 8), get16(zip, at + 10),
                get32(zip, at + 16), get32(zip, at + 20), get32(zip, at + 24), get32(zip, at + 42)};
    if (file.packed == Zip64Mark32 || file.size == Zip64Mark32 || file.localAt == Zip64Mark32 ||
        get16(zip, at + 34) == Zip64Mark16)
      return fault(ZipFault::Zip64, file.name);
    if ((file.flags & EncryptedFlag) || (file.method != Stored && file.method != Deflated))
      return fault(ZipFault::Unreadable, file.name);
    if (file.size > bounds.largestFile) return fault(ZipFault::FileTooLarge, file.name);
    if ((total += file.size) > bounds.largestTotal) return fault(ZipFault::TotalTooLarge);
    at += CentralHeaderSize + nameLength + extraLength + commentLength;
    files.push_back(std::move(file));
  }
  if (at != stop) return fault(ZipFault::NoZip);
  return {};
}

enum class Inflated { Whole, TooLarge, Damaged };

// Inflates packed into out, never past size bytes.
Inflated inflateAtMost(std::string_view packed, uint64_t size, std::string& out) {
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) throw std::bad_alloc();
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  stream.avail_in = static_cast<uInt>(packed.size());
  Inflated outcome = Inflated::Damaged;
  for (;;) {
    char piece[1 << 16];
    stream.next_out = reinterpret_cast<Bytef*>(piece);
    stream.avail_out = sizeof piece;
    const int result = inflate(&stream, Z_NO_FLUSH);
    const size_t produced = sizeof piece - stream.avail_out;
    if (produced > size - out.size()) {
      outcome = Inflated::TooLarge;  // the first byte past the declared size
      break;
    }
    // Grown with what comes out, never past the declared size.
    if (out.capacity() - out.size() < produced)
      out.reserve(static_cast<size_t>(std::min<uint64_t>(size, std::max(2 * out.capacity(), out.size() + produced))));
    out.append(piece, produced);
    if (result == Z_STREAM_END) {
      outcome = out.size() == size ? Inflated::Whole : Inflated::Damaged;
      break;
    }
    if (result != Z_OK) break;  // a broken stream, or one cut short
  }
  inflateEnd(&stream);
  return outcome;
}

// One listed file's bytes, from its local header on.
ZipContents readFile(std::string_view zip, size_t dataEnd, const Listed& file, std::string& out) {
  const size_t at = static_cast<size_t>(file.localAt);
  if (at > dataEnd || dataEnd - at < LocalHeaderSize || get32(zip, at) != LocalHeaderSignature)
    return fault(ZipFault::Damaged, file.name);
  const size_t nameLength = get16(zip, at + 26), extraLength = get16(zip, at + 28);
  const size_t start = at + LocalHeaderSize + nameLength + extraLength;
  if (start > dataEnd || dataEnd - start < file.packed ||
      zip.substr(at + LocalHeaderSize, nameLength) != file.name)
    return fault(ZipFault::Damaged, file.name);
  const std::string_view packed = zip.substr(start, static_cast<size_t>(file.packed));
  if (file.method == Stored) {
    if (file.packed != file.size) return fault(ZipFault::Damaged, file.name);
    out.assign(packed);
  } else if (const Inflated inflated = inflateAtMost(packed, file.size, out); inflated != Inflated::Whole) {
    return fault(inflated == Inflated::TooLarge ? ZipFault::FileTooLarge : ZipFault::Damaged, file.name);
  }
  const auto crc = crc32(0, reinterpret_cast<const Bytef*>(out.data()), static_cast<uInt>(out.size()));
  if (static_cast<uint32_t>(crc) != file.crc) return fault(ZipFault::Damaged, file.name);
  return {};
}

}  // namespace

ZipContents readZip(std::string_view zip, const ZipBounds& bounds) {
  const std::optional<size_t> endAt = findEnd(zip);
  if (!endAt) return fault(ZipFault::NoZip);
  const size_t at = *endAt;
  if (at >= Zip64LocatorSize && get32(zip, at - Zip64LocatorSize) == Zip64LocatorSignature) return fault(ZipFault::Zip64);
  const End end{at, get16(zip, at + 10), get32(zip, at + 16), get32(zip, at + 12)};
  if (end.count == Zip64Mark16 || end.directoryAt == Zip64Mark32 || end.directorySize == Zip64Mark32)
    return fault(ZipFault::Zip64);
  if (get16(zip, at + 4) != 0 || get16(zip, at + 6) != 0 || get16(zip, at + 8) != end.count || end.count == 0 ||
      end.directoryAt > at || at - end.directoryAt < end.directorySize)
    return fault(ZipFault::NoZip);
  if (end.count > bounds.mostEntries) {
    ZipContents tooMany = fault(ZipFault::TooManyFiles);
    tooMany.entryCount = static_cast<size_t>(end.count);
    return tooMany;
  }
  std::vector<Listed> files;
  if (ZipContents listed = listFiles(zip, end, bounds, files); listed.fault != ZipFault::None) return listed;

  ZipContents contents;
  contents.entries.reserve(files.size());
  for (const Listed& file : files) {
    std::string bytes;
    if (ZipContents read = readFile(zip, static_cast<size_t>(end.directoryAt), file, bytes);
        read.fault != ZipFault::None)
      return read;
    contents.entries.push_back({file.name, std::move(bytes)});
  }
  return contents;
}

}  // namespace nk
