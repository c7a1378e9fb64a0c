// fsync_faultsTest.cpp - saves whose flush to the disk fails: the score file's
// replacement and the history's append both fail and keep the old file.
// The seam: the test program's own fsync, which the program's calls reach before the
// C library's; it fails with EIO while failing is set. (On Windows the flush is FlushFileBuffers.)
#include "data/score_file.h"
#include "data/total_history.h"
#include "test_support.h"

#include <cerrno>
#include <dlfcn.h>

static bool failing = false;

extern "C" int fsync(int fd) {
  if (failing) {
    errno = EIO;
    return -1;
  }
  using Real = int (*)(int);
  static const auto real = reinterpret_cast<Real>(::dlsym(RTLD_NEXT, "fsync"));
  return real(fd);
}

namespace nk {
namespace {

TEST(FsyncFaults, AFailedFlushFailsTheSaveAndKeepsTheOldFile) {
  test::TempWorkDir dir;
  ScoreSheetState s;  // no scores: any text other than the old one is written
  s.VersionNumber = 13;
  s.ScoreFileName = scoreFileNameFor(13);
  const std::string oldScores = "1,5,0\r\n\r\n";
  const std::string oldHistory = std::string(HistoryHeader) + "\r\n2026-10-01T21:00:00+09:00,1000,100,200,300,400,12\r\n";
  test::writeBytes("ac13score.csv", oldScores);
  test::writeBytes("ac13history.csv", oldHistory);
  HistoryRecord record = *parseHistoryLine("2026-10-02T22:30:15+09:00,1500,150,250,500,600,15");

  failing = true;
  const FileWriteResult saved = saveScoreFile(s);
  const AppendResult appended = appendHistoryRecord("ac13history.csv", record);
  failing = false;

  EXPECT_FALSE(saved.ok);
  EXPECT_TRUE(saved.oldKept);
  EXPECT_NE(saved.failure.find("入出力エラーが発生しました"), std::string::npos) << saved.failure;
  EXPECT_EQ(test::readBytes("ac13score.csv"), oldScores);
  EXPECT_FALSE(appended.ok);
  EXPECT_EQ(appended.cause, "入出力エラーが発生しました");
  EXPECT_EQ(test::readBytes("ac13history.csv"), oldHistory);
  // No temporary file of the failed replacement stays behind.
  EXPECT_EQ(test::namesIn("."), (std::vector<std::string>{"ac13history.csv", "ac13score.csv"}));
}

}  // namespace
}  // namespace nk
