// phone_page_tool.cpp - the page for the phone, written where the player says.
#include "ui/phone_page_tool.h"

#include "data/target_total.h"
#include "phone/phone_page.h"
#include "rival/rival_steps.h"
#include "rival/rival_store.h"
#include "toolkit/notice.h"
#include "ui/frmACScore.h"
#include "ui/rival_tab.h"
#include "ui/sheet_action.h"

#include <QDir>
#include <QFileDialog>
#include <QPointer>
#include <QStandardPaths>

namespace nk {
namespace {

// The rival chosen on the breakdown window's tab, else the first one kept;
// none where none is kept or its file cannot be read (the tab tells why).
std::optional<PhoneRival> chosenRival(const frmACScore& sheet) {
  std::string name;
  if (const auto* tab = sheet.findChild<RivalTab*>(); tab && !tab->chosen().empty()) name = tab->chosen();
  if (name.empty()) {
    const RivalNames kept = rivalNames(sheet.state().VersionNumber);
    if (kept.names.empty()) return std::nullopt;
    name = kept.names.front();
  }
  RivalOnSheet on = rivalOnSheet(name, sheet.state());
  if (!on.scores) return std::nullopt;
  return PhoneRival{name, std::move(*on.scores)};
}

}  // namespace

PhonePageTool::PhonePageTool(frmACScore& sheet, QObject* parent) : QObject(parent), sheet_(sheet) {
  action_ = addSheetAction(sheet, *this, "actPhonePage", "スマホ用に書き出す…",
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M), [this] { writePage(); });
}

// The dialog runs as a modal loop of its own, as the data zip's does, so
// that Windows shows its own file dialog.
void PhonePageTool::writePage() {
  if (!sheet_.loaded()) return;
  const ScoreSheetState& s = sheet_.state();
  const Moment now = localMomentNow();
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  QPointer<QFileDialog> dialog =
      new QFileDialog(&sheet_, QString::fromUtf8(PhonePageTitle), folder, QStringLiteral("HTML (*.html)"));
  dialog->setObjectName(QStringLiteral("phonePageDialog"));
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setDefaultSuffix(QStringLiteral("html"));
  dialog->selectFile(QString::fromStdString(phonePageFileName(s.VersionNumber, now)));
  const bool chosen = dialog->exec() == QDialog::Accepted && dialog && !dialog->selectedFiles().isEmpty();
  const std::string path = chosen ? dialog->selectedFiles().front().toStdString() : std::string();
  delete dialog;
  sheet_.reportFocusAfterDialog();
  if (path.empty()) return;
  // A target file that cannot be read leaves the page without a target; the
  // breakdown window is where the player learns why.
  const TargetTotalRead target = readTargetTotal(s.VersionNumber);
  const std::optional<PhoneRival> rival = chosenRival(sheet_);
  PhonePageWritten written = writePhonePage(path, phonePageHtml(s, target.target, now, rival ? &*rival : nullptr));
  if (written.ok && rival) written.text += "\n\nライバル「" + rival->name + "」の点数も載せています。";
  showNotice({PhonePageTitle, written.text, written.ok ? MsgIcon::None : MsgIcon::Exclamation});
}

}  // namespace nk
