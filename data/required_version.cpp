// required_version.cpp - comparing the server's required version with ours.
#include "data/required_version.h"

#include "data/numeric.h"
#include "data/text_file.h"
#include "diag/debug_log.h"
#include "diag/runtime_error.h"
#include "domain/program_version.h"
#include "platform/cp932.h"
#include "toolkit/toolkit.h"

#include <charconv>

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

}  // namespace

RequiredVersion parseRequiredVersion(std::string_view decodedText, const std::string& fileName) {
  const std::string joined = joinedWithMarkers(decodedText);
  const auto items = splitText(joined, RequiredVersionMarker);
  if (items.empty())
    throw RuntimeError(fileName + " が空です。要求バージョンを確認できません。");
  RequiredVersion v;
  v.required = NumericValue(items[0]);
  if (items.size() > 1) v.hint = std::string(items[1]);
  return v;
}

std::string exactNumberText(double value) {
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return std::string(buffer, result.ptr);
}

std::string requiredVersionText(double required, const std::string& hint) {
  return exactNumberText(required) + "\r\n" + hint + "\r\n";
}

bool isProgramVersionAccepted(double required) { return !(required > NumericValue(ProgramVersion)); }

std::string refusalMessage(const std::string& hint) {
  return "お使いのバージョンのノルカクライアントでは接続できません。\r\n"
         "最新バージョンのノルカクライアントをダウンロードしてください。\r\n" +
         hint;
}

bool CheckRequiredVersion(const DebugLog& log) {
  PutLog(log, "要求バージョン確認開始");
  toolkit().setStatusText("ノルカクライアント要求ファイルを処理中です");
  const std::string text = cp932ToUtf8(readFileBytes(RequiredVersionPath));
  PutLog(log, std::string("本体バージョン:") + ProgramVersion);
  const RequiredVersion v = parseRequiredVersion(text, displayFileName(RequiredVersionPath));
  PutLog(log, "要求バージョン:" + generalNumberText(v.required));
  if (isProgramVersionAccepted(v.required)) return true;
  toolkit().messageBox(refusalMessage(v.hint), "バージョン要求以下", MsgIcon::Exclamation);
  return false;
}

}  // namespace nk
