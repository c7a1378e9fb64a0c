// masters_command.cpp - the four commands of nk-masters.
#include "masters/masters_command.h"

#include "data/master_changes.h"
#include "data/numeric.h"
#include "data/required_version.h"
#include "diag/runtime_error.h"
#include "masters/master_check.h"
#include "masters/master_set.h"
#include "masters/master_source.h"
#include "masters/server_folder.h"
#include "platform/file_replace.h"
#include "platform/native_file.h"

#include <filesystem>

namespace nk {
namespace {

constexpr const char* Usage =
    "使い方:\n"
    "  nk-masters import SERVER_DIR SOURCE_DIR\n"
    "      配信フォルダーのマスターデータを、編集用の TSV（UTF-8、タブ区切り、見出しの行つき）にする\n"
    "  nk-masters build SOURCE_DIR SERVER_DIR\n"
    "      TSV から配信フォルダーを作る（CP932）。古いフォルダーは、新しいものができてから置き換える\n"
    "  nk-masters check SERVER_DIR [PREVIOUS_SERVER_DIR]\n"
    "      配信フォルダーの問題を、ファイルとレコードの番号を添えて 1 行ずつ示す。\n"
    "      前のフォルダーを添えると、保存された点数がずれる変更（エントリの削除、曲の差し替え）も問題にする\n"
    "  nk-masters diff OLD_DIR NEW_DIR\n"
    "      二つの配信フォルダーの違いを、プレイヤーに示される言葉で示す\n"
    "終了コード: 0 問題なし（警告だけなら 0）、1 問題あり・失敗、2 引数の誤り\n";

// The player's text (CR LF) as lines for a terminal (LF).
std::string withLf(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
  return out;
}

void importMasters(const std::string& serverDir, const std::string& sourceDir) {
  const MasterSet set = readMasterSet(readServerFolder(serverDir));
  std::error_code ec;
  std::filesystem::create_directories(sourceDir, ec);
  if (ec) throw RuntimeError("フォルダー " + sourceDir + " を作れません（" + ec.message() + "）。");
  for (const auto& [name, text] : masterSourceFiles(set)) {
    const FileWriteResult written = replaceFileContents((std::filesystem::path(sourceDir) / name).string(), text);
    if (!written.ok) throw RuntimeError(written.failure);
  }
}

void buildMasters(const std::string& sourceDir, const std::string& serverDir) {
  const MasterSet set = readMasterSource(sourceDir);
  const ServerFiles files = masterSetFiles(set);
  // What is served must read as the source says, by the program's readers
  // (the 16-bit limits of the lists are theirs to tell).
  if (readMasterSet(files) != set)
    throw RuntimeError("作ったファイルが元の表のとおりに読めません（このプログラムの誤りです）。");
  replaceFolder(serverDir, serverFileList(files));
}

}  // namespace

std::string mastersDiffText(const std::string& oldDir, const std::string& newDir) {
  const MasterSet before = readMasterSet(readServerFolder(oldDir));
  const MasterSet after = readMasterSet(readServerFolder(newDir));
  std::string text;
  for (size_t v = 0; v < KitVersionNumbers.size(); ++v) {
    const std::string changes = masterChangesText(sheetStateOf(before, v), sheetStateOf(after, v));
    text += versionLabel(KitVersionNumbers[v]) + ":" + (changes.empty() ? " 変更なし\n" : "\n" + withLf(changes) + "\n");
  }
  if (before.required != after.required || before.hint != after.hint)
    text += "要求バージョン: " + exactNumberText(before.required) + "「" + before.hint + "」 → " +
            exactNumberText(after.required) + "「" + after.hint + "」\n";
  return text;
}

int runMastersCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::string command = args.empty() ? "" : args[0];
  const size_t operands = args.size() - (args.empty() ? 0 : 1);
  const bool usable = ((command == "import" || command == "build" || command == "diff") && operands == 2) ||
                      (command == "check" && (operands == 1 || operands == 2));
  if (!usable) {
    if (command == "--help" || command == "-h") {
      out << Usage;
      return ExitDone;
    }
    err << (command.empty() ? "nk-masters: コマンドがありません。\n" : "nk-masters: 引数が正しくありません。\n") << Usage;
    return ExitUsage;
  }
  try {
    if (command == "import") importMasters(args[1], args[2]);
    if (command == "build") buildMasters(args[1], args[2]);
    if (command == "diff") out << mastersDiffText(args[1], args[2]);
    if (command == "check") {
      const CheckReport report =
          checkServerFolder(args[1], operands == 2 ? std::optional<std::string>(args[2]) : std::nullopt);
      for (const std::string& line : report.lines) out << line << '\n';
      out << "問題 " << report.problems << " 件、警告 " << report.warnings << " 件\n";
      return report.problems > 0 ? ExitFailed : ExitDone;
    }
  } catch (const RuntimeError& e) {
    err << "nk-masters: " << e.what() << '\n';
    return ExitFailed;
  }
  return ExitDone;
}

}  // namespace nk
