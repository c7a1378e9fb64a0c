// received_fuzz.cpp - the kept lists' stamp ("received.txt") on any bytes,
// against four kept files: a set only when the stamp is whole and names
// every file with its size and check sum, as the keeping writes it.
#include "data/check_sum.h"
#include "data/moment.h"
#include "domain/master_files.h"
#include "fuzz_support.h"
#include "load/kept_masters.h"

using namespace nk;
using fuzz::require;

namespace {

const std::array<std::string, 4> Files = {"<>1<>ドン<>J-POP<>", "<>1<>1<>10<>9<>", "<>1<>1<>0<>", "1.50\r\n"};

// The stamp's file lines as the keeping writes them.
std::string fileLines() {
  std::string lines;
  for (size_t i = 0; i < MasterFiles.size(); ++i)
    lines += std::string(MasterFiles[i].testedName) + "," + std::to_string(Files[i].size()) + "," +
             checkSumText(Files[i]) + "\r\n";
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view stamp = fuzz::bytesOf(data, size);
  const std::optional<KeptMasters> kept = keptSetOf(stamp, Files);
  const size_t firstEnd = stamp.find("\r\n");
  if (!kept) {
    // Refused: unless its first line is a moment, the stamp cannot be one.
    if (firstEnd == std::string_view::npos || !stamp.starts_with("received,")) return 0;
    const auto moment = parseIsoMoment(stamp.substr(9, firstEnd - 9));
    require(!moment || stamp.substr(firstEnd + 2) != fileLines(), "a whole, matching stamp was refused");
    return 0;
  }
  // Accepted: a moment, then exactly the lines of the four files.
  require(firstEnd != std::string_view::npos && stamp.starts_with("received,"), "a stamp without its first line");
  const auto moment = parseIsoMoment(stamp.substr(9, firstEnd - 9));
  require(moment.has_value() && moment->utc == kept->received.utc && moment->offset == kept->received.offset,
          "the moment read is not the stamp's");
  require(stamp.substr(firstEnd + 2) == fileLines(), "a stamp that does not match its files was accepted");
  require(kept->files == Files, "the set's files are not the ones given");
  // The stamp the keeping would write for that moment is a set of the same moment.
  const std::string written = "received," + isoText(kept->received) + "\r\n" + fileLines();
  const std::optional<KeptMasters> again = keptSetOf(written, Files);
  require(again && again->received.utc == kept->received.utc && again->received.offset == kept->received.offset,
          "the stamp written back is no set of the same moment");
  // One byte less or more is none.
  require(!keptSetOf(stamp.substr(0, stamp.size() - 1), Files), "a torn stamp was accepted");
  require(!keptSetOf(std::string(stamp) + "x", Files), "a stamp with more after it was accepted");
  return 0;
}
