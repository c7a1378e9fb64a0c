// import_journal_fuzz.cpp - the next start's finishing of an import on any
// journal: raw bytes as the journal's file, or (an odd first byte) a journal
// that the writer makes of lines naming paths. Nothing but the player's own
// files is ever written, each with the journal's new bytes, and only when
// every path it orders is one of them.
#include "archive/import_journal.h"
#include "archive/player_files.h"
#include "fuzz_support.h"
#include "platform/file_replace.h"
#include "platform/native_file.h"

#include <unistd.h>

#include <filesystem>
#include <map>

using namespace nk;
using fuzz::require;
namespace fs = std::filesystem;

namespace {

// Every file under the working folder, by its path with "/".
std::map<std::string, std::string> filesHere() {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(".")) {
    if (!entry.is_regular_file()) continue;
    std::string bytes, cause;
    const std::string path = fs::relative(entry.path(), ".").generic_string();
    readWholeFile(path, bytes, cause);
    files[path] = bytes;
  }
  return files;
}

// "N<path>": ordered, with new bytes; "O<path>": ordered without them;
// "X<name>": a file of the journal that no line orders.
std::string journalOf(std::string_view text) {
  DataFiles journal{{}, {}};
  std::string order;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (line.size() < 2) continue;
    const std::string path(line.substr(1));
    if (line[0] == 'N' || line[0] == 'O') order += path + "\r\n";
    if (line[0] == 'N') journal.files["new/" + path] = "new bytes of " + path;
    if (line[0] == 'X') journal.files[path] = "x";
  }
  journal.files["order.txt"] = order;
  return dataZipBytes(journal);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const fs::path home = [] {
    const fs::path folder = fs::temp_directory_path() / ("nk-journal-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    fs::current_path(folder);
    return folder;
  }();
  for (const auto& entry : fs::directory_iterator(home)) fs::remove_all(entry.path());

  const std::string_view input = fuzz::bytesOf(data, size);
  const bool structured = size > 0 && (data[0] & 1);
  const std::string journal = structured ? journalOf(input.substr(1)) : std::string(input);
  if (!replaceFileContents(ImportJournalName, journal).ok) return 0;

  const ReadDataZip expected = readDataZip(journal, JournalBounds);
  const std::string said = finishPendingImport();
  const std::map<std::string, std::string> after = filesHere();
  const bool stuck = said.starts_with("前回中断したデータの読み込みを終えられません。");
  require(said.empty() || stuck || said == "前回中断したデータの読み込みを終えました。", "finished, or nothing to finish");
  require(after.contains(ImportJournalName) == stuck, "the journal is gone once read, unless a file could not be written");
  for (const auto& [path, bytes] : after) {
    if (path == ImportJournalName) continue;
    require(playerFileAt(path) != nullptr, "only the player's own files are written");
    require(expected.data && expected.data->files.contains("new/" + path) &&
                bytes == expected.data->files.at("new/" + path),
            "each with the journal's new bytes");
  }
  if (said.empty()) require(after.empty(), "nothing written when nothing was finished");
  return 0;
}
