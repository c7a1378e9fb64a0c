// master_source.cpp - the source tables of a set of master data.
#include "masters/master_source.h"

#include "data/display_text.h"
#include "data/master_list.h"
#include "data/numeric.h"
#include "data/required_version.h"
#include "data/text_file.h"
#include "data/version_song_list.h"
#include "diag/runtime_error.h"
#include "masters/source_table.h"
#include "platform/cp932.h"
#include "platform/file_name.h"
#include "platform/system_error_text.h"
#include "platform/utf8.h"

#include <filesystem>

namespace nk {
namespace {

const std::vector<std::string> SongHeader = {"曲番号", "曲名", "ジャンル"};
const std::vector<std::string> EntryHeader = {"エントリ番号", "曲番号", "表", "裏"};
const std::vector<std::string> TargetHeader = {"番号", "エントリ番号", "譜面"};
const std::vector<std::string> RequiredHeader = {"要求バージョン", "案内"};

struct Table {
  std::string name;
  std::vector<SourceRow> rows;

  [[noreturn]] void fail(const SourceRow& row, std::string_view detail) const {
    failSourceLine(name, row.line, detail);
  }

  // A whole number 1 .. most, in plain decimal digits.
  int16_t number(const SourceRow& row, size_t column, std::string_view what, long long most) const {
    const std::string& cell = row.cells[column];
    long long value = 0;
    bool digits = !cell.empty() && cell.size() <= 6;
    for (const char c : cell) digits = digits && c >= '0' && c <= '9';
    if (digits) value = static_cast<long long>(NumericValue(cell));
    if (!digits || value < 1 || value > most)
      fail(row, std::string(what) + quotedForError(cell) + "は 1 から " + decimalText(most) + " までの整数ではありません。");
    return static_cast<int16_t>(value);
  }

  // The first column: the record's position, counting from 1.
  void position(const SourceRow& row, size_t index, std::string_view what) const {
    const int16_t no = number(row, 0, what, MaxElementNumber);
    if (static_cast<size_t>(no) != index + 1)
      fail(row, std::string(what) + " " + decimalText(no) + " の行は " + decimalText(static_cast<long long>(index + 1)) +
                    " 番目にあります（" + std::string(what) + "は 1 から順に並べてください。行を入れ替えたり途中に足したりすると、保存された点数が別の曲のものになります）。");
  }

  // A text for the server files: CP932, no "<>", no CR.
  const std::string& text(const SourceRow& row, size_t column, std::string_view what) const {
    const std::string& cell = row.cells[column];
    if (const std::string bad = firstCharacterNotInCp932(cell); !bad.empty())
      fail(row, std::string(what) + quotedForError(cell) + "の文字「" + bad + "」は CP932（シフト JIS）で書けません。");
    if (cell.find("<>") != std::string::npos)
      fail(row, std::string(what) + quotedForError(cell) + "に区切り「<>」は使えません。");
    if (cell.find('\r') != std::string::npos) fail(row, std::string(what) + "に CR（改行）は使えません。");
    return cell;
  }
};

Table readTable(const std::filesystem::path& dir, const std::string& name, const std::vector<std::string>& header) {
  const std::string path = (dir / name).string();
  std::string bytes, cause;
  int64_t size = 0;
  const BoundedRead read = readFileWithin(path, MostSourceTableBytes, bytes, size, cause);
  if (read == BoundedRead::TooLarge)
    cause = std::string(cause::FileTooLarge) + ": " + groupedDecimal(size) + " バイト。表は " +
            groupedDecimal(MostSourceTableBytes) + " バイトまで";
  else if (read == BoundedRead::Missing)
    cause = cause::NoSuchFile;
  if (read != BoundedRead::Read)
    throw RuntimeError("ファイル " + displayFileName(path) + " を読み込めません（" + cause + "）。");
  return {name, parseSourceTable(bytes, name, header)};
}

int16_t levelCode(const Table& t, const SourceRow& row, size_t column) {
  const std::string& cell = row.cells[column];
  for (const int code : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, int{LevelUnknown}, int{LevelNoChart}, 0})
    if (cell == levelCharacter(static_cast<int16_t>(code))) return static_cast<int16_t>(code);
  t.fail(row, std::string(column == 2 ? "表" : "裏") + "の難易度" + quotedForError(cell) +
                  "は 1～9、T（☆10）、?（不明）、-（譜面なし）、0 のどれでもありません。");
}

std::vector<std::vector<std::string>> rowsOf(size_t count, const auto& row) {
  std::vector<std::vector<std::string>> rows;
  rows.reserve(count);
  for (size_t k = 0; k < count; ++k) rows.push_back(row(k));
  return rows;
}

}  // namespace

std::string versionSourceName(int16_t versionNumber) { return "ac" + decimalText(versionNumber) + "list.tsv"; }
std::string targetSourceName(int16_t versionNumber) { return "sr" + decimalText(versionNumber) + "list.tsv"; }

std::string firstCharacterNotInCp932(std::string_view utf8) {
  if (cp932ToUtf8(utf8ToCp932(utf8)) == utf8) return {};
  for (size_t at = 0; at < utf8.size();) {
    const size_t end = utf8CharacterEnd(utf8, at);
    const std::string_view c = utf8.substr(at, end - at);
    if (cp932ToUtf8(utf8ToCp932(c)) != c) return std::string(c);
    at = end;
  }
  return std::string(utf8);  // no single character, only their sequence: name it whole
}

MasterSet readMasterSource(const std::string& folder) {
  const std::filesystem::path dir(folder);
  MasterSet set;
  const Table songs = readTable(dir, SongSourceName, SongHeader);
  for (size_t k = 0; k < songs.rows.size(); ++k) {
    const SourceRow& row = songs.rows[k];
    songs.position(row, k, "曲番号");
    set.SongTitles.push_back(songs.text(row, 1, "曲名"));
    set.SongGenres.push_back(songs.text(row, 2, "ジャンル"));
  }
  for (size_t v = 0; v < KitVersionNumbers.size(); ++v) {
    VersionLists& lists = set.versions[v];
    const Table entries = readTable(dir, versionSourceName(KitVersionNumbers[v]), EntryHeader);
    for (size_t k = 0; k < entries.rows.size(); ++k) {
      const SourceRow& row = entries.rows[k];
      entries.position(row, k, "エントリ番号");
      lists.EntrySongNo.push_back(entries.number(row, 1, "曲番号", static_cast<long long>(set.SongTitles.size())));
      lists.EntryDifficulty.push_back(levelCode(entries, row, 2));
      lists.EntryDifficultyU.push_back(levelCode(entries, row, 3));
    }
    const Table targets = readTable(dir, targetSourceName(KitVersionNumbers[v]), TargetHeader);
    for (size_t k = 0; k < targets.rows.size(); ++k) {
      const SourceRow& row = targets.rows[k];
      targets.position(row, k, "番号");
      lists.TargetEntryNo.push_back(
          targets.number(row, 1, "エントリ番号", static_cast<long long>(lists.EntrySongNo.size())));
      const std::string& chart = row.cells[2];
      if (chart != NormalChartMark && chart != UraChartMark)
        targets.fail(row, "譜面" + quotedForError(chart) + "は「表」か「裏」でなければなりません。");
      lists.TargetIsUra.push_back(chart == UraChartMark);
    }
  }
  const Table required = readTable(dir, RequiredVersionSourceName, RequiredHeader);
  if (required.rows.size() != 1)
    failSourceLine(required.name, required.rows.empty() ? 2 : required.rows[1].line,
                   "要求バージョンの行は見出しの下に 1 行だけ置きます。");
  const SourceRow& row = required.rows[0];
  const std::string& version = row.cells[0];
  const std::string_view digits = std::string_view(version).substr(version.starts_with('-') ? 1 : 0);
  const bool plain = !digits.empty() && digits.find_first_not_of("0123456789.") == std::string::npos &&
                     digits.find('.') == digits.rfind('.') && digits.front() != '.' && digits.back() != '.';
  if (!plain) required.fail(row, "要求バージョン" + quotedForError(version) + "は 1.54 のような数ではありません。");
  set.required = NumericValue(version);
  set.hint = required.text(row, 1, "案内");
  if (set.hint.find(RequiredVersionMarker) != std::string::npos)
    required.fail(row, std::string("案内に「") + RequiredVersionMarker + "」は使えません。");
  return set;
}

std::vector<std::pair<std::string, std::string>> masterSourceFiles(const MasterSet& set) {
  std::vector<std::pair<std::string, std::string>> files;
  files.emplace_back(SongSourceName, sourceTableText(SongHeader, rowsOf(set.SongTitles.size(), [&](size_t k) {
                       return std::vector<std::string>{decimalText(static_cast<long long>(k + 1)), set.SongTitles[k],
                                                       set.SongGenres[k]};
                     })));
  for (size_t v = 0; v < KitVersionNumbers.size(); ++v) {
    const VersionLists& l = set.versions[v];
    files.emplace_back(versionSourceName(KitVersionNumbers[v]),
                       sourceTableText(EntryHeader, rowsOf(l.EntrySongNo.size(), [&](size_t k) {
                         return std::vector<std::string>{decimalText(static_cast<long long>(k + 1)),
                                                         decimalText(l.EntrySongNo[k]),
                                                         levelCharacter(l.EntryDifficulty[k]),
                                                         levelCharacter(l.EntryDifficultyU[k])};
                       })));
  }
  for (size_t v = 0; v < KitVersionNumbers.size(); ++v) {
    const VersionLists& l = set.versions[v];
    files.emplace_back(targetSourceName(KitVersionNumbers[v]),
                       sourceTableText(TargetHeader, rowsOf(l.TargetEntryNo.size(), [&](size_t k) {
                         return std::vector<std::string>{decimalText(static_cast<long long>(k + 1)),
                                                         decimalText(l.TargetEntryNo[k]), chartMark(l.TargetIsUra[k])};
                       })));
  }
  files.emplace_back(RequiredVersionSourceName,
                     sourceTableText(RequiredHeader, {{exactNumberText(set.required), set.hint}}));
  return files;
}

}  // namespace nk
