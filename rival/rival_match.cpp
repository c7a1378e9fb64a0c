// rival_match.cpp - a friend's scores put on this PC's charts by their songs.
#include "rival/rival_match.h"

#include <map>
#include <optional>
#include <set>
#include <utility>

namespace nk {
namespace {

const std::string& entryGenre(const ScoreSheetState& s, size_t e) {
  static const std::string none;
  const auto songNo = static_cast<size_t>(s.EntrySongNo.at(e));
  return songNo >= 1 && songNo <= s.SongGenres.size() ? s.SongGenres[songNo - 1] : none;
}

// The songs of a set of lists (or of a rival's charts) by title and genre,
// each with the one entry that has it and how many entries do, and the
// genres each title has.
class SongIndex {
public:
  explicit SongIndex(const ScoreSheetState& s) {
    for (size_t e = 0; e < s.EntrySongNo.size(); ++e) add(entryTitle(s, e), entryGenre(s, e), e);
  }
  explicit SongIndex(const std::vector<RivalChart>& charts) {
    std::set<int16_t> seen;
    for (const RivalChart& c : charts)
      if (seen.insert(c.entryNo).second) add(c.title, c.genre, static_cast<size_t>(c.entryNo - 1));
  }
  size_t count(const std::string& title, const std::string& genre) const {
    const auto song = bySong_.find({title, genre});
    return song == bySong_.end() ? 0 : song->second.count;
  }
  // The one entry of that song here: by title and genre, else by a title
  // that one song here has and one song of the rival's lists (theirs);
  // why not, when there is none or more than one.
  std::optional<size_t> find(const std::string& title, const std::string& genre, const SongIndex& theirs,
                             Unmatched& why) const {
    why = Unmatched::SharedSong;
    if (theirs.count(title, genre) > 1) return std::nullopt;
    const auto song = bySong_.find({title, genre});
    if (song != bySong_.end() && song->second.count == 1) return song->second.entry;
    const auto titled = genres_.find(title);
    why = titled == genres_.end() ? Unmatched::NoSuchSong : Unmatched::SharedSong;
    if (song != bySong_.end() || titled == genres_.end() || titled->second.size() != 1) return std::nullopt;
    const auto theirGenres = theirs.genres_.find(title);
    if (theirGenres != theirs.genres_.end() && theirGenres->second.size() > 1) return std::nullopt;
    const auto only = bySong_.find({title, *titled->second.begin()});
    if (only->second.count != 1) return std::nullopt;
    return only->second.entry;
  }

private:
  void add(const std::string& title, const std::string& genre, size_t entry) {
    Found& found = bySong_[{title, genre}];
    ++found.count;
    found.entry = entry;
    genres_[title].insert(genre);
  }
  struct Found {
    size_t count = 0;
    size_t entry = 0;
  };
  std::map<std::pair<std::string, std::string>, Found> bySong_;
  std::map<std::string, std::set<std::string>> genres_;
};

bool sameSongs(const ScoreSheetState& a, const ScoreSheetState& b) {
  if (a.EntrySongNo.size() != b.EntrySongNo.size()) return false;
  for (size_t e = 0; e < a.EntrySongNo.size(); ++e)
    if (entryTitle(a, e) != entryTitle(b, e) || entryGenre(a, e) != entryGenre(b, e)) return false;
  return true;
}

RivalChart onEntry(const ScoreSheetState& s, size_t e, Chart chart, int32_t score) {
  return {static_cast<int16_t>(e + 1), entryTitle(s, e), entryGenre(s, e), chart, score};
}

// Puts each chart on its entry of here: at its number when trusted and the
// song there is its own, else by its song. A chart that a second one of the
// rival's names again is left out with the first kept.
MatchedRival place(const std::vector<RivalChart>& charts, const ScoreSheetState& here, bool trustNumbers,
                   const SongIndex& theirs) {
  const SongIndex ours(here);
  MatchedRival matched;
  std::set<std::pair<size_t, Chart>> taken;
  for (const RivalChart& chart : charts) {
    std::optional<size_t> entry;
    Unmatched why = Unmatched::NoSuchSong;
    const auto at = static_cast<size_t>(chart.entryNo - 1);
    if (trustNumbers && chart.entryNo >= 1 && at < here.EntrySongNo.size() && entryTitle(here, at) == chart.title &&
        entryGenre(here, at) == chart.genre)
      entry = at;
    else
      entry = ours.find(chart.title, chart.genre, theirs, why);
    if (entry && !chartExists(here, *entry, chart.chart)) {
      why = Unmatched::NoSuchChart;
      entry.reset();
    }
    if (entry && !taken.insert({*entry, chart.chart}).second) {
      why = Unmatched::SharedSong;
      entry.reset();
    }
    if (entry)
      matched.charts.push_back(onEntry(here, *entry, chart.chart, chart.score));
    else
      matched.unmatched.push_back({chart, why});
  }
  return matched;
}

}  // namespace

MatchedRival matchRival(const RivalSource& source, const ScoreSheetState& here) {
  const ScoreSheetState& lists = source.lists ? *source.lists : here;
  std::vector<RivalChart> charts;
  std::vector<UnmatchedChart> beyond;
  for (const auto& [entryNo, scores] : source.scores) {
    const auto e = static_cast<size_t>(entryNo - 1);
    for (const auto& [chart, score] : {std::pair{Chart::Normal, scores.first}, std::pair{Chart::Ura, scores.second}}) {
      if (score == 0) continue;
      if (e < lists.EntrySongNo.size())
        charts.push_back(onEntry(lists, e, chart, score));
      else
        beyond.push_back({RivalChart{entryNo, {}, {}, chart, score},
                          source.lists ? Unmatched::NoSuchEntry : Unmatched::NoSuchEntryHere});
    }
  }
  const bool ownLists = !source.lists || sameSongs(*source.lists, here);
  MatchedRival matched = place(charts, here, ownLists, SongIndex(lists));
  matched.unmatched.insert(matched.unmatched.end(), beyond.begin(), beyond.end());
  matched.onThisPcLists = !source.lists;
  return matched;
}

MatchedRival placeRivalCharts(const std::vector<RivalChart>& charts, const ScoreSheetState& here) {
  return place(charts, here, true, SongIndex(charts));
}

SheetScores rivalScores(const std::vector<RivalChart>& charts, const ScoreSheetState& here) {
  SheetScores scores{std::vector<int32_t>(here.EntryScore.size()), std::vector<int32_t>(here.EntryScoreU.size())};
  for (const RivalChart& chart : charts) {
    const auto e = static_cast<size_t>(chart.entryNo - 1);
    if (chart.entryNo >= 1 && e < scores.of(chart.chart).size()) scores.of(chart.chart)[e] = chart.score;
  }
  return scores;
}

}  // namespace nk
