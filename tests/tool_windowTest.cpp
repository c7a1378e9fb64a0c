// tool_windowTest.cpp - a sheet's tool window on real widgets: made once,
// refreshed at once while shown, on its next opening while hidden, never for
// nothing; made anew once its sheet deleted it. That it opens within the
// screen is small_screenTest's.
#include "ui/tool_window.h"

#include <QAction>

#include <gtest/gtest.h>

#include <memory>

namespace nk {
namespace {

struct Counted {
  int made = 0;
  int refreshed = 0;
};

TEST(ToolWindow, RefreshesOnlyWhatIsShownOrOpenedStale) {
  QWidget sheet;
  QAction saved;  // stands for the sheet's signal
  Counted n;
  ToolWindow tool(
      [&] {
        ++n.made;
        auto* window = new QWidget(&sheet, Qt::Window);
        window->resize(200, 100);
        return window;
      },
      [&](QWidget&) { ++n.refreshed; }, nullptr);
  tool.staleOn(saved, &QAction::triggered);

  saved.trigger();  // before the window exists: it starts from the sheet as it is
  tool.open();
  ASSERT_NE(tool.window(), nullptr);
  EXPECT_TRUE(tool.window()->isVisible());
  EXPECT_EQ(n.made, 1);
  EXPECT_EQ(n.refreshed, 0);

  saved.trigger();  // shown: at once
  EXPECT_EQ(n.refreshed, 1);
  tool.open();  // opened again, nothing changed: raised only
  EXPECT_EQ(n.refreshed, 1);

  tool.window()->close();
  saved.trigger();
  saved.trigger();  // hidden: only marked
  EXPECT_EQ(n.refreshed, 1);
  tool.open();
  EXPECT_EQ(n.refreshed, 2);
  EXPECT_TRUE(tool.window()->isVisible());
  tool.window()->close();
  tool.open();  // not stale any more
  EXPECT_EQ(n.refreshed, 2);

  tool.markStale();  // what no signal tells, on a shown window
  EXPECT_EQ(n.refreshed, 3);
  delete tool.window();  // as the sheet deletes its tool windows
  EXPECT_EQ(tool.window(), nullptr);
  saved.trigger();
  tool.open();
  EXPECT_EQ(n.made, 2);
  EXPECT_EQ(n.refreshed, 3);
}

}  // namespace
}  // namespace nk
