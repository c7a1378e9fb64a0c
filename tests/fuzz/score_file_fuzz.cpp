// score_file_fuzz.cpp - the personal score file parse on any bytes, against
// fifty entries whose scores start out all different.
#include "data/numeric.h"
#include "data/score_file.h"
#include "fuzz_support.h"

using namespace nk;
using fuzz::require;

namespace {

constexpr int EntryCount = 50;

struct Scores {
  std::vector<int32_t> normal;
  std::vector<int32_t> ura;
};

// Scores no line of the input can write by accident in the same pattern.
Scores startingScores() {
  Scores scores;
  for (int e = 0; e < EntryCount; ++e) {
    scores.normal.push_back(1000003 * (e + 1));
    scores.ura.push_back(-7 * (e + 1));
  }
  return scores;
}

size_t characters(std::string_view utf8) {
  size_t n = 0;
  for (char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (size_t comma; (comma = line.find(',', start)) != std::string_view::npos; start = comma + 1)
    fields.push_back(line.substr(start, comma - start));
  fields.push_back(line.substr(start));
  return fields;
}

// One line as the reader takes it: the scores it writes before it fails, and
// whether it fails.
bool lineModel(std::string_view line, Scores& scores) {
  if (characters(line) < 3) return true;
  const std::vector<std::string_view> fields = fieldsOf(line);
  return fuzz::allowingRuntimeError([&] {
    const int32_t e = toInt32(NumericValue(fields[0]) - 1.0);
    if (e < 0 || e >= EntryCount) throw RuntimeError("out of range");
    if (fields.size() < 2) throw RuntimeError("no normal score");
    scores.normal[static_cast<size_t>(e)] = toInt32(NumericValue(fields[1]));
    if (fields.size() < 3) throw RuntimeError("no ura score");
    scores.ura[static_cast<size_t>(e)] = toInt32(NumericValue(fields[2]));
  });
}

// The whole file: lines end at CR LF, CR or LF; the first failing line ends it.
bool fileModel(std::string_view text, Scores& scores) {
  for (size_t at = 0, start = 0; at <= text.size(); ++at) {
    if (at < text.size() && text[at] != '\r' && text[at] != '\n') continue;
    if (!lineModel(text.substr(start, at - start), scores)) return false;
    if (at + 1 < text.size() && text[at] == '\r' && text[at + 1] == '\n') ++at;
    start = at + 1;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = fuzz::decodedFile(data, size);
  const Scores start = startingScores();
  ScoreSheetState s;
  s.EntryCount = EntryCount;
  s.EntryScore = start.normal;
  s.EntryScoreU = start.ura;
  s.ScoreFileName = "ac13score.csv";
  const bool read = fuzz::allowingRuntimeError([&] { parseScoreFile(s, text, s.ScoreFileName); });

  Scores expected = start;
  const bool modelRead = fileModel(text, expected);
  require(read == modelRead, "the score file failed where the model did not, or the other way round");
  require(s.EntryScore.size() == EntryCount && s.EntryScoreU.size() == EntryCount && s.EntryCount == EntryCount,
          "the score file resized the entries");
  // Entries no line names keep their scores; named ones get the last line's.
  require(s.EntryScore == expected.normal, "a normal-chart score differs from the model");
  require(s.EntryScoreU == expected.ura, "a 裏-chart score differs from the model");
  return 0;
}
