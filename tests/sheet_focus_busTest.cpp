// sheet_focus_busTest.cpp - the focus after a dialog of the sheet as a screen
// reader hears it: the sheet on X with Qt's AT-SPI bridge, and a listener on
// the accessibility bus that asks the name of every control said focused.
// Run through tools/a11y-session, which provides the display and the bus.
#include "score_sheet_fixture.h"

#include <QAccessible>
#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDBusVariant>

#include <memory>
#include <vector>

namespace nk {
namespace {

// Set while static objects are made, before main starts Qt: X where there is
// a display, and Qt's AT-SPI bridge on whether or not the desktop asks for it.
const bool onX = !qEnvironmentVariableIsEmpty("DISPLAY") && qputenv("QT_QPA_PLATFORM", "xcb") &&
                 qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");

// The names of the controls that the bus reports focused, as they arrive.
class FocusListener : public QObject {
  Q_OBJECT
public:
  explicit FocusListener(const QDBusConnection& bus) : bus_(bus) {}
  QStringList heard;

public slots:
  void stateChanged(const QDBusMessage& event) {
    if (event.arguments().value(0) != "focused" || event.arguments().value(1) != 1) return;
    QDBusMessage ask = QDBusMessage::createMethodCall(event.service(), event.path(),
                                                      "org.freedesktop.DBus.Properties", "Get");
    ask << "org.a11y.atspi.Accessible" << "Name";
    // Not waited for: the program answers from this very thread.
    auto* answer = new QDBusPendingCallWatcher(bus_.asyncCall(ask), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
      QDBusPendingReply<QDBusVariant> name = *call;
      heard << (name.isValid() ? name.value().variant().toString() : name.error().message());
      call->deleteLater();
    });
  }

private:
  QDBusConnection bus_;
};

class SheetFocusBusTest : public test::ScoreSheetFixture {
protected:
  void SetUp() override {
    test::ScoreSheetFixture::SetUp();
    listen();
  }

  // Waits for the name among those heard since the last call.
  bool hears(const QString& name) {
    const bool heard = QTest::qWaitFor([&] { return listener_->heard.contains(name); }, 10000);
    if (!heard) ADD_FAILURE() << "heard only: " << listener_->heard.join(" | ").toStdString();
    listener_->heard.clear();
    return heard;
  }

  // Connects to the accessibility bus and asks it for the focus events, as a
  // screen reader does; fails saying what is missing.
  void listen() {
    ASSERT_TRUE(onX) << "no X display: run this through tools/a11y-session";
    QDBusConnection session = QDBusConnection::sessionBus();
    ASSERT_TRUE(session.isConnected()) << "no D-Bus session bus: run this through tools/a11y-session";
    // Asking starts at-spi2-core's accessibility bus where it is not running yet.
    const QDBusReply<QString> address = session.call(
        QDBusMessage::createMethodCall("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress"));
    ASSERT_TRUE(address.isValid()) << "no accessibility bus (at-spi2-core): "
                                   << address.error().message().toStdString();
    QDBusConnection bus = QDBusConnection::connectToBus(address.value(), "screen reader");
    ASSERT_TRUE(bus.isConnected()) << bus.lastError().message().toStdString();
    listener_ = std::make_unique<FocusListener>(bus);
    ASSERT_TRUE(bus.connect({}, {}, "org.a11y.atspi.Event.Object", "StateChanged", listener_.get(),
                            SLOT(stateChanged(QDBusMessage))));
    const QDBusReply<void> registered = bus.call(QDBusMessage::createMethodCall(
                                                     "org.a11y.atspi.Registry", "/org/a11y/atspi/registry",
                                                     "org.a11y.atspi.Registry", "RegisterEvent")
                                                 << "object:state-changed:focused");
    ASSERT_TRUE(registered.isValid()) << registered.error().message().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([] { return QAccessible::isActive(); }))
        << "Qt's AT-SPI bridge did not come up on the accessibility bus";
  }

  std::unique_ptr<FocusListener> listener_;
};

TEST_F(SheetFocusBusTest, TheBoxFocusedAfterADialogIsHeardByName) {
  std::vector<test::Song> songs;
  std::vector<test::Entry> entries;
  for (int i = 0; i < 23; ++i) {
    songs.push_back({"曲" + std::to_string(i), "J-POP"});
    entries.push_back({i + 1, "abc5efg8"});
  }
  serveMasters(113, songs, entries, {{1, "0"}});
  frmACScore* sheet = open(113);
  ASSERT_NE(sheet, nullptr);
  const struct {
    int row;  // of the 裏 box focused before
    const char* heardBefore;
    Qt::Key shortcut;
    const char *typed, *title, *heardAfter;
  } cases[] = {
      {3, "曲3 裏", Qt::Key_G, "2", "ページへ移動", "曲13 裏"},  // the box keeps the focus, on the new page
      {0, "曲10 裏", Qt::Key_F, "21", "曲を探す", "曲21 表"},  // on the page that the case before left
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    sheet->activateWindow();  // as the player's click would, with no window manager
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    // Also tells that the bridge sends the focus events the listener asked for.
    sheet->txtScoreU(c.row)->setFocus();
    ASSERT_TRUE(hears(c.heardBefore));
    QTest::keyClick(sheet->txtScoreU(c.row), c.shortcut, Qt::ControlModifier);
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(dialog->windowTitle(), c.title);
    // Typed where the dialog puts the cursor once the window system activates it.
    ASSERT_TRUE(QTest::qWaitFor([dialog] { return dialog->isAncestorOf(QApplication::focusWidget()); }));
    QWidget* typing = QApplication::focusWidget();
    QTest::keyClick(typing, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(typing, c.typed);
    QTest::keyClick(typing, Qt::Key_Return);
    EXPECT_TRUE(hears(c.heardAfter));
  }
}

}  // namespace
}  // namespace nk

#include "sheet_focus_busTest.moc"
