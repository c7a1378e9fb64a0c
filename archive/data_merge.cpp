// data_merge.cpp - the import's plan: per version, the scores chart by chart,
// the joined logs, the target and the kept master lists.
#include "archive/data_merge.h"

#include "archive/player_files.h"
#include "data/delimited_text.h"
#include "data/display_text.h"
#include "data/improvement_log.h"
#include "data/numeric.h"
#include "data/score_file.h"
#include "data/sheet_catalogue.h"
#include "data/total_history.h"
#include "data/song_master.h"
#include "data/target_total.h"
#include "data/version_song_list.h"
#include "diag/runtime_error.h"
#include "domain/master_files.h"
#include "domain/server_paths.h"
#include "load/kept_masters.h"
#include "platform/cp932.h"
#include "toolkit/toolkit.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <optional>
#include <tuple>

namespace nk {
namespace {

// Score files name entries up to the 16-bit count; one of another version's
// sheet is read without its master lists.
constexpr int16_t MostEntries = std::numeric_limits<int16_t>::max();

const std::string* fileIn(const DataFiles& data, const std::string& path) {
  const auto found = data.files.find(path);
  return found == data.files.end() ? nullptr : &found->second;
}

template <class Record, class Parse>
std::vector<Record> recordsOf(const std::string* bytes, Parse parse) {
  std::vector<Record> records;
  if (bytes)
    for (const std::string_view line : completeLines(withoutBom(*bytes)))
      if (std::optional<Record> record = parse(line)) records.push_back(std::move(*record));
  return records;
}

auto keyOf(const Improvement& r) { return std::tuple(r.time.utc, r.time.offset, r.entryNo, r.chart, r.before, r.after); }
auto keyOf(const HistoryRecord& r) { return std::tuple(r.time.utc, r.time.offset, r.total, r.levelSums, r.entered); }

// Every record of both, in time order, each once; nothing when the zip adds
// none to this PC's.
template <class Record>
std::optional<std::vector<Record>> joined(std::vector<Record> here, const std::vector<Record>& imported, size_t& added) {
  const auto before = [](const Record& a, const Record& b) { return keyOf(a) < keyOf(b); };
  const auto same = [](const Record& a, const Record& b) { return keyOf(a) == keyOf(b); };
  std::sort(here.begin(), here.end(), before);
  here.erase(std::unique(here.begin(), here.end(), same), here.end());
  const size_t hereCount = here.size();
  here.insert(here.end(), imported.begin(), imported.end());
  std::sort(here.begin(), here.end(), before);
  here.erase(std::unique(here.begin(), here.end(), same), here.end());
  added = here.size() - hereCount;
  if (added == 0) return std::nullopt;
  return here;
}

template <class Record, class LineOf>
std::string logText(const char* header, const std::vector<Record>& records, LineOf lineOf) {
  std::string text = std::string(Utf8Bom) + header + "\r\n";
  for (const Record& record : records) text += lineOf(record);
  return text;
}

// Raises RuntimeError naming the file for a line the score file's reader refuses.
SheetScores scoresOf(const std::string* bytes, const std::string& name) {
  ScoreSheetState s;
  s.EntryCount = MostEntries;
  s.EntryScore.assign(MostEntries, 0);
  s.EntryScoreU.assign(MostEntries, 0);
  if (bytes) parseScoreFile(s, cp932ToUtf8(*bytes), name);
  return {std::move(s.EntryScore), std::move(s.EntryScoreU)};
}

// When each chart's score came to be what its file holds, where the log says.
using ChartKey = std::pair<int16_t, Chart>;
std::map<ChartKey, Moment> whenOf(const std::vector<Improvement>& log, const SheetScores& scores) {
  std::map<ChartKey, Improvement> newest;
  for (const Improvement& r : log) {
    auto [at, fresh] = newest.emplace(ChartKey{r.entryNo, r.chart}, r);
    if (!fresh && r.time.utc >= at->second.time.utc) at->second = r;
  }
  std::map<ChartKey, Moment> when;
  for (const auto& [key, r] : newest) {
    if (key.first < 1 || key.first > MostEntries) continue;
    const auto& list = scores.of(key.second);
    if (list[size_t(key.first - 1)] == r.after) when.emplace(key, r.time);
  }
  return when;
}

// Titles by entry from a version's master lists; empty without them.
std::vector<std::string> entryTitles(const DataFiles& data, int16_t v) {
  const std::string folder = keptMastersFolder(v) + "/";
  const std::string* songs = fileIn(data, folder + MasterFiles[SongMaster].testedName);
  const std::string* entries = fileIn(data, folder + MasterFiles[VersionSongList].testedName);
  if (!songs || !entries) return {};
  SilentToolkit quiet;  // the readers' yields and status line: not while a plan is worked out
  ScopedToolkit scope(quiet);
  try {
    ScoreSheetState s;
    parseSongMaster(DebugLog{}, s, cp932ToUtf8(*songs));
    parseVersionSongList(DebugLog{}, s, cp932ToUtf8(*entries), static_cast<int16_t>(100 + v));
    std::vector<std::string> titles;
    for (size_t e = 0; e < size_t(s.EntryCount); ++e) titles.push_back(entryTitle(s, e));
    return titles;
  } catch (const RuntimeError&) {
    return {};
  }
}

class VersionPlan {
public:
  VersionPlan(const DataFiles& imported, const DataFiles& here, int16_t v, ImportPlan& plan)
      : imported_(imported), here_(here), v_(v), plan_(plan) {}

  void masters() {
    const std::string folder = keptMastersFolder(v_) + "/";
    std::array<std::string, 4> files;
    bool any = false;
    for (size_t i = 0; i < MasterFiles.size(); ++i)
      if (const std::string* file = fileIn(imported_, folder + MasterFiles[i].testedName)) {
        files[i] = *file;
        any = true;
      }
    const std::string* stamp = fileIn(imported_, folder + KeptStampName);
    if (!any && !stamp) return;
    const std::optional<KeptMasters> theirs = stamp ? keptSetOf(*stamp, files) : std::nullopt;
    if (!theirs) return refuse(versionLabel(v_) + " のマスターデータが揃っていません。zip が壊れています。");
    std::optional<KeptMasters> ours;
    if (const std::string* ourStamp = fileIn(here_, folder + KeptStampName)) {
      std::array<std::string, 4> ourFiles;
      for (size_t i = 0; i < MasterFiles.size(); ++i)
        if (const std::string* file = fileIn(here_, folder + MasterFiles[i].testedName)) ourFiles[i] = *file;
      ours = keptSetOf(*ourStamp, ourFiles);
    }
    if (ours && ours->received.utc >= theirs->received.utc) return;
    for (size_t i = 0; i < MasterFiles.size(); ++i) plan_.writes.emplace_back(folder + MasterFiles[i].testedName, files[i]);
    plan_.writes.emplace_back(folder + KeptStampName, *stamp);
    note("マスターデータ: " + minuteText(theirs->received) + " 受信のものにします");
    newerMasters_ = true;
  }

  void scores() {
    const std::string name = scoreFileNameFor(v_);
    const std::string* theirFile = fileIn(imported_, name);
    if (!theirFile) return;
    SheetScores ours, theirs;
    try {
      theirs = scoresOf(theirFile, name);
    } catch (const RuntimeError& e) {
      return refuse("zip の " + e.description() + "。zip が壊れています。");
    }
    try {
      ours = scoresOf(fileIn(here_, name), name);
    } catch (const RuntimeError& e) {
      return refuse("このPCの " + e.description() + "。直してから読み込んでください。");
    }
    const auto ourWhen = whenOf(ourLog(), ours);
    const auto theirWhen = whenOf(theirLog(), theirs);
    const std::vector<std::string> titles = entryTitles(newerMasters_ ? imported_ : here_, v_);
    const std::vector<std::string> otherTitles = titles.empty() ? entryTitles(imported_, v_) : titles;
    size_t changed = 0;
    for (const Chart chart : {Chart::Normal, Chart::Ura}) {
      std::vector<int32_t>& mine = ours.of(chart);
      const std::vector<int32_t>& other = theirs.of(chart);
      for (size_t e = 0; e < mine.size(); ++e) {
        if (mine[e] == other[e]) continue;
        const ChartKey key{static_cast<int16_t>(e + 1), chart};
        const auto a = ourWhen.find(key), b = theirWhen.find(key);
        ChangeReason reason = ChangeReason::HigherScore;
        bool take = other[e] > mine[e];
        if (a != ourWhen.end() && b != theirWhen.end() && a->second.utc != b->second.utc) {
          take = b->second.utc > a->second.utc;
          reason = ChangeReason::LaterChange;
        }
        if (!take) {
          ++plan_.chartsKept;
          continue;
        }
        plan_.changes.push_back({v_, key.first, chart, e < otherTitles.size() ? otherTitles[e] : std::string(), mine[e],
                                 other[e], reason});
        mine[e] = other[e];
        ++changed;
      }
    }
    if (changed == 0) return;
    ScoreSheetState merged;
    merged.EntryCount = MostEntries;
    merged.EntryScore = std::move(ours.normal);
    merged.EntryScoreU = std::move(ours.ura);
    plan_.writes.emplace_back(name, scoreFileText(merged));
    note("点数: " + groupedDecimal(int64_t(changed)) + " 譜面を変えます");
  }

  void improvements() {
    size_t added = 0;
    if (const auto all = joined(ourLog(), theirLog(), added)) {
      plan_.writes.emplace_back(logFileName(ImprovementFormat, v_), logText(ImprovementHeader, *all, improvementLine));
      note("更新履歴: " + groupedDecimal(int64_t(added)) + " 件を加えます");
    }
  }

  void history() {
    const std::string name = logFileName(HistoryFormat, v_);
    const auto parse = [](std::string_view line) { return parseHistoryLine(line); };
    size_t added = 0;
    if (const auto all = joined(recordsOf<HistoryRecord>(fileIn(here_, name), parse),
                                recordsOf<HistoryRecord>(fileIn(imported_, name), parse), added)) {
      plan_.writes.emplace_back(name, logText(HistoryHeader, *all, historyLine));
      note("記録の推移: " + groupedDecimal(int64_t(added)) + " 件を加えます");
    }
  }

  void target() {
    const std::string name = targetTotalFileName(v_);
    const std::string* theirs = fileIn(imported_, name);
    const std::string* ours = fileIn(here_, name);
    if (!theirs || (ours && *ours == *theirs)) return;
    if (ours) return note("目標総合得点: このPCの目標を残します");
    plan_.writes.emplace_back(name, *theirs);
    note("目標総合得点: 読み込むデータの目標にします");
  }

private:
  // Each log is parsed once, for the scores and for the join.
  const std::vector<Improvement>& logOf(const DataFiles& data, std::optional<std::vector<Improvement>>& parsed) const {
    if (!parsed)
      parsed = recordsOf<Improvement>(fileIn(data, logFileName(ImprovementFormat, v_)),
                                      [](std::string_view line) { return parseImprovementLine(line); });
    return *parsed;
  }
  const std::vector<Improvement>& ourLog() { return logOf(here_, ourLog_); }
  const std::vector<Improvement>& theirLog() { return logOf(imported_, theirLog_); }
  void note(const std::string& text) { plan_.notes.push_back(versionLabel(v_) + " " + text); }
  void refuse(const std::string& why) {
    if (plan_.failure.empty()) plan_.failure = why;
  }

  const DataFiles& imported_;
  const DataFiles& here_;
  int16_t v_;
  ImportPlan& plan_;
  bool newerMasters_ = false;
  std::optional<std::vector<Improvement>> ourLog_, theirLog_;
};

}  // namespace

ImportPlan planImport(const DataFiles& imported, const DataFiles& here) {
  ImportPlan plan;
  for (const auto& [path, bytes] : imported.files)
    if (!playerFileAt(path)) {
      plan.failure = "このプログラムのデータではないファイル " + shownZipName(path) + " があります。";
      return plan;
    }
  for (const int16_t v : DataVersions) {
    VersionPlan version(imported, here, v, plan);
    version.masters();
    version.scores();
    version.improvements();
    version.history();
    version.target();
  }
  if (!plan.failure.empty()) return ImportPlan{{}, 0, {}, {}, plan.failure};
  return plan;
}

}  // namespace nk
