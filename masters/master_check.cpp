// master_check.cpp - checking a server folder record by record.
#include "masters/master_check.h"

#include "data/master_list.h"
#include "data/numeric.h"
#include "data/record_walk.h"
#include "data/required_version.h"
#include "data/song_master.h"
#include "data/sr_list.h"
#include "data/version_song_list.h"
#include "diag/runtime_error.h"
#include "domain/program_version.h"
#include "masters/master_set.h"
#include "masters/server_folder.h"
#include "platform/cp932.h"

#include <utility>

namespace nk {
namespace {

std::string at(const std::string& file, int32_t no) { return file + " の " + decimalText(no) + " 件目: "; }

bool isReadLevel(std::string_view c) {
  return c == "T" || c == "?" || c == "-" || (c.size() == 1 && c[0] >= '1' && c[0] <= '9');
}

// One version's entries as far as the check could read them.
struct EntriesSeen {
  bool read = false;
  std::vector<std::pair<int16_t, int16_t>> levels;  // normal, 裏 per entry
};

class FolderCheck {
public:
  FolderCheck(std::string dir, CheckReport& report) : dir_(std::move(dir)), report_(report) {}

  void run() {
    const int32_t songs = checkSongMaster();
    for (const int16_t number : KitVersionNumbers) {
      const EntriesSeen entries = checkVersionList(number, songs);
      checkSRList(number, entries);
    }
    checkRequiredVersion();
    if (report_.problems > 0) return;
    // What the walks above found nothing in, the readers themselves take.
    try {
      readMasterSet(readServerFolder(dir_));
    } catch (const RuntimeError& e) {
      problem(e.what());
    }
  }

private:
  void problem(std::string line) {
    report_.lines.push_back(std::move(line));
    ++report_.problems;
  }
  void warning(const std::string& place, const std::string& detail) {
    report_.lines.push_back(place + "警告: " + detail);
    ++report_.warnings;
  }

  // The decoded text of a file; nothing (and a problem) when it cannot be read.
  std::optional<std::string> text(const std::string& path) {
    try {
      return cp932ToUtf8(readServerFile(dir_, path));
    } catch (const RuntimeError& e) {
      problem(e.what());
      return std::nullopt;
    }
  }

  // Walks the records as the readers do, calling record(first, no) for each
  // (false: the record's problem is told, never mind its length); an error of the element counter (or of no record at all) is the file's
  // problem and ends the walk.
  template <class Record>
  void walk(const MasterList& list, int32_t width, std::string_view what, Record record) {
    int32_t no = 0;
    try {
      for (int32_t i = 1; i < list.lastElement();) {
        ++no;
        if (record(i, no) && i + width - 2 > list.lastElement())
          problem(at(list.fileName(), no) + "レコードが途中で切れています（" + decimalText(width) + " 項目のうち " +
                  decimalText(list.lastElement() - i + 2) + " 項目しかありません）。");
        i = list.advance(i, width, no);
      }
      if (no == 0) list.failNoRecord(what);
    } catch (const RuntimeError& e) {
      problem(e.what());
    }
  }

  // The number of songs, or -1 when the song master cannot be read at all.
  int32_t checkSongMaster() {
    const std::string path = songMasterServerPath();
    const auto decoded = text(path);
    if (!decoded) return -1;
    const MasterList list(*decoded, path);
    int32_t songs = 0;
    walk(list, SongRecordWidth, "曲", [&](int32_t i, int32_t no) {
      if (i + 2 > list.lastElement()) {
        problem(at(path, no) + "曲名" + quotedForError(list.element(i)) + "の後にジャンルの項目がありません。");
        return false;
      }
      ++songs;
      const std::string_view genre = list.element(i + 2);
      if (const auto ranked = nearRankedGenre(genre))
        warning(at(path, no), "ジャンル「" + std::string(genre) + "」は「" + *ranked +
                                  "」と同じ扱いにはならず、ほかのジャンルの後に並びます。");
      return true;
    });
    return songs;
  }

  EntriesSeen checkVersionList(int16_t number, int32_t songs) {
    const std::string path = versionListServerPath(number);
    EntriesSeen seen;
    const auto decoded = text(path);
    if (!decoded) return seen;
    seen.read = true;
    const MasterList list(*decoded, path);
    walk(list, versionRecordWidth(versionCodeOf(number)), "曲", [&](int32_t i, int32_t no) {
      try {
        if (songs >= 0) songNumberAt(list, RecordAt{i, no, false}, songs, "曲リスト");
        else recordNumber16(list, list.element(i), no, "曲番号");
      } catch (const RuntimeError& e) {
        problem(e.what());
      }
      const std::string_view levels = list.element(i + 1);
      for (const int position : {NormalLevelPosition, UraLevelPosition}) {
        const std::string_view c = characterAt(levels, position);
        if (isReadLevel(c)) continue;
        problem(at(path, no) + "難易度" + quotedForError(levels) + "の " + decimalText(position) + " 文字目（" +
                (position == NormalLevelPosition ? "表" : "裏") + "）" +
                (c.empty() ? std::string("がありません") : "「" + std::string(c) + "」は 1～9、T、?、- のどれでもありません") +
                "（☆" + decimalText(starLevelCode(levels, position)) + " として読まれます）。");
      }
      seen.levels.emplace_back(starLevelCode(levels, NormalLevelPosition), starLevelCode(levels, UraLevelPosition));
      return true;
    });
    return seen;
  }

  void checkSRList(int16_t number, const EntriesSeen& entries) {
    const std::string path = srListServerPath(number);
    const auto decoded = text(path);
    if (!decoded) return;
    if (!entries.read) {
      problem(path + ": " + versionListServerPath(number) + " を読めないので、対象の譜面を確かめていません。");
      return;
    }
    const MasterList list(*decoded, path);
    const auto count = static_cast<int32_t>(entries.levels.size());
    walk(list, TargetRecordWidth, "対象曲", [&](int32_t i, int32_t no) {
      int16_t entry = 0;
      try {
        entry = songNumberAt(list, RecordAt{i, no, false}, count, "バージョン曲リスト");
      } catch (const RuntimeError& e) {
        problem(e.what());
        return true;
      }
      const bool ura = NumericValue(list.element(i + 1)) == 1.0;
      const auto& [normal, uraLevel] = entries.levels[static_cast<size_t>(entry - 1)];
      if ((ura ? uraLevel : normal) == LevelNoChart)
        problem(at(path, no) + "エントリ " + decimalText(entry) + " に" + chartMark(ura) +
                "の譜面はありません（難易度が「-」です）。");
      return true;
    });
  }

  void checkRequiredVersion() {
    const std::string path = requiredVersionServerPath();
    const auto decoded = text(path);
    if (!decoded) return;
    try {
      const RequiredVersion v = parseRequiredVersion(*decoded, path);
      if (!isProgramVersionAccepted(v.required))
        warning(path + ": ", "要求バージョン " + generalNumberText(v.required) + " はこのプログラムのバージョン " +
                                 ProgramVersion + " より新しく、" + ProgramVersion + " ではこのデータを開けません。");
    } catch (const RuntimeError& e) {
      problem(e.what());
    }
  }

  std::string dir_;
  CheckReport& report_;
};

// The changes since the previous folder that move a player's scores.
void compareWithPrevious(const MasterSet& before, const MasterSet& after, CheckReport& report) {
  const std::string songPath = songMasterServerPath();
  for (size_t k = 0; k < before.SongTitles.size(); ++k) {
    const auto no = static_cast<int32_t>(k + 1);
    if (k >= after.SongTitles.size()) {
      report.lines.push_back(at(songPath, no) + "前のフォルダーにあった曲「" + before.SongTitles[k] +
                             "」がありません（曲は最後に足すだけにしてください）。");
      ++report.problems;
    } else if (before.SongTitles[k] != after.SongTitles[k]) {
      report.lines.push_back(at(songPath, no) + "警告: 曲名が「" + before.SongTitles[k] + "」から「" + after.SongTitles[k] +
                             "」に変わりました（同じ曲の直しでなければ、この曲の点数が別の曲のものになります）。");
      ++report.warnings;
    }
  }
  for (size_t v = 0; v < KitVersionNumbers.size(); ++v) {
    const std::string path = versionListServerPath(KitVersionNumbers[v]);
    const VersionLists& was = before.versions[v];
    const VersionLists& now = after.versions[v];
    for (size_t e = 0; e < was.EntrySongNo.size(); ++e) {
      const auto no = static_cast<int32_t>(e + 1);
      const std::string& wasTitle = before.SongTitles[static_cast<size_t>(was.EntrySongNo[e] - 1)];
      if (e >= now.EntrySongNo.size()) {
        report.lines.push_back(at(path, no) + "前のフォルダーにあったエントリ（「" + wasTitle +
                               "」）がありません。この位置に保存された点数が失われます。");
        ++report.problems;
        continue;
      }
      const std::string& nowTitle = after.SongTitles[static_cast<size_t>(now.EntrySongNo[e] - 1)];
      if (was.EntrySongNo[e] == now.EntrySongNo[e] || wasTitle == nowTitle) continue;
      report.lines.push_back(at(path, no) + "曲が「" + wasTitle + "」（曲番号 " + decimalText(was.EntrySongNo[e]) +
                             "）から「" + nowTitle + "」（曲番号 " + decimalText(now.EntrySongNo[e]) +
                             "）に変わりました。この位置に保存された点数が「" + nowTitle + "」のものになります。");
      ++report.problems;
    }
  }
}

}  // namespace

CheckReport checkServerFolder(const std::string& dir, const std::optional<std::string>& previousDir) {
  CheckReport report;
  FolderCheck(dir, report).run();
  if (!previousDir) return report;
  MasterSet after;
  try {
    after = readMasterSet(readServerFolder(dir));
  } catch (const RuntimeError&) {
    return report;  // named above; there is nothing to compare
  }
  MasterSet before;
  try {
    before = readMasterSet(readServerFolder(*previousDir));
  } catch (const RuntimeError& e) {
    report.lines.push_back("前のフォルダー " + *previousDir + " を読めません: " + e.what());
    ++report.problems;
    return report;
  }
  compareWithPrevious(before, after, report);
  return report;
}

}  // namespace nk
