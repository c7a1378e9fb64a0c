// required_version.cpp - comparing the server's required version with ours.
#include "required_version.h"

#include "cp932.h"
#include "master_list.h"
#include "modPutLog.h"
#include "numeric.h"
#include "program_version.h"
#include "runtime_error.h"
#include "text_file.h"
#include "toolkit.h"

namespace nk {
namespace {

std::string joinedWithMarkers(std::string_view decodedText) {
  std::string joined;
  for (const std::string& line : splitLines(decodedText)) {
    joined += line;
    joined += RequiredVersionMarker;
  }
  return joined;
}

// Whether NumericValue finds a number at the start of text rather than
// falling back to 0: blanks, tabs and line feeds skipped, then an optional
// sign and a digit, a "." and a digit, or the &H / &O prefix.
bool beginsWithNumber(std::string_view text) {
  std::string compact;
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\n') compact += c;
  std::string_view rest = compact;
  if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) rest.remove_prefix(1);
  if (rest.empty()) return false;
  auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  if (isDigit(rest[0])) return true;
  if (rest[0] == '.') return rest.size() > 1 && isDigit(rest[1]);
  return rest[0] == '&' && rest.size() > 1 && std::string_view("HhOo").find(rest[1]) != std::string_view::npos;
}

}  // namespace

RequiredVersion parseRequiredVersion(std::string_view decodedText, const std::string& fileName) {
  const std::string joined = joinedWithMarkers(decodedText);
  const auto items = splitText(joined, RequiredVersionMarker);
  if (items.empty())
    throw RuntimeError(fileName + " が空です。要求バージョンを確認できません。");
  RequiredVersion v;
  v.firstItem = std::string(items[0]);
  v.isNumber = beginsWithNumber(items[0]);
  v.required = NumericValue(items[0]);
  if (items.size() > 1) v.hint = std::string(items[1]);
  return v;
}

bool isProgramVersionAccepted(double required) { return !(required > NumericValue(ProgramVersion)); }

std::string refusalMessage(const std::string& hint) {
  return "お使いのバージョンのノルカクライアントでは接続できません。\r\n"
         "最新バージョンのノルカクライアントをダウンロードしてください。\r\n" +
         hint;
}

bool CheckRequiredVersion() {
  PutLog("要求バージョン確認開始");
  toolkit().setStatusText("ノルカクライアント要求ファイルを処理中です");
  const std::string text = cp932ToUtf8(readFileBytes(RequiredVersionPath));
  PutLog(std::string("本体バージョン:") + ProgramVersion);
  const std::string fileName = displayFileName(RequiredVersionPath);
  const RequiredVersion v = parseRequiredVersion(text, fileName);
  // A first line without a number would read as version 0 and let any
  // program through: an error page that a server or proxy sends with status
  // 200 must not pass for the server's requirement.
  if (!v.isNumber)
    throw RuntimeError(fileName + " の 1 行目" + quotedForError(v.firstItem) +
                       "は要求バージョンの数値ではありません。要求バージョンを確認できません。");
  PutLog("要求バージョン:" + generalNumberText(v.required));
  if (isProgramVersionAccepted(v.required)) return true;
  toolkit().messageBox(refusalMessage(v.hint), "バージョン要求以下", MsgIcon::Exclamation);
  return false;
}

}  // namespace nk
