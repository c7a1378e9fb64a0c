// qt_toolkit.cpp - the toolkit of the running program, on Qt Widgets.
#include "ui/qt_toolkit.h"

#include <QApplication>
#include <QAbstractButton>
#include <QPushButton>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <vector>

namespace nk {

QString messageBoxText(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

void QtToolkit::messageBox(const std::string& text, const std::string& title, MsgIcon icon) {
  QMessageBox box(icon == MsgIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
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
  QMessageBox box(question.icon == MsgIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                  QString::fromStdString(question.title), messageBoxText(question.text), QMessageBox::NoButton);
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
