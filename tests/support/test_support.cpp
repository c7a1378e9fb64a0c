// test_support.cpp - fresh working folders, the recording toolkit, file helpers
// (what is the same on every platform).
#include "test_support.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace nk::test {

TempWorkDir::TempWorkDir() : previous_(std::filesystem::current_path()) {
  std::random_device rd;
  const auto base = std::filesystem::temp_directory_path();
  do {
    dir_ = base / ("nk-test-" + std::to_string(rd()));
  } while (!std::filesystem::create_directory(dir_));
  std::filesystem::current_path(dir_);
}

TempWorkDir::~TempWorkDir() {
  std::error_code ec;
  std::filesystem::current_path(previous_, ec);
  // Read-only leftovers of a test must not stop the clean-up.
  for (auto& entry : std::filesystem::recursive_directory_iterator(dir_, ec))
    std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(dir_, ec);
}

void RecordingToolkit::messageBox(const std::string& text, const std::string& title, MsgIcon icon) {
  boxes.push_back({text, title, icon});
  calls.push_back("box:" + title);
  if (onBox) onBox(boxes.back());
}

void RecordingToolkit::yield() {
  ++yields;
  calls.push_back("yield");
  if (onYield) onYield();
}

void RecordingToolkit::setStatusText(const std::string& text) {
  statusTexts.push_back(text);
  calls.push_back("status:" + text);
  Toolkit::setStatusText(text);
}

std::size_t RecordingToolkit::ask(const Question& question) {
  questions.push_back(question);
  calls.push_back("ask:" + question.title);
  if (onQuestion) onQuestion(question);
  std::size_t chosen = question.escapeButton;
  if (!answers.empty()) {
    const auto offered = std::find(question.buttons.begin(), question.buttons.end(), answers.front());
    if (offered != question.buttons.end()) chosen = static_cast<std::size_t>(offered - question.buttons.begin());
    answers.pop_front();
  }
  return chosen;
}

void RecordingToolkit::endProgram(int code) {
  ended = true;
  exitCode = code;
  calls.push_back("end");
  throw ProgramEnded{code};
}

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void writeSparse(const std::string& path, const std::string& head, std::uintmax_t size) {
  writeBytes(utf8Path(path), head);
  std::filesystem::resize_file(utf8Path(path), size);
}

std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

std::filesystem::path utf8Path(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::vector<std::string> namesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::u8string name = entry.path().filename().u8string();
    names.emplace_back(name.begin(), name.end());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> logMessages(const std::filesystem::path& log) {
  const std::string text = fromCp932(readBytes(log));
  static const std::regex stamp(R"(^\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2} )");
  std::vector<std::string> messages;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    std::smatch m;
    if (std::regex_search(line, m, stamp)) messages.push_back(m.suffix());
    start = end + 2;
  }
  return messages;
}

}  // namespace nk::test
