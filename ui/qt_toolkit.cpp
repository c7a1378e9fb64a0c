// qt_toolkit.cpp - the toolkit of the running program, on Qt Widgets.
#include "ui/qt_toolkit.h"

#include "ui/screen_fit.h"

#include <QApplication>
#include <QAbstractButton>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <vector>

namespace nk {
namespace {

// A message box that stays on its screen. Where its text would make it taller
// than the screen's available area (a long total on a small or scaled-up
// screen), the text scrolls between the icon and the buttons instead of
// pushing the buttons off the bottom; a box that fits is Qt's own.
class ScreenMessageBox final : public QMessageBox {
public:
  using QMessageBox::QMessageBox;

protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);  // sizes the box to its text
    scrollTextWhereTooTall();
    fitIntoScreen(*this);
  }

private:
  void scrollTextWhereTooTall() {
    auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!screen() || !layout() || !label) return;
    layout()->activate();
    const int decoration = frameGeometry().height() - height();
    const int excess = height() + decoration - screen()->availableGeometry().height();
    if (excess <= 0) return;
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("messageTextScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->setWidgetResizable(true);
    const QSize text = label->size();
    delete layout()->replaceWidget(label, scroll);
    scroll->setWidget(label);
    // As wide as the text was, plus the bar, so that no line wraps anew.
    const int bar = scroll->verticalScrollBar()->sizeHint().width();
    scroll->setFixedSize(text.width() + bar, text.height() - excess);
    setFixedSize(width() + bar, height() - excess);
  }
};

}  // namespace

QString messageBoxText(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

void QtToolkit::messageBox(const std::string& text, const std::string& title, MsgIcon icon) {
  ScreenMessageBox box(icon == MsgIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                       QString::fromStdString(title), messageBoxText(text), QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

void QtToolkit::yield() {
  if (std::chrono::steady_clock::now() < nextPass_) return;
  QCoreApplication::processEvents();
  // Counted from the end of the pass, so that a long repaint still leaves
  // the load its share of the time.
  nextPass_ = std::chrono::steady_clock::now() + YieldInterval;
}

std::size_t QtToolkit::ask(const Question& question) {
  ScreenMessageBox box(question.icon == MsgIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                       QString::fromStdString(question.title), messageBoxText(question.text),
                       QMessageBox::NoButton);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  std::vector<QAbstractButton*> buttons;
  for (const std::string& caption : question.buttons)
    buttons.push_back(box.addButton(QString::fromStdString(caption), QMessageBox::AcceptRole));
  if (question.defaultButton < buttons.size())
    box.setDefaultButton(static_cast<QPushButton*>(buttons[question.defaultButton]));
  if (question.escapeButton < buttons.size()) box.setEscapeButton(buttons[question.escapeButton]);
  box.exec();
  for (std::size_t i = 0; i < buttons.size(); ++i)
    if (box.clickedButton() == buttons[i]) return i;
  return question.escapeButton;
}

void QtToolkit::endProgram(int exitCode) {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

}  // namespace nk
