// rival_text.cpp - the texts of the rivals.
#include "rival/rival_text.h"

#include "data/display_text.h"
#include "domain/arcade_version.h"

namespace nk {

std::string notRivalFileText(const std::string& file, int16_t versionNumber) {
  return "ファイル " + file + " はライバルに追加できません。「データを書き出す…」で書き出した zip か、点数ファイル " +
         scoreFileNameFor(versionNumber) + " を選んでください。";
}

std::string noVersionScoresText(const std::string& file, int16_t versionNumber) {
  return "ファイル " + file + " には " + versionLabel(versionNumber) + " の点数がありません。";
}

std::string notScoreFileText(const std::string& file, size_t line) {
  return "ファイル " + file + " は点数ファイルではありません（" + std::to_string(line) + " 行目）。";
}

std::string otherVersionText(const std::string& file, int16_t fileVersion, int16_t versionNumber) {
  return "ファイル " + file + " は " + versionLabel(fileVersion) + " の点数ファイルです。この表は " +
         versionLabel(versionNumber) + " です。";
}

std::string missingRivalText(const std::string& file) { return "ファイル " + file + " がありません。"; }

std::string unreadableRivalText(const std::string& file, const std::string& cause) {
  return "ファイル " + file + " を読めません（" + cause + "）。";
}

std::string tooLargeRivalText(const std::string& file, uint64_t largest) {
  return "ファイル " + file + " は大きすぎます（点数ファイルは " + groupedDecimal(static_cast<int64_t>(largest)) +
         " バイトまで）。";
}

std::string noRivalScoresText(const std::string& file, int16_t versionNumber) {
  return "ファイル " + file + " には、この PC の " + versionLabel(versionNumber) + " の譜面に合う点数がありません。";
}

std::string rivalNameEmptyText() { return "ライバルの名前を入れてください。"; }

std::string rivalNameUnfitText() {
  return "この名前はファイル名に使えません。\\ / : * ? \" < > | "
         "と制御文字は使えず、最初と最後に空白や「.」は置けません。";
}

std::string rivalNameTooLongText(size_t longest) {
  return "ライバルの名前は " + std::to_string(longest) + " 文字までです。";
}

std::string rivalNameReservedText(std::string_view name) {
  return "「" + std::string(name) + "」は Windows が使う名前なので、ライバルの名前にできません。";
}

std::string noSuchRivalText(const std::string& name) { return "ライバル「" + name + "」はいません。"; }

std::string unreadableRivalFileText(const std::string& name, const std::string& cause) {
  return "ライバル「" + name + "」のファイルを読めません（" + cause + "）。";
}

std::string damagedRivalText(const std::string& name) {
  return "ライバル「" + name + "」のファイルが壊れています。もう一度追加してください。";
}

std::string unreadableRivalsText(const std::string& cause) {
  return "ライバルのフォルダーを読めません（" + cause + "）。";
}

std::string rivalNotKeptText(const std::string& name, const std::string& cause) {
  return "ライバル「" + name + "」を保存できません（" + cause + "）。";
}

std::string rivalScoresWhat(const std::string& name) { return "ライバル「" + name + "」の点数"; }

std::string rivalOldFileWhat(const std::string& name) {
  return "ライバル「" + name + "」の前のファイル";
}

std::string rivalNotRemovedText(const std::string& name, const std::string& cause) {
  return "ライバル「" + name + "」を削除できません（" + cause + "）。";
}

std::string onThisPcListsText() {
  return "相手のマスターデータが付いていないため、点数はこの PC のマスターデータの曲番号のまま読みました。";
}

std::string unmatchedLine(const UnmatchedChart& u) {
  const std::string song =
      u.chart.title.empty() ? "曲番号 " + std::to_string(u.chart.entryNo) : "「" + u.chart.title + "」";
  const char* why = u.why == Unmatched::NoSuchSong   ? "この PC の曲にありません"
                    : u.why == Unmatched::SharedSong ? "同じ曲名の曲が複数あり、どれか決まりません"
                    : u.why == Unmatched::NoSuchChart ? "この PC のこの曲にはこの譜面がありません"
                    : u.why == Unmatched::NoSuchEntry ? "相手のマスターデータにない曲番号です"
                                                      : "この PC のマスターデータにない曲番号です";
  return song + "（" + chartMark(u.chart.chart) + "） " + pointsText(u.chart.score) + ": " + why;
}

std::string unmatchedText(const std::vector<UnmatchedChart>& unmatched) {
  if (unmatched.empty()) return {};
  std::string text =
      "この PC の譜面に合わせられなかった点数が " + std::to_string(unmatched.size()) + " 個あり、入れていません。";
  for (size_t i = 0; i < unmatched.size() && i < UnmatchedNamed; ++i) text += "\r\n" + unmatchedLine(unmatched[i]);
  if (unmatched.size() > UnmatchedNamed)
    text += "\r\nほか " + std::to_string(unmatched.size() - UnmatchedNamed) + " 個";
  return text;
}

std::string rivalChangesText(const std::string& name, const KeptRivalOutcome& kept) {
  if (!kept.replaced) return "ライバル「" + name + "」を追加しました。";
  std::string text = "ライバル「" + name + "」の点数を入れ替えました。";
  if (kept.improved.empty())
    text += "前回から伸びた譜面はありません。";
  else
    text += "前回から伸びた譜面は " + std::to_string(kept.improved.size()) + " 個です。";
  for (size_t i = 0; i < kept.improved.size() && i < UnmatchedNamed; ++i) {
    const RivalGain& g = kept.improved[i];
    text += "\r\n「" + g.title + "」（" + chartMark(g.chart) + "） " + groupedDecimal(g.before) + " → " +
            groupedDecimal(g.after) + "（" + signedGroupedDecimal(int64_t{g.after} - g.before) + "）";
  }
  if (kept.improved.size() > UnmatchedNamed)
    text += "\r\nほか " + std::to_string(kept.improved.size() - UnmatchedNamed) + " 個";
  if (kept.lowered > 0) text += "\r\n前回より低い・なくなった譜面: " + std::to_string(kept.lowered) + " 個";
  return text;
}

std::string rivalsPassedText(const std::vector<std::string>& names) {
  if (names.empty()) return {};
  std::string text = "ライバル ";
  for (size_t k = 0; k < names.size(); ++k) text += (k ? "、" : "") + names[k];
  return text + " を抜きました";
}

}  // namespace nk
