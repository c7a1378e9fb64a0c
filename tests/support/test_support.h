// test_support.h - what the tests share: a fresh working folder per test, a
// toolkit that records instead of showing, and file helpers.
#pragma once

#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nk::test {

// Changes into a new empty temporary folder for the test's lifetime.
class TempWorkDir {
public:
  TempWorkDir();
  ~TempWorkDir();
  TempWorkDir(const TempWorkDir&) = delete;
  TempWorkDir& operator=(const TempWorkDir&) = delete;
  const std::filesystem::path& path() const { return dir_; }

private:
  std::filesystem::path previous_;
  std::filesystem::path dir_;
};

// A toolkit that records every call in order. endProgram() throws ProgramEnded.
class RecordingToolkit : public Toolkit {
public:
  struct Box {
    std::string text;
    std::string title;
    MsgIcon icon;
  };
  void messageBox(const std::string& text, const std::string& title, MsgIcon icon) override;
  void yield() override;
  // Records the text, then shows it on the attached status line, if any.
  void setStatusText(const std::string& text) override;
  // Records the question and answers with the next caption of answers (the
  // escape button once none is left, or for a caption it does not offer).
  std::size_t ask(const Question& question) override;
  [[noreturn]] void endProgram(int exitCode = ExitAfterFailure) override;

  std::vector<Box> boxes;
  std::vector<std::string> statusTexts;
  std::vector<Question> questions;
  std::deque<std::string> answers;
  // Every call as one text: "box:<title>", "ask:<title>", "yield", "status:<text>", "end".
  std::vector<std::string> calls;
  int yields = 0;
  bool ended = false;
  int exitCode = -1;  // of the end, once ended
  // Called on every yield (tests that act while the program yields).
  std::function<void()> onYield;
  // Called with every box as it is shown (tests that look around at that moment).
  std::function<void(const Box&)> onBox;
  // Called with every question as it is asked.
  std::function<void(const Question&)> onQuestion;
};

// Test fixture: fresh folder and recorder installed.
class WorkDirTest : public ::testing::Test {
protected:
  TempWorkDir dir;
  RecordingToolkit tk;
  ScopedToolkit installed{tk};
};

void writeBytes(const std::filesystem::path& path, const std::string& bytes);
std::string readBytes(const std::filesystem::path& path);
// The same for a UTF-8 path, as the program's own paths are (on Windows a
// narrow path would otherwise be read in the ANSI code page).
std::filesystem::path utf8Path(std::string_view utf8);
inline void writeBytes(const std::string& path, const std::string& bytes) { writeBytes(utf8Path(path), bytes); }
inline void writeBytes(const char* path, const std::string& bytes) { writeBytes(utf8Path(path), bytes); }
inline std::string readBytes(const std::string& path) { return readBytes(utf8Path(path)); }
inline std::string readBytes(const char* path) { return readBytes(utf8Path(path)); }
// A file of size bytes that begins with head and is a hole after it (sparse
// where the file system can), so that a file of gigabytes costs no disk and
// no time to make.
void writeSparse(const std::string& path, const std::string& head, std::uintmax_t size);
// The names in a folder (in UTF-8), sorted, so that a leftover temporary file shows.
std::vector<std::string> namesIn(const std::filesystem::path& folder);
// UTF-8 text encoded to CP932 by the platform (iconv, or code page 932 of
// Windows), independently of the program's codec; and back.
std::string toCp932(const std::string& utf8);
std::string fromCp932(const std::string& cp932);

// Whether the tests run on Windows, for the cases that need what only POSIX
// systems have (root rights to drop, permission bits, /dev/full, mounts);
// they skip there and say why.
bool onWindows();

// Sets the C library's local time zone to tz, a POSIX TZ text that both C
// libraries read ("JST-9", "UTC0", "NST3:30"); nullptr or "" unsets it, and the
// system's own zone applies again.
void setTimeZone(const char* tz);

// A group id of the POSIX systems (gid_t).
using GroupId = unsigned int;
// Runs action in a child process that has no root rights (file modes then
// hold even when the tests run as root, as in CI), as user and group 65534
// with the supplementary groups given. Returns the child's exit status: 0
// when action returned, 99 when privileges could not be dropped.
int runUnprivileged(const std::function<void()>& action, const std::vector<GroupId>& groups = {});
// Runs body as runUnprivileged does and returns the text it returned (with a
// note appended when the child failed); nullopt when it could not give up root.
std::optional<std::string> unprivilegedOutput(const std::function<std::string()>& body,
                                              const std::vector<GroupId>& groups = {});
// Runs body in a child process in whose private mount namespace folder (made
// if missing) holds a tmpfs of the given size ("64k"), so that a full disk
// can be made without touching the machine. Returns the text body returned
// (with a note appended when the child failed); nullopt when the machine does
// not allow the mount (no CAP_SYS_ADMIN).
std::optional<std::string> withSmallDisk(const std::string& folder, const std::string& size,
                                         const std::function<std::string()>& body);
// Fills the file system that holds folder until a write fails.
void fillDisk(const std::string& folder);

// Switches the C library's whole locale to name ("de_DE.UTF-8") for its
// lifetime, then back to the one before. A locale the system lacks is made
// once by localedef from the locale sources into a folder below the temporary
// folder, which LOCPATH then names. active() is false when neither works.
class ScopedCLocale {
public:
  explicit ScopedCLocale(const std::string& name);
  ~ScopedCLocale();
  ScopedCLocale(const ScopedCLocale&) = delete;
  ScopedCLocale& operator=(const ScopedCLocale&) = delete;
  bool active() const { return active_; }

private:
  std::string previous_;
  bool active_ = false;
};

// The log's lines without their date-time stamps (CP932 decoded to UTF-8).
std::vector<std::string> logMessages(const std::filesystem::path& log = "Debug.txt");

}  // namespace nk::test
