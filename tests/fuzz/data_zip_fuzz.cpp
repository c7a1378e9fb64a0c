// data_zip_fuzz.cpp - the zip of the player's data on any bytes, under small
// bounds: refused with a reason, or read to files that the writer writes back
// to a zip that reads the same, each within the bounds.
#include "archive/data_zip.h"
#include "fuzz_support.h"

using namespace nk;
using fuzz::require;

namespace {

// Small bounds, so that the fuzzer meets them; the program's own are larger.
constexpr ZipBounds Bounds{8, 1 << 16, 1 << 18};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const ReadDataZip read = readDataZip(fuzz::bytesOf(data, size), Bounds);
  if (!read.data) {
    require(!read.failure.empty(), "a refusal says why");
    require(read.failure.size() < 1000, "a refusal's text stays short, whatever the names");
    return 0;
  }
  require(read.failure.empty(), "files read without a failure");
  require(read.data->files.size() < Bounds.mostEntries, "no more files than the bounds allow");
  uint64_t total = 0;
  for (const auto& [path, bytes] : read.data->files) {
    require(bytes.size() <= Bounds.largestFile, "no file past the bound");
    total += bytes.size();
  }
  require(total <= Bounds.largestTotal, "no more bytes than the bound");
  const ReadDataZip again = readDataZip(dataZipBytes(*read.data), Bounds);
  require(again.data && again.data->files == read.data->files && again.data->written == read.data->written,
          "what was read writes back to a zip that reads the same");
  return 0;
}
