// rival_fuzz.cpp - a friend's score file and a kept rival's file on any bytes:
// the score file is read only when a model of the program's own form reads
// it, and to the same scores; a rival's file read is written back and reads
// the same; a name that passes can name no other folder's file.
#include "fuzz_support.h"
#include "rival/rival_source.h"
#include "rival/rival_store.h"

#include <algorithm>
#include <limits>
#include <optional>

using namespace nk;
using fuzz::require;

namespace {

// Digits with at most a "-" in front, within the type's range.
template <typename Int>
std::optional<Int> modelNumber(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  const std::string_view digits = text.substr(negative ? 1 : 0);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  long long value = 0;
  for (const char c : digits) {
    value = value * 10 + (c - '0');
    if (value > (1LL << 40)) return std::nullopt;
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max()) return std::nullopt;
  return static_cast<Int>(value);
}

std::optional<EntryScores> modelScores(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  EntryScores scores;
  while (!text.empty()) {
    const size_t end = std::min(text.find('\r'), text.find('\n'));
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == text.npos ? text.size() : end + (text.substr(end, 2) == "\r\n" ? 2 : 1));
    if (line.empty()) continue;
    const size_t a = line.find(','), b = a == line.npos ? a : line.find(',', a + 1);
    if (b == line.npos || line.find(',', b + 1) != line.npos) return std::nullopt;
    const auto entry = modelNumber<int16_t>(line.substr(0, a));
    const auto normal = modelNumber<int32_t>(line.substr(a + 1, b - a - 1));
    const auto ura = modelNumber<int32_t>(line.substr(b + 1));
    if (!entry || *entry < 1 || !normal || !ura) return std::nullopt;
    if (*normal == 0 && *ura == 0)
      scores.erase(*entry);
    else
      scores[*entry] = {*normal, *ura};
  }
  return scores;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = fuzz::bytesOf(data, size);
  size_t badLine = 0;
  const std::optional<EntryScores> scores = parseRivalScores(bytes, badLine);
  require(scores == modelScores(bytes), "the score file read differs from the model");
  require(scores.has_value() == (badLine == 0), "a refused score file names no line, or a read one does");

  if (const std::optional<KeptRival> rival = parseRivalFile(bytes, "x")) {
    const std::optional<KeptRival> again = parseRivalFile(rivalFileText(*rival), "x");
    require(again && again->charts == rival->charts && again->onThisPcLists == rival->onThisPcLists,
            "a rival's file written back reads otherwise");
  }

  const std::string name(bytes.substr(0, std::min<size_t>(bytes.size(), 200)));
  if (rivalNameFailure(name).empty()) {
    require(fuzz::isUtf8(name), "a name that is no UTF-8 passed");
    require(name.find_first_of("/\\:") == std::string::npos, "a name with a folder's separator passed");
    require(name != "." && name != "..", "a name of a folder passed");
  }
  require(rivalNameFailure(proposedRivalName(name + ".zip")).empty(), "a proposed name is refused");
  return 0;
}
