// song_search.cpp - the folded titles and the search over them.
#include "input/song_search.h"

#include "data/sheet_catalogue.h"
#include "data/page_view.h"

#include <algorithm>

namespace nk {
namespace {

constexpr char16_t FirstHiragana = 0x3041;  // ぁ
constexpr char16_t LastHiragana = 0x3096;   // ゖ
constexpr char16_t HiraganaIteration = 0x309D;        // ゝ
constexpr char16_t VoicedHiraganaIteration = 0x309E;  // ゞ
constexpr char16_t KatakanaOffset = 0x60;
constexpr char16_t WaveDash = 0x301C;  // 〜; its full-width twin ～ is "~" after NFKC
constexpr char16_t IdeographicSpace = 0x3000;

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == IdeographicSpace; }

QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString fold(const QString& text) {
  // NFKC first: it composes a half-width ﾄﾞ into one ド, which the kana fold
  // below then meets as a single code point.
  const QString folded = text.normalized(QString::NormalizationForm_KC).toCaseFolded();
  QString out;
  out.reserve(folded.size());
  for (QChar qc : folded) {
    char16_t c = qc.unicode();
    if (isBlank(c)) continue;
    if ((c >= FirstHiragana && c <= LastHiragana) || c == HiraganaIteration || c == VoicedHiraganaIteration)
      c = static_cast<char16_t>(c + KatakanaOffset);
    else if (c == WaveDash)
      c = u'~';
    out.append(QChar(c));
  }
  return out;
}

}  // namespace

SongSearchIndex::SongSearchIndex(const ScoreSheetState& s) {
  const size_t count = static_cast<size_t>(std::max<int16_t>(s.EntryCount, 0));
  keys_.reserve(count);
  for (size_t pos = 0; pos < count; ++pos) {
    keys_.push_back(fold(fromUtf8(entryTitle(s, entryAt(s, pos)))));
  }
}

SongMatches SongSearchIndex::find(std::string_view query, size_t limit) const {
  const QString q = fold(fromUtf8(query));
  SongMatches matches;
  for (size_t pos = 0; pos < keys_.size(); ++pos) {
    if (!q.isEmpty() && !keys_[pos].contains(q)) continue;
    if (matches.positions.size() < limit) matches.positions.push_back(static_cast<int16_t>(pos));
    else ++matches.more;
  }
  return matches;
}

std::vector<int16_t> SongSearchIndex::findEqual(std::string_view title) const {
  const QString t = fold(fromUtf8(title));
  std::vector<int16_t> positions;
  if (t.isEmpty()) return positions;
  for (size_t pos = 0; pos < keys_.size(); ++pos)
    if (keys_[pos] == t) positions.push_back(static_cast<int16_t>(pos));
  return positions;
}

std::string foldedText(std::string_view text) { return fold(fromUtf8(text)).toStdString(); }

FoundSong foundSong(const ScoreSheetState& s, int16_t position) {
  const RowView row = entryView(s, entryAt(s, static_cast<size_t>(position)));
  return {position, pageOfPosition(position), row.title, row.normal.level, row.ura.level};
}

}  // namespace nk
