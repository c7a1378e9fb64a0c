// required_version_fuzz.cpp - the required-version file parse on any bytes.
#include "data/numeric.h"
#include "data/required_version.h"
#include "domain/program_version.h"
#include "fuzz_support.h"

using namespace nk;
using fuzz::require;

namespace {

// Item 0 and item 1 of a version.dat: a line ends at CR or CR LF, and the
// marker cuts wherever it stands. Found by a walk over the text itself, not
// by joining and cutting as the reader does.
struct Items {
  std::string first;
  std::string second;
};

Items itemsModel(std::string_view text) {
  const std::string_view marker = RequiredVersionMarker;
  // The end of the item that starts at from, and where the next one starts.
  auto itemEnd = [&](size_t from, size_t& next) {
    for (size_t at = from; at < text.size(); ++at) {
      if (text[at] == '\r') {
        next = at + 1 < text.size() && text[at + 1] == '\n' ? at + 2 : at + 1;
        return at;
      }
      if (text.substr(at, marker.size()) == marker) {
        next = at + marker.size();
        return at;
      }
    }
    next = text.size();
    return text.size();
  };
  Items items;
  size_t next = 0;
  const size_t end = itemEnd(0, next);
  items.first = std::string(text.substr(0, end));
  const size_t start = next;
  items.second = std::string(text.substr(start, itemEnd(start, next) - start));
  return items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = fuzz::decodedFile(data, size);
  RequiredVersion v;
  const bool read = fuzz::allowingRuntimeError([&] { v = parseRequiredVersion(text); });
  require(read == !text.empty(), "version.dat failed other than for having no line");
  if (!read) return 0;

  const Items items = itemsModel(text);
  const double required = NumericValue(items.first);
  require(v.required == required,
          "the required version is not the numeric value of the first line");
  require(v.hint == items.second, "the hint is not the second line");
  // What CheckRequiredVersion does with them.
  (void)generalNumberText(v.required);
  const std::string message = refusalMessage(v.hint);
  require(message.size() >= v.hint.size() && message.compare(message.size() - v.hint.size(), v.hint.size(), v.hint) == 0,
          "the refusal message does not end with the hint");
  require(isProgramVersionAccepted(v.required) == !(v.required > NumericValue(ProgramVersion)),
          "the version comparison is not numeric");
  return 0;
}
