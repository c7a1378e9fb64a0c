// data_mergeTest.cpp - an import's plan against what this PC holds: the
// scores chart by chart (the later change where both logs say when, else the
// higher score), the logs joined once each in time order, the target and the
// kept master lists; files that cannot be read refuse it.
#include "archive/data_merge.h"
#include "archive/data_zip.h"
#include "data/display_text.h"
#include "data/improvement_log.h"
#include "data/total_history.h"

#include <gtest/gtest.h>

namespace nk {
namespace {

constexpr std::string_view Bom = "\xEF\xBB\xBF";

Moment at(int minute) {
  return {std::chrono::sys_seconds{std::chrono::seconds{1'796'000'000 + 60 * minute}}, std::chrono::hours{9}};
}

std::string improvements(const std::vector<Improvement>& records) {
  std::string text = std::string(Bom) + ImprovementHeader + "\r\n";
  for (const Improvement& r : records) text += improvementLine(r);
  return text;
}

HistoryRecord totalAt(int minute, int64_t total) {
  HistoryRecord record;
  record.total = total;
  record.time = at(minute);
  return record;
}

// A complete kept set of master lists received at that minute.
void keptSet(DataFiles& data, int16_t v, int minute, const std::string& content) {
  const std::string folder = "masters/ac" + std::to_string(v) + "/";
  std::string stamp = "received," + isoText(at(minute)) + "\r\n";
  for (const char* name : {"songlist.dat", "srlist.dat", "versionlist.dat", "version.dat"}) {
    const std::string bytes = content + name;
    data.files[folder + name] = bytes;
    stamp += std::string(name) + "," + std::to_string(bytes.size()) + "," + checkSumText(bytes) + "\r\n";
  }
  data.files[folder + "received.txt"] = stamp;
}

const std::string* written(const ImportPlan& plan, const std::string& path) {
  for (const auto& [p, bytes] : plan.writes)
    if (p == path) return &bytes;
  return nullptr;
}

TEST(DataMerge, EachChartTakesTheLaterChangeOrElseTheHigherScore) {
  // entry: this PC, the zip, and what each log says of it (minute, score after)
  const Improvement ours[] = {{at(10), 1, Chart::Normal, 0, 500000},  {at(30), 2, Chart::Normal, 0, 700000},
                              {at(30), 3, Chart::Normal, 0, 800000},  {at(40), 6, Chart::Normal, 0, 450000},  // not the file's score
                              {at(15), 8, Chart::Normal, 0, 100000}};
  const Improvement theirs[] = {{at(20), 1, Chart::Normal, 0, 600000}, {at(20), 2, Chart::Normal, 0, 600000},
                                {at(20), 3, Chart::Normal, 0, 900000}, {at(20), 6, Chart::Normal, 0, 600000},
                                {at(15), 8, Chart::Normal, 0, 200000}, {at(10), 1, Chart::Normal, 0, 500000}};
  DataFiles here{at(50), {{"ac13score.csv", "1,500000,0\r\n2,700000,0\r\n3,800000,0\r\n4,500000,0\r\n"
                                            "5,500000,0\r\n6,500000,0\r\n8,100000,0\r\n\r\n"},
                          {"ac13improvements.csv", improvements({std::begin(ours), std::end(ours)})}}};
  DataFiles zip{at(60), {{"ac13score.csv", "1,600000,0\r\n2,600000,0\r\n3,900000,0\r\n4,600000,0\r\n"
                                           "5,400000,0\r\n6,600000,0\r\n7,0,123456\r\n8,200000,0\r\n\r\n"},
                         {"ac13improvements.csv", improvements({std::begin(theirs), std::end(theirs)})}}};
  const ImportPlan plan = planImport(zip, here);
  ASSERT_EQ(plan.failure, "");
  using R = ChangeReason;
  const std::vector<ChartChange> expected = {
      {13, 1, Chart::Normal, "", 500000, 600000, R::LaterChange},  {13, 4, Chart::Normal, "", 500000, 600000, R::HigherScore},
      {13, 6, Chart::Normal, "", 500000, 600000, R::HigherScore},  // this PC's log ends elsewhere: it does not say when
      {13, 8, Chart::Normal, "", 100000, 200000, R::HigherScore},  // the same minute: the higher score
      {13, 7, Chart::Ura, "", 0, 123456, R::HigherScore}};
  EXPECT_EQ(plan.changes, expected);
  EXPECT_EQ(plan.chartsKept, 3u);  // 2 and 3 changed later here; 5 is higher here
  ASSERT_TRUE(written(plan, "ac13score.csv"));
  EXPECT_EQ(*written(plan, "ac13score.csv"), "1,600000,0\r\n2,700000,0\r\n3,800000,0\r\n4,600000,0\r\n"
                                              "5,500000,0\r\n6,600000,0\r\n7,0,123456\r\n8,200000,0\r\n\r\n");
  // Every record once, in time order: the zip's copy of this PC's first one is not added again.
  std::vector<Improvement> all = {ours[0], ours[4], theirs[4], theirs[0], theirs[1], theirs[2], theirs[3],
                                  ours[1], ours[2], ours[3]};
  ASSERT_TRUE(written(plan, "ac13improvements.csv"));
  EXPECT_EQ(*written(plan, "ac13improvements.csv"), improvements(all));
  EXPECT_EQ(plan.notes, (std::vector<std::string>{"AC13 点数: 5 譜面を変えます", "AC13 更新履歴: 5 件を加えます"}));
  EXPECT_EQ(changeCells(plan.changes[4]), (std::vector<std::string>{"AC13", "曲番号 7", "裏", "0", "123,456", "高い点数"}));

  // The same zip again, once it is in: nothing to do.
  for (const auto& [path, bytes] : plan.writes) here.files[path] = bytes;
  const ImportPlan again = planImport(zip, here);
  EXPECT_TRUE(again.writes.empty());
  EXPECT_TRUE(again.changes.empty());
  EXPECT_NE(importSummary(again, zip).find("何も変わりません。"), std::string::npos);
}

TEST(DataMerge, HistoriesJoinTargetsStayMastersTakeTheLaterSet) {
  DataFiles here{at(50), {{"ac12history.csv", std::string(Bom) + HistoryHeader + "\r\n" + historyLine(totalAt(10, 5)) +
                                                  historyLine(totalAt(30, 7))},
                          {"ac12target.txt", "1300000\r\n"}}};
  keptSet(here, 12, 100, "ours");
  keptSet(here, 14, 100, "ours");
  DataFiles zip{at(60), {{"ac12history.csv", historyLine(totalAt(20, 6)) + historyLine(totalAt(10, 5)) + "2026-12"},
                         {"ac12target.txt", "1400000\r\n"},
                         {"ac14target.txt", "900000\r\n"}}};
  keptSet(zip, 12, 90, "theirs");   // older: this PC's stays
  keptSet(zip, 14, 110, "theirs");  // newer: taken whole, its stamp last
  const ImportPlan plan = planImport(zip, here);
  ASSERT_EQ(plan.failure, "");
  ASSERT_TRUE(written(plan, "ac12history.csv"));
  EXPECT_EQ(*written(plan, "ac12history.csv"), std::string(Bom) + HistoryHeader + "\r\n" + historyLine(totalAt(10, 5)) +
                                                   historyLine(totalAt(20, 6)) + historyLine(totalAt(30, 7)));
  EXPECT_FALSE(written(plan, "ac12target.txt"));
  EXPECT_EQ(*written(plan, "ac14target.txt"), "900000\r\n");
  EXPECT_FALSE(written(plan, "masters/ac12/songlist.dat"));
  std::vector<std::string> paths;
  for (const auto& [path, bytes] : plan.writes) paths.push_back(path);
  EXPECT_EQ(paths, (std::vector<std::string>{"ac12history.csv", "masters/ac14/songlist.dat", "masters/ac14/srlist.dat",
                                             "masters/ac14/versionlist.dat", "masters/ac14/version.dat",
                                             "masters/ac14/received.txt", "ac14target.txt"}));
  EXPECT_EQ(*written(plan, "masters/ac14/srlist.dat"), "theirssrlist.dat");
  EXPECT_EQ(plan.notes[0], "AC12 記録の推移: 1 件を加えます");
  EXPECT_EQ(plan.notes[1], "AC12 目標総合得点: このPCの目標を残します");
  EXPECT_EQ(plan.notes[3], "AC14 目標総合得点: 読み込むデータの目標にします");

  // One's own export imported again: kept lists received at the same moment
  // as this PC's change nothing, and the summary says so.
  DataFiles own{at(50), {}};
  keptSet(own, 13, 100, "ours");
  const DataFiles export_{at(60), own.files};
  const ImportPlan same = planImport(export_, own);
  ASSERT_EQ(same.failure, "");
  EXPECT_TRUE(same.writes.empty());
  EXPECT_TRUE(same.notes.empty());
  EXPECT_NE(importSummary(same, export_).find("何も変わりません。"), std::string::npos);
}

// A PC whose log has two saves of one chart in the same second and a line
// copied twice by hand, read against zips that differ from it in one way each.
TEST(DataMerge, ALogsTiesAndCopiesAndAnEqualTargetChangeNothing) {
  const Improvement first{at(20), 1, Chart::Normal, 0, 800000}, second{at(20), 1, Chart::Normal, 800000, 810000};
  const DataFiles own{at(50), {{"ac13score.csv", "1,810000,0\r\n\r\n"},
                               {"ac13improvements.csv", improvements({first, second, second})},
                               {"ac13target.txt", "3000000\r\n"}}};
  const ImportPlan same = planImport(own, own);
  EXPECT_TRUE(same.writes.empty() && same.notes.empty());

  // Higher in the zip, but changed earlier there: the later of this PC's two records of the same second says when.
  DataFiles higher = own;
  higher.files["ac13score.csv"] = "1,900000,0\r\n\r\n";
  higher.files["ac13improvements.csv"] = improvements({{at(10), 1, Chart::Normal, 0, 900000}});
  const ImportPlan kept = planImport(higher, own);
  EXPECT_TRUE(kept.changes.empty());
  EXPECT_EQ(kept.chartsKept, 1u);

  // Only a record of the history more: no chart changes, yet the summary says what is added.
  DataFiles moreHistory = own;
  moreHistory.files["ac13history.csv"] = historyLine(totalAt(30, 9));
  const ImportPlan history = planImport(moreHistory, own);
  ASSERT_TRUE(history.changes.empty());
  EXPECT_EQ(importSummary(history, moreHistory), minuteText(at(50)) + " に書き出したデータです。\nAC13 記録の推移: 1 件を加えます");

  // Counts in the thousands grouped, as the window's other counts are.
  for (int minute = 100; minute < 1100; ++minute) moreHistory.files["ac13history.csv"] += historyLine(totalAt(minute, 9));
  EXPECT_EQ(planImport(moreHistory, own).notes, (std::vector<std::string>{"AC13 記録の推移: 1,001 件を加えます"}));
}

TEST(DataMerge, FilesThatCannotBeReadRefuseTheImport) {
  DataFiles broken{at(0), {}};
  keptSet(broken, 13, 5, "x");
  broken.files.erase("masters/ac13/version.dat");
  const struct {
    DataFiles zip, here;
    std::string failure;
  } cases[] = {
      {{at(0), {{"Debug.txt", "x"}}}, {at(0), {}}, "このプログラムのデータではないファイル Debug.txt があります。"},
      {{at(0), {{"ac13score.csv", "1,99999999999,0\r\n"}}}, {at(0), {}}, "zip の ac13score.csv の 1 行目"},
      {{at(0), {{"ac13score.csv", "1,5,0\r\n"}}}, {at(0), {{"ac13score.csv", "0,5,0\r\n"}}}, "このPCの ac13score.csv の 1 行目"},
      {broken, {at(0), {}}, "AC13 のマスターデータが揃っていません。zip が壊れています。"},
  };
  for (const auto& c : cases) {
    const ImportPlan plan = planImport(c.zip, c.here);
    EXPECT_TRUE(plan.failure.starts_with(c.failure)) << c.failure << " / " << plan.failure;
    EXPECT_TRUE(plan.writes.empty() && plan.changes.empty());
  }
}

}  // namespace
}  // namespace nk
