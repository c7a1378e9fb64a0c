// phone_page.cpp - the sheet's data as JSON, put into the page's template.
#include "phone/phone_page.h"

#include "data/display_text.h"
#include "data/sheet_catalogue.h"
#include "domain/arcade_version.h"

#include <map>
#include <string_view>

namespace nk {

// The page's template (page.html), made into an array by the build.
extern const char PhonePageTemplate[];
extern const size_t PhonePageTemplateSize;

namespace {

// Where the template takes the data.
constexpr std::string_view DataMark = "<!--SHEET-->";

// A JSON string. "<" as \u003c, so that no title closes the script element;
// the line and paragraph separators escaped as older scripts want them.
void appendString(std::string& out, std::string_view text) {
  static constexpr char Hex[] = "0123456789abcdef";
  out += '"';
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == '<') {
      out += "\\u00";
      out += Hex[c >> 4];
      out += Hex[c & 15];
    } else if (c == 0xE2 && text.substr(i, 3) == "\xE2\x80\xA8") {
      out += "\\u2028";
      i += 2;
    } else if (c == 0xE2 && text.substr(i, 3) == "\xE2\x80\xA9") {
      out += "\\u2029";
      i += 2;
    } else {
      out += static_cast<char>(c);
    }
  }
  out += '"';
}

void appendNumber(std::string& out, int64_t value) { out += std::to_string(value); }

void appendRival(std::string& out, const PhoneRival* rival, size_t entries) {
  if (!rival) {
    out += "null";
    return;
  }
  out += "{\"name\":";
  appendString(out, rival->name);
  out += ",\"scores\":[";
  bool first = true;
  for (size_t e = 0; e < entries; ++e)
    for (const Chart chart : {Chart::Normal, Chart::Ura}) {
      const std::vector<int32_t>& scores = rival->scores.of(chart);
      if (e >= scores.size() || scores[e] == 0) continue;
      out += first ? "[" : ",[";
      first = false;
      appendNumber(out, static_cast<int64_t>(e));
      out += isUra(chart) ? ",1," : ",0,";
      appendNumber(out, scores[e]);
      out += ']';
    }
  out += "]}";
}

}  // namespace

std::string phonePageFileName(int16_t versionNumber, const Moment& written) {
  return "norukaku-ac" + std::to_string(versionNumber) + "-" + dateText(written) + ".html";
}

std::string phonePageData(const ScoreSheetState& s, std::optional<int64_t> target, const Moment& written,
                          const PhoneRival* rival) {
  std::string out = "{\"version\":";
  appendNumber(out, s.VersionNumber);
  out += ",\"label\":";
  appendString(out, versionLabel(s.VersionNumber));
  out += ",\"written\":";
  appendString(out, minuteText(written));
  out += ",\"id\":";
  appendString(out, "ac" + std::to_string(s.VersionNumber) + "-" + isoText(written));
  out += ",\"target\":";
  if (target) appendNumber(out, *target);
  else out += "null";

  const size_t entries = static_cast<size_t>(std::max<int16_t>(s.EntryCount, 0));
  std::map<std::string, size_t> genreIndex;
  std::vector<const std::string*> genres;
  std::string entryList;
  for (size_t e = 0; e < entries; ++e) {
    const std::string& genre = s.EntryGenre.at(e);
    const auto [at, added] = genreIndex.emplace(genre, genres.size());
    if (added) genres.push_back(&genre);
    entryList += e ? ",[" : "[";
    appendString(entryList, entryTitle(s, e));
    for (const int64_t n : {int64_t(at->second), int64_t{chartLevel(s, e, Chart::Normal)},
                            int64_t{chartScore(s, e, Chart::Normal)}, int64_t{chartLevel(s, e, Chart::Ura)},
                            int64_t{chartScore(s, e, Chart::Ura)}}) {
      entryList += ',';
      appendNumber(entryList, n);
    }
    entryList += ']';
  }
  out += ",\"genres\":[";
  for (size_t g = 0; g < genres.size(); ++g) {
    if (g) out += ',';
    appendString(out, *genres[g]);
  }
  out += "],\"entries\":[" + entryList + "],\"order\":[";
  for (size_t p = 0; p < s.DisplayOrder.size(); ++p) {
    if (p) out += ',';
    appendNumber(out, static_cast<int64_t>(entryAt(s, p)));
  }
  out += "],\"targets\":[";
  const size_t targets = static_cast<size_t>(std::max<int16_t>(s.TargetCount, 0));
  for (size_t t = 0; t < targets; ++t) {
    out += t ? ",[" : "[";
    appendNumber(out, static_cast<int64_t>(targetEntry(s, t)));
    out += isUra(targetChart(s, t)) ? ",1," : ",0,";
    appendNumber(out, s.TargetDifficulty.at(t));
    out += ']';
  }
  out += "],\"rival\":";
  appendRival(out, rival, entries);
  out += '}';
  return out;
}

std::string phonePageHtml(const ScoreSheetState& s, std::optional<int64_t> target, const Moment& written,
                          const PhoneRival* rival) {
  std::string html(PhonePageTemplate, PhonePageTemplateSize);
  const size_t at = html.find(DataMark);
  if (at == std::string::npos) return html;
  return html.replace(at, DataMark.size(),
                      "<script id=\"sheet\" type=\"application/json\">" + phonePageData(s, target, written, rival) +
                          "</script>");
}

PhonePageWritten writePhonePage(const std::string& path, const std::string& html) {
  const FileWriteResult written = replaceFileContents(path, html);
  if (!written.ok) return {false, "スマホ用のページを書き出せませんでした。\n" + written.failure};
  return {true, "スマホ用のページを書き出しました。\n" + path +
                    "\n\nこのファイルをスマホに送り（ケーブル、クラウドのフォルダ、自分宛てのメールなど）、"
                    "ブラウザで開いてください。ページはどこにも送信しません。"};
}

}  // namespace nk
