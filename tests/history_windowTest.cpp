// history_windowTest.cpp - the history end to end on real widgets against a
// loopback server: saves add records, the window "記録の推移" shows them as
// chart points and list rows, follows later saves, and a history that cannot
// be written costs a warning but never the score file. The chart on its own:
// its axes' labels, the label at the mouse, and a long history drawn.
#include "ui/history_window.h"
#include "data/improvement_log.h"
#include "data/score_file.h"
#include "data/total_history.h"
#include "score_sheet_fixture.h"
#include "history/history_view.h"
#include "ui/breakdown_window.h"
#include "ui/history_chart.h"
#include "ui/improvements_tab.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QRegularExpression>

#include <cstdlib>
#include <unistd.h>

namespace nk {
namespace {

namespace fs = std::filesystem;

constexpr const char* HistoryFile = "ac13history.csv";
const std::string Failure = "ファイル ac13history.csv に記録を書き込めません（";
const std::string StillSaved = "）。点数は保存されています。";

class HistoryWindowTest : public test::ScoreSheetFixture {
protected:
  // Eight J-POP songs, two charts of each level 7, 8, 9, 10 in that order,
  // every one a target: every chart counts, so the total is the sum of all
  // scores and row r of page 1 is level 7 + r / 2.
  frmACScore* openSheet() {
    ::setenv("TZ", "Asia/Tokyo", 1);
    ::tzset();
    std::vector<test::Song> songs;
    std::vector<test::Entry> entries;
    std::vector<test::Target> targets;
    const char* levels[] = {"abc7efg-", "abc8efg-", "abc9efg-", "abcTefg-"};
    for (int i = 0; i < 8; ++i) {
      songs.push_back({"S" + std::to_string(i), "J-POP"});
      entries.push_back({i + 1, levels[i / 2]});
      targets.push_back({i + 1, "0"});
    }
    serveMasters(113, songs, entries, targets);
    return open(113);
  }

  // The values of a line that the chart was laid out with.
  static std::vector<int64_t> ys(HistoryWindow* window, int series) {
    std::vector<int64_t> out;
    for (const HistoryRecord& e : *window->chart()->plotLayout().records) out.push_back(historySeriesValue(e, series));
    return out;
  }

  // The row's cells after the time, with the number of rows.
  static std::string cells(HistoryWindow* window, int row) {
    const QAbstractItemModel* model = window->list()->model();
    std::string out = std::to_string(model->rowCount()) + " rows;";
    for (int c = 1; c < model->columnCount(); ++c)
      out += " " + model->index(row, c).data().toString().toStdString();
    return out;
  }

  void save(frmACScore* sheet) {
    tk.boxes.clear();
    QTest::mouseClick(sheet->btnSave(), Qt::LeftButton);
  }
};

TEST_F(HistoryWindowTest, SavesBecomePointsOfTheChart) {
  frmACScore* sheet = openSheet();
  ASSERT_NE(sheet, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
  sheet->txtScore(0)->setText("1000");  // level 7
  save(sheet);
  sheet->txtScore(2)->setText("2000");  // level 8
  save(sheet);
  save(sheet);  // unchanged: no record
  ASSERT_EQ(tk.boxes.size(), 1u);
  EXPECT_EQ(tk.boxes[0].title, "保存完了");

  const auto records = readRecentHistory(HistoryFile).records;
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(test::readBytes(HistoryFile).rfind("\xEF\xBB\xBF" + std::string(HistoryHeader), 0), 0u);
  EXPECT_EQ(historyLine(records[1]).substr(25), ",3000,1000,2000,0,0,2\r\n");
  EXPECT_EQ(records[1].time.offset, std::chrono::hours{9});

  QTest::keyClick(sheet, Qt::Key_H, Qt::ControlModifier);
  auto* window = sheet->findChild<HistoryWindow*>();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), "記録の推移");
  HistoryChart* chart = window->chart();
  EXPECT_EQ(chart->title(), "総合得点の推移");
  const auto& shown = *chart->plotLayout().records;
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].time, records[0].time);
  EXPECT_EQ(shown[1].time, records[1].time);
  EXPECT_EQ(ys(window, HistoryChart::Total), (std::vector<int64_t>{1000, 3000}));
  EXPECT_EQ(ys(window, HistoryChart::Level7), (std::vector<int64_t>{1000, 1000}));
  EXPECT_EQ(ys(window, HistoryChart::Level8), (std::vector<int64_t>{0, 2000}));
  EXPECT_EQ(ys(window, HistoryChart::Level10), (std::vector<int64_t>{0, 0}));
  ASSERT_EQ(cells(window, 0), "2 rows; 3,000 +2,000 1,000 2,000 0 0 2");
  QStringList headers;
  for (int c = 0; c < window->list()->model()->columnCount(); ++c)
    headers << window->list()->model()->headerData(c, Qt::Horizontal).toString();
  EXPECT_EQ(headers, (QStringList{"日時", "総合得点", "増減", "☆7", "☆8", "☆9", "☆10", "入力済み譜面"}));
  EXPECT_EQ(cells(window, 1), "2 rows; 1,000  1,000 0 0 0 1");
  EXPECT_FALSE(window->note()->isVisible());

  // While it is open, a save adds its point, a level-10 score of 1,234,567.
  sheet->txtScore(6)->setText("1234567");
  save(sheet);
  EXPECT_EQ(ys(window, HistoryChart::Total), (std::vector<int64_t>{1000, 3000, 1237567}));
  EXPECT_EQ(ys(window, HistoryChart::Level10), (std::vector<int64_t>{0, 0, 1234567}));
  EXPECT_EQ(cells(window, 0), "3 rows; 1,237,567 +1,234,567 1,000 2,000 0 1,234,567 3");

  // A click on a legend entry switches its line off and on again; the
  // entry stays where it was.
  const char* const names[] = {"総合得点", "☆7", "☆8", "☆9", "☆10"};
  for (int s = 0; s < HistoryChart::SeriesCount; ++s) EXPECT_EQ(chart->seriesName(s), names[s]);
  const QRect entry = chart->plotLayout().legend[HistoryChart::Level9];
  ASSERT_TRUE(chart->rect().contains(entry));
  QTest::mouseClick(chart, Qt::LeftButton, {}, entry.center());
  EXPECT_FALSE(chart->isSeriesVisible(HistoryChart::Level9));
  EXPECT_EQ(chart->plotLayout().legend[HistoryChart::Level9], entry);
  EXPECT_TRUE(chart->isSeriesVisible(HistoryChart::Total));
  QTest::mouseClick(chart, Qt::LeftButton, {}, entry.center());
  EXPECT_TRUE(chart->isSeriesVisible(HistoryChart::Level9));

  ASSERT_TRUE(window->saveChartImage("chart.png"));
  QImage image("chart.png");
  EXPECT_EQ(image.size(), chart->size());

  // The context menu's entry raises the same window.
  auto* action = sheet->findChild<QAction*>("actHistory");
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->text(), "記録の推移…");
  window->close();
  action->trigger();
  EXPECT_EQ(sheet->findChildren<HistoryWindow*>().size(), 1);
  EXPECT_TRUE(window->isVisible());

  // It closes with the sheet; the score file is as the sheet saved it.
  const std::string scoreBytes = scoreFileText(sheet->state());
  QPointer<HistoryWindow> alive(window);
  sheet->close();
  test::runDeferredDeletes();
  EXPECT_TRUE(alive.isNull() || !alive->isVisible());
  EXPECT_EQ(test::readBytes("ac13score.csv"), scoreBytes);
}

TEST_F(HistoryWindowTest, OnePointAndASentenceBeforeTheSecondSave) {
  frmACScore* sheet = openSheet();
  ASSERT_NE(sheet, nullptr);
  sheet->findChild<QAction*>("actHistory")->trigger();
  auto* window = sheet->findChild<HistoryWindow*>();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->chart()->plotLayout().records->empty());
  EXPECT_EQ(window->note()->text(), "保存するたびに点が増えます。");
  sheet->txtScore(1)->setText("500");
  save(sheet);
  EXPECT_EQ(ys(window, HistoryChart::Total), std::vector<int64_t>{500});
  EXPECT_TRUE(window->chart()->plotLayout().markers);
  EXPECT_EQ(window->note()->text(), "保存するたびに点が増えます。");
  EXPECT_TRUE(window->note()->isVisibleTo(window));
}

TEST_F(HistoryWindowTest, AHistoryThatCannotBeWrittenKeepsTheSave) {
  struct Case {
    const char* name;
    std::function<void()> make;
    bool unprivileged;
    std::string cause;
  } cases[] = {
      {"a folder of that name", [] { fs::create_directory(HistoryFile); }, false, "同じ名前のフォルダーがあります"},
      {"read-only file",
       [] {
         test::writeBytes(HistoryFile, "");
         fs::permissions(HistoryFile, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
       },
       true, "読み取り専用のファイルです"},
      {"another user's file",
       [] {
         test::writeBytes(HistoryFile, "");
         fs::permissions(HistoryFile, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                          fs::perms::others_read);
       },
       true, "アクセスが拒否されました"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::destroyAllWindows();
    fs::remove("ac13score.csv");
    fs::remove_all(HistoryFile);
    c.make();
    frmACScore* sheet = openSheet();
    ASSERT_NE(sheet, nullptr);
    sheet->txtScore(0)->setText("4321");
    auto body = [&] {
      save(sheet);
      std::string text;
      for (const auto& box : tk.boxes) text += "box " + box.title + ": " + box.text + "\n";
      text += sheet->hasUnsavedScores() ? "unsaved" : "saved";
      text += test::readBytes("ac13score.csv") == scoreFileText(sheet->state()) ? "; file right" : "; file wrong";
      return text;
    };
    std::string report;
    if (c.unprivileged) {
      fs::permissions(".", fs::perms::all);
      const auto out = test::unprivilegedOutput(body);
      fs::permissions(".", fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
      if (!out) GTEST_SKIP() << "cannot run a child without root rights";
      report = *out;
    } else {
      report = body();
      EXPECT_EQ(test::logMessages().back(), Failure + c.cause + StillSaved);
    }
    EXPECT_EQ(report, "box 保存完了: 保存完了\nbox 記録の保存失敗: " + Failure + c.cause + StillSaved + "\nsaved; file right");
  }
}

// Three saves of one evening, the lines apart: the time axis reads times of
// day, no two labels alike or touching; the value axis ends above the highest
// total; the mouse on a point shows its line, value and time, the time as the
// record was written even after the machine's time zone changed.
TEST(HistoryChart, AnEveningOfSavesWithTheMouseOnAPoint) {
  test::setTimeZone("Asia/Tokyo");
  HistoryChart chart;
  chart.resize(740, 380);
  std::vector<HistoryRecord> records;
  for (const char* line : {"2026-05-09T20:14:37+09:00,1000000,100000,200000,300000,400000,4",
                           "2026-05-09T21:02:00+09:00,1200000,150000,250000,350000,450000,4",
                           "2026-05-09T22:30:00+09:00,1237567,150000,250000,350000,487567,4"})
    records.push_back(parseHistoryLine(line).value());
  chart.setView(historyViewOf(records, 0));
  const QRegularExpression timeOfDay("^[0-2][0-9]:[0-5][0-9]$");
  const auto times = chart.plotLayout().timeLabels;
  ASSERT_GE(times.size(), 3);
  for (qsizetype i = 0; i < times.size(); ++i) {
    SCOPED_TRACE(times[i].text.toStdString());
    EXPECT_TRUE(timeOfDay.match(times[i].text).hasMatch());
    EXPECT_TRUE(chart.rect().contains(times[i].rect));
    if (i > 0) {
      EXPECT_LT(times[i - 1].rect.right(), times[i].rect.left());
    }
  }
  // The value axis's steps are plot_ticksTest's; here only that its labels stand apart.
  const auto values = chart.plotLayout().valueLabels;
  ASSERT_GE(values.size(), 3);
  EXPECT_GE(QString(values.back().text).remove(',').toLongLong(), 1237567);
  for (qsizetype i = 1; i < values.size(); ++i) EXPECT_LT(values[i].rect.bottom(), values[i - 1].rect.top());

  chart.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
  auto pointAt = [&](int series, size_t index) { return chart.plotLayout().pointOf(index, series).toPoint(); };
  EXPECT_EQ(chart.hoverText(), "");
  QTest::mouseMove(&chart, pointAt(HistoryChart::Level9, 1) + QPoint(3, -2));
  EXPECT_EQ(chart.hoverText(), "☆9 350,000\n2026-05-09 21:02");
  QTest::mouseMove(&chart, pointAt(HistoryChart::Total, 2));
  EXPECT_EQ(chart.hoverText(), "総合得点 1,237,567\n2026-05-09 22:30");
  test::setTimeZone("Europe/Berlin");
  QTest::mouseMove(&chart, pointAt(HistoryChart::Level9, 1));
  EXPECT_EQ(chart.hoverText(), "☆9 350,000\n2026-05-09 21:02");
  chart.setSeriesVisible(HistoryChart::Level9, false);
  EXPECT_EQ(chart.hoverText(), "");
  QTest::mouseMove(&chart, pointAt(HistoryChart::Level9, 1));
  EXPECT_EQ(chart.hoverText(), "");
}

// Ten thousand hourly saves with one spike in the total: drawn at most a
// point per pixel column, the spike is still there, in the total's colour,
// and the mouse on it finds it among the many points of its column.
TEST(HistoryChart, ALongHistoryKeepsItsPeak) {
  std::vector<HistoryRecord> records(10000);
  for (size_t i = 0; i < records.size(); ++i) {
    HistoryRecord& r = records[i];
    r.time = {std::chrono::sys_seconds{std::chrono::hours{490896 + i}}, std::chrono::hours{9}};
    r.levelSums = {1000000 + static_cast<int64_t>(i), 0, 0, 0};
    r.total = i == 4321 ? 3000000 : r.levelSums[0];
  }
  HistoryChart chart;
  chart.resize(740, 380);
  chart.setView(historyViewOf(records, 0));
  EXPECT_FALSE(chart.plotLayout().markers);
  const QImage image = chart.grab().toImage();
  const QPoint spike = chart.plotLayout().pointOf(4321, HistoryChart::Total).toPoint();
  EXPECT_EQ(image.pixelColor(spike), QColor(0x209fdf));
  EXPECT_EQ(image.pixelColor(spike + QPoint(0, -8)), QColor(Qt::white));
  chart.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
  QTest::mouseMove(&chart, spike + QPoint(0, 3));
  EXPECT_EQ(chart.hoverText(), "総合得点 3,000,000\n2026-06-30 10:00");
}

// Totals and level sums at the ends of what 30 charts of 32-bit scores give,
// a level's sum above the total and lines below 0: every point inside the
// plot, the value axis labelled down to the lowest and up to the highest.
TEST(HistoryChart, TheLargestAndTheSmallestValuesStayInThePlot) {
  const struct Case {
    const char* name;
    std::vector<const char*> lines;
    int64_t lowest, highest;
  } cases[] = {
      {"the smallest", {"2026-05-09T20:00:00+09:00,-64424509440,-47244640256,-15032385536,0,-2147483648,30",
                        "2026-05-09T21:00:00+09:00,-64424509439,-47244640255,-15032385536,0,-2147483648,30"},
       -64424509440, 1},
      {"a level above the total", {"2026-05-09T20:00:00+09:00,1000,2147483647,-2147482647,0,0,2",
                                   "2026-05-09T21:00:00+09:00,2000,2147483647,-2147481647,0,0,2"},
       -2147482647, 2147483647},
      {"the largest", {"2026-05-09T20:00:00+09:00,64424509410,47244640234,15032385529,2147483647,0,30",
                       "2026-05-09T21:00:00+09:00,64424509410,47244640234,15032385529,2147483647,0,30"},
       0, 64424509410},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<HistoryRecord> records;
    for (const char* line : c.lines) records.push_back(parseHistoryLine(line).value());
    HistoryChart chart;
    chart.resize(740, 380);
    chart.setView(historyViewOf(records, 0));
    const HistoryPlotLayout& l = chart.plotLayout();
    for (size_t i = 0; i < records.size(); ++i)
      for (int series = 0; series < HistoryChart::SeriesCount; ++series) {
        const QPointF at = l.pointOf(i, series);
        EXPECT_GE(at.y(), l.plot.top()) << series;
        EXPECT_LE(at.y(), l.plot.bottom() + 1) << series;
      }
    const auto labels = l.valueLabels;
    ASSERT_GE(labels.size(), 2);
    EXPECT_LE(QString(labels.front().text).remove(',').toLongLong(), c.lowest);
    EXPECT_GE(QString(labels.back().text).remove(',').toLongLong(), c.highest);
    for (qsizetype i = 1; i < labels.size(); ++i) EXPECT_LT(labels[i].rect.bottom(), labels[i - 1].rect.top());
    for (const auto& label : labels) EXPECT_TRUE(chart.rect().contains(label.rect)) << label.text.toStdString();
  }
}

// The log of improvements end to end: the tooltips from the log as it was,
// a save's records of ups and downs, the tab "更新履歴" with its period and
// double click, the breakdown's "更新日", and a log that cannot be written.
TEST_F(HistoryWindowTest, EveryChangedChartIsRememberedAndShown) {
  ::setenv("TZ", "Asia/Tokyo", 1);
  ::tzset();
  serveMasters(113, {{"S0", "J-POP"}, {"S1", "J-POP"}, {"S2", "J-POP"}},
               {{1, "abc7efg9"}, {2, "abc8efg-"}, {3, "abcTefg-"}}, {{1, "0"}, {1, "1"}, {2, "0"}, {3, "0"}});
  const std::string header = std::string(ImprovementHeader) + "\r\n";
  const std::string old = "2026-11-02T20:41:00+09:00,2,表,700000,712345\r\n";
  test::writeBytes("ac13score.csv", "2,712345,0\r\n\r\n");
  test::writeBytes("ac13improvements.csv", header + old);
  frmACScore* sheet = open(113);
  ASSERT_NE(sheet, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
  EXPECT_EQ(sheet->txtScore(1)->toolTip(), "2026-11-02 更新（+12,345）");
  EXPECT_EQ(sheet->txtScore(0)->toolTip(), "");

  sheet->txtScore(0)->setText("1000");
  sheet->txtScoreU(0)->setText("2000");
  sheet->txtScore(1)->setText("700000");  // a typo mended
  save(sheet);
  save(sheet);  // unchanged: no record
  const auto records = readRecentImprovements("ac13improvements.csv").records;
  ASSERT_EQ(records.size(), 4u);
  const Moment saved{records[1].time.utc, std::chrono::hours{9}};
  EXPECT_EQ(records, (std::vector<Improvement>{records[0], {saved, 1, Chart::Normal, 0, 1000}, {saved, 1, Chart::Ura, 0, 2000},
                                               {saved, 2, Chart::Normal, 712345, 700000}}));
  const std::string today = QDate::currentDate().toString(Qt::ISODate).toStdString();
  EXPECT_EQ(sheet->txtScoreU(0)->toolTip().toStdString(), today + " 更新（+2,000）");
  EXPECT_EQ(sheet->txtScore(1)->toolTip().toStdString(), today + " 更新（-12,345）");

  QTest::keyClick(sheet, Qt::Key_H, Qt::ControlModifier);
  auto* window = sheet->findChild<HistoryWindow*>();
  ASSERT_NE(window, nullptr);
  ImprovementsTab* tab = window->improvements();
  ASSERT_NE(tab, nullptr);
  EXPECT_EQ(window->tabs()->tabText(1), "更新履歴");
  const QAbstractItemModel* list = tab->list()->model();
  auto row = [&](int r) {
    QStringList cells;
    for (int c = 1; c < list->columnCount(); ++c) cells << list->index(r, c).data().toString();
    return cells.join('|').toStdString();
  };
  EXPECT_EQ(list->rowCount(), 4);
  EXPECT_EQ(row(0), "S1|表|8|712,345 → 700,000|-12,345");
  EXPECT_EQ(row(3), "S1|表|8|700,000 → 712,345|+12,345");
  EXPECT_EQ(tab->summary()->text(), "更新した譜面 3　点数の増減 +3,000");
  tab->setPeriod(ImprovementPeriod::Today);
  EXPECT_EQ(list->rowCount(), 3);
  EXPECT_EQ(tab->summary()->text(), "更新した譜面 3　点数の増減 -9,345");

  // A double click puts the cursor in the chart's own box, the 裏 one here.
  tab->list()->doubleClicked(list->index(1, 0));
  EXPECT_EQ(QApplication::focusWidget(), sheet->txtScoreU(0));

  QTest::keyClick(sheet, Qt::Key_B, Qt::ControlModifier);
  auto* breakdown = sheet->findChild<BreakdownWindow*>();
  ASSERT_NE(breakdown, nullptr);
  const QAbstractItemModel* level7 = breakdown->model(0);
  EXPECT_EQ(level7->headerData(ColChanged, Qt::Horizontal).toString(), "更新日");
  EXPECT_EQ(level7->index(0, ColChanged).data().toString().toStdString(), today);

  // A log that cannot be written costs a warning after "保存完了", never the save.
  fs::permissions("ac13improvements.csv", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  sheet->txtScore(2)->setText("5");
  save(sheet);
  ASSERT_EQ(tk.boxes.size(), 2u);
  EXPECT_EQ(tk.boxes[0].text, "保存完了");
  EXPECT_EQ(tk.boxes[1].text, "ファイル ac13improvements.csv に記録を書き込めません（読み取り専用のファイルです）。点数は保存されています。");
  EXPECT_EQ(test::readBytes("ac13score.csv"), scoreFileText(sheet->state()));
  EXPECT_EQ(readRecentImprovements("ac13improvements.csv").records.size(), 4u);
}

}  // namespace
}  // namespace nk
