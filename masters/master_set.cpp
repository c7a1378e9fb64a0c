// master_set.cpp - a set of master data to and from the server files.
#include "masters/master_set.h"

#include "data/required_version.h"
#include "data/song_master.h"
#include "data/sr_list.h"
#include "data/version_song_list.h"
#include "diag/debug_log.h"
#include "domain/master_files.h"
#include "platform/cp932.h"

namespace nk {

std::string songMasterServerPath() { return MasterFiles[SongMaster].serverPath(0); }
std::string versionListServerPath(int16_t versionNumber) { return MasterFiles[VersionSongList].serverPath(versionNumber); }
std::string srListServerPath(int16_t versionNumber) { return MasterFiles[SRList].serverPath(versionNumber); }
std::string requiredVersionServerPath() { return MasterFiles[NKVersion].serverPath(0); }

MasterSet readMasterSet(const ServerFiles& files) {
  const DebugLog silent;
  MasterSet set;
  ScoreSheetState songs;
  parseSongMaster(silent, songs, cp932ToUtf8(files.songMaster), songMasterServerPath());
  for (size_t v = 0; v < KitVersionNumbers.size(); ++v) {
    const int16_t number = KitVersionNumbers[v];
    ScoreSheetState s;
    s.SongTitles = songs.SongTitles;
    s.SongGenres = songs.SongGenres;
    parseVersionSongList(silent, s, cp932ToUtf8(files.versionLists[v]), versionCodeOf(number),
                         versionListServerPath(number));
    parseSRList(silent, s, cp932ToUtf8(files.srLists[v]), srListServerPath(number));
    set.versions[v] = {std::move(s.EntrySongNo), std::move(s.EntryDifficulty), std::move(s.EntryDifficultyU),
                       std::move(s.TargetEntryNo), std::move(s.TargetIsUra)};
  }
  const RequiredVersion required =
      parseRequiredVersion(cp932ToUtf8(files.requiredVersion), requiredVersionServerPath());
  set.required = required.required;
  set.hint = required.hint;
  set.SongTitles = std::move(songs.SongTitles);
  set.SongGenres = std::move(songs.SongGenres);
  return set;
}

ServerFiles masterSetFiles(const MasterSet& set) {
  ServerFiles files;
  files.songMaster = utf8ToCp932(songMasterText(set.SongTitles, set.SongGenres));
  for (size_t v = 0; v < KitVersionNumbers.size(); ++v) {
    const VersionLists& lists = set.versions[v];
    files.versionLists[v] = utf8ToCp932(versionSongListText(lists.EntrySongNo, lists.EntryDifficulty,
                                                            lists.EntryDifficultyU, versionCodeOf(KitVersionNumbers[v])));
    files.srLists[v] = utf8ToCp932(srListText(lists.TargetEntryNo, lists.TargetIsUra));
  }
  files.requiredVersion = utf8ToCp932(requiredVersionText(set.required, set.hint));
  return files;
}

ScoreSheetState sheetStateOf(const MasterSet& set, size_t version) {
  ScoreSheetState s;
  s.SongTitles = set.SongTitles;
  s.SongGenres = set.SongGenres;
  s.SongCount = static_cast<int16_t>(set.SongTitles.size());
  const VersionLists& lists = set.versions.at(version);
  s.EntrySongNo = lists.EntrySongNo;
  s.EntryDifficulty = lists.EntryDifficulty;
  s.EntryDifficultyU = lists.EntryDifficultyU;
  s.EntryCount = static_cast<int16_t>(lists.EntrySongNo.size());
  s.TargetEntryNo = lists.TargetEntryNo;
  s.TargetIsUra = lists.TargetIsUra;
  s.TargetCount = static_cast<int16_t>(lists.TargetEntryNo.size());
  return s;
}

}  // namespace nk
