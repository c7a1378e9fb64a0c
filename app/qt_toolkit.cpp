// qt_toolkit.cpp - the toolkit of the running program, on Qt Widgets.
#include "qt_toolkit.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <iostream>

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

void QtToolkit::setStatusText(const std::string& text) {
  const QString name = QStringLiteral("lblStatusBar");
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* status = window->findChild<QLabel*>(name)) {
      status->setText(QString::fromStdString(text));
      return;
    }
  }
}

void QtToolkit::endProgram(int exitCode) {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

}  // namespace nk
