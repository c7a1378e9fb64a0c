// demo_dataTest.cpp - the generated demo master files: encoding, record layout and coverage.
#include "data/numeric.h"
#include "data/text_file.h"
#include "domain/program_version.h"
#include "platform/cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

namespace nk {
namespace {

namespace fs = std::filesystem;

const fs::path DemoRoot = NK_DEMO_NK_DIR;

constexpr int LevelUnknown = -1;
constexpr int LevelNoChart = -10;

using Record = std::vector<std::string>;

// The decoded text of a served file, after checking its bytes: valid CP932
// (decoding and encoding again gives the same bytes) and CR LF after every line.
std::string servedText(const std::string& name) {
  const std::string bytes = readFileBytes((DemoRoot / name).string());
  EXPECT_FALSE(bytes.empty()) << name;
  const std::string text = cp932ToUtf8(bytes);
  EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos) << name << ": bytes that are no CP932";
  EXPECT_EQ(utf8ToCp932(text), bytes) << name << ": does not survive a CP932 round trip";
  EXPECT_TRUE(bytes.ends_with("\r\n")) << name;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const bool crWithoutLf = bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n');
    const bool lfWithoutCr = bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r');
    EXPECT_FALSE(crWithoutLf || lfWithoutCr) << name << ": a line end other than CR LF at byte " << i;
  }
  return text;
}

bool isNumber(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The records of a master list of the given width, read the way the program
// reads them. The file must end with "<>" and hold whole records only, so that
// every record is read; the first element of each record is a plain number (a
// note of the sources that leaked into the served file would show up there).
std::vector<Record> recordsOf(const std::string& name, size_t width) {
  const std::string joined = joinLines(servedText(name));
  const auto elements = splitText(joined, "<>");
  std::vector<Record> records;
  if (elements.size() < width + 1 || (elements.size() - 1) % width != 0 || !elements.back().empty()) {
    ADD_FAILURE() << name << ": " << elements.size() << " elements are no whole records of " << width
                  << " followed by a final \"<>\"";
    return records;
  }
  const size_t last = elements.size() - 1;
  for (size_t i = 1; i < last; i += width) {
    Record record(elements.begin() + static_cast<long>(i - 1), elements.begin() + static_cast<long>(i - 1 + width));
    EXPECT_TRUE(isNumber(record[0])) << name << " record " << records.size() + 1 << " starts with \"" << record[0]
                                     << "\"";
    records.push_back(std::move(record));
  }
  return records;
}

// The characters (code points) of a UTF-8 text.
std::vector<std::string> characters(std::string_view text) {
  std::vector<std::string> out;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    out.emplace_back(text.substr(i, length));
    i += length;
  }
  return out;
}

int levelCode(const std::string& character) {
  if (character == "T") return 10;
  if (character == "?") return LevelUnknown;
  if (character == "-") return LevelNoChart;
  return toInt16(NumericValue(character));
}

// A whole number that the program reads as the same number.
int wholeNumber(const std::string& text) {
  EXPECT_TRUE(isNumber(text)) << "\"" << text << "\"";
  return toInt16(NumericValue(text));
}

struct Song {
  std::string title, genre;
};

std::vector<Song> songMaster() {
  std::vector<Song> songs;
  for (const auto& r : recordsOf("common/songlist.dat", 5)) songs.push_back({r[1], r[3]});
  return songs;
}

struct Entry {
  int songNo, normal, ura;
};

std::vector<Entry> versionList(int version) {
  std::vector<Entry> entries;
  const std::string name = "common/ac" + std::to_string(version) + "list.dat";
  for (const auto& r : recordsOf(name, version == 14 ? 7 : 4)) {
    const auto chars = characters(r[2]);
    EXPECT_GE(chars.size(), 8u) << name << ": level text " << r[2];
    if (chars.size() < 8) continue;
    entries.push_back({wholeNumber(r[1]), levelCode(chars[3]), levelCode(chars[7])});
  }
  return entries;
}

const std::vector<std::string> Genres = {"J-POP",      "アニメ",           "童謡・民謡",      "バラエティ",
                                         "クラシック", "ゲームミュージック", "ナムコオリジナル"};

TEST(DemoData, SongMasterHasEveryGenreAndOtherLabels) {
  const auto songs = songMaster();
  ASSERT_GE(songs.size(), 40u);
  std::map<std::string, int> perGenre;
  std::set<std::string> titles;
  for (const auto& song : songs) {
    EXPECT_FALSE(song.title.empty());
    EXPECT_TRUE(titles.insert(song.title).second) << "title twice: " << song.title;
    ++perGenre[song.genre];
  }
  for (const auto& genre : Genres) EXPECT_GE(perGenre[genre], 3) << genre;
  EXPECT_GT(songs.size(), static_cast<size_t>(std::count_if(songs.begin(), songs.end(), [](const Song& s) {
              return std::find(Genres.begin(), Genres.end(), s.genre) != Genres.end();
            })))
      << "no song of a label outside the seven genres";
}

TEST(DemoData, VersionListsSpanSeveralPagesAndEveryLevel) {
  const auto songs = songMaster();
  const std::set<int> everyCode = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, LevelUnknown, LevelNoChart};
  for (const int version : {12, 13, 14}) {
    SCOPED_TRACE("AC" + std::to_string(version));
    const auto entries = versionList(version);
    EXPECT_GE(entries.size(), 25u);
    EXPECT_LE(entries.size(), 60u);
    const int pages = (static_cast<int>(entries.size()) - 1) / 10 + 1;
    EXPECT_GE(pages, 3);
    std::set<int> codes;
    std::set<std::string> genres;
    int withoutUra = 0;
    for (const auto& e : entries) {
      ASSERT_GE(e.songNo, 1);
      ASSERT_LE(e.songNo, static_cast<int>(songs.size()));
      EXPECT_TRUE(everyCode.contains(e.normal)) << "song " << e.songNo;
      EXPECT_TRUE(everyCode.contains(e.ura)) << "song " << e.songNo;
      EXPECT_NE(e.normal, LevelNoChart) << "song " << e.songNo << " without its normal chart";
      codes.insert(e.normal);
      codes.insert(e.ura);
      if (e.ura == LevelNoChart) ++withoutUra;
      genres.insert(songs[e.songNo - 1].genre);
    }
    EXPECT_EQ(codes, everyCode);
    EXPECT_GT(withoutUra, 0);
    EXPECT_LT(withoutUra, static_cast<int>(entries.size()));
    for (const auto& genre : Genres) EXPECT_TRUE(genres.contains(genre)) << genre;
    EXPECT_GT(genres.size(), Genres.size()) << "no entry of another label";
  }
}

TEST(DemoData, RankingListsHoldThirtyChartsOfLevelsSevenToTen) {
  for (const int version : {12, 13, 14}) {
    SCOPED_TRACE("AC" + std::to_string(version));
    const auto entries = versionList(version);
    std::map<int, int> perLevel;
    std::set<std::pair<int, bool>> charts;
    int uraInRange = 0;
    int outsideRange = 0;
    const auto targets = recordsOf("sr/" + std::to_string(version) + "/srlist.dat", 3);
    for (const auto& t : targets) {
      const int entryNo = wholeNumber(t[1]);
      ASSERT_GE(entryNo, 1);
      ASSERT_LE(entryNo, static_cast<int>(entries.size()));
      EXPECT_TRUE(t[2] == "0" || t[2] == "1") << "chart flag \"" << t[2] << "\"";
      const bool ura = NumericValue(t[2]) == 1;
      EXPECT_TRUE(charts.insert({entryNo, ura}).second) << "entry " << entryNo << " named twice";
      const auto& entry = entries[entryNo - 1];
      const int level = ura ? entry.ura : entry.normal;
      EXPECT_NE(level, LevelNoChart) << "entry " << entryNo << " has no such chart";
      if (level >= 7 && level <= 10) {
        ++perLevel[level];
        if (ura) ++uraInRange;
      } else {
        ++outsideRange;
      }
    }
    int inRange = 0;
    for (int level = 7; level <= 10; ++level) {
      EXPECT_GE(perLevel[level], 1) << "level " << level;
      inRange += perLevel[level];
    }
    EXPECT_GE(inRange, 30);
    EXPECT_GE(uraInRange, 3);
    EXPECT_GE(outsideRange, 1);
  }
}

TEST(DemoData, RequiredVersionAcceptsThisProgramAndGivesAHint) {
  const auto lines = splitLines(servedText("common/nkclient.dat"));
  ASSERT_GE(lines.size(), 2u);
  EXPECT_GT(NumericValue(lines[0]), 0);
  EXPECT_LE(NumericValue(lines[0]), NumericValue(ProgramVersion)) << lines[0];
  EXPECT_FALSE(lines[1].empty());
}

}  // namespace
}  // namespace nk
