// target_total_fuzz.cpp - the target total's file on any bytes: read only
// when it is what the writer writes, and what it reads is written back the same.
#include "data/numeric.h"
#include "data/target_total.h"
#include "fuzz_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace nk;
using fuzz::require;

namespace {

void writeFile(const char* name, std::string_view bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  require(static_cast<bool>(out), "cannot write the fuzz input's file");
}

std::string fileBytes(const char* name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The model: ASCII digits and CR LF within the size bound, a number from 1
// to the highest total.
std::optional<int64_t> modelTarget(std::string_view bytes) {
  if (bytes.size() > static_cast<size_t>(MostTargetFileBytes) || !bytes.ends_with("\r\n")) return std::nullopt;
  const std::string_view digits = bytes.substr(0, bytes.size() - 2);
  if (digits.empty()) return std::nullopt;
  int64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > HighestTargetTotal) return std::nullopt;
  }
  if (value < 1) return std::nullopt;
  return value;
}

}  // namespace

// The files are written in a folder of the target's own, in memory where
// there is a file system there (a durable write costs nothing there). The
// corpus and artifact paths given must then be absolute, as ./fuzz gives them.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char inMemory[] = "/dev/shm/nk-target-fuzz-XXXXXX", onDisk[] = "/tmp/nk-target-fuzz-XXXXXX";
  const char* folder = ::mkdtemp(inMemory);
  if (!folder) folder = ::mkdtemp(onDisk);
  require(folder != nullptr, "cannot make a working folder");
  static const std::filesystem::path made = folder;
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::current_path("/", ignored);
    std::filesystem::remove_all(made, ignored);
  });
  std::filesystem::current_path(folder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = fuzz::bytesOf(data, size);
  const char* name = "ac13target.txt";
  writeFile(name, bytes);
  const TargetTotalRead read = readTargetTotal(13);
  require(read.target == modelTarget(bytes), "the target read differs from the model");
  require(read.target || bytes.empty() || !read.failure.empty(), "a file without a target was read silently");
  require(!read.target || read.failure.empty(), "a target was read with a failure");
  require(fileBytes(name) == bytes, "reading changed the file");
  if (!read.target) return 0;
  // Written back, the file is the writer's own form and reads the same.
  require(saveTargetTotal(13, read.target).ok, "the target cannot be written back");
  require(fileBytes(name) == decimalText(*read.target) + "\r\n", "the writer wrote another form");
  require(readTargetTotal(13).target == read.target, "the written target reads otherwise");
  return 0;
}
