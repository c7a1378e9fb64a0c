// frmACScore.cpp - the score sheet window: layout, focus order and event wiring.
#include "ui/frmACScore.h"

#include "net/load_cancel.h"
#include "ui/sheet_font.h"
#include "ui/twips.h"

#include <QPalette>
#include <QShowEvent>

namespace nk {

namespace {

// Layout of the rows, in twips: row r lies at RowTop + RowPitch * r.
constexpr int RowTop = 600;
constexpr int RowPitch = 480;
constexpr int LabelHeight = 375;
constexpr int BoxHeight = 420;  // the score boxes stand 45 twips taller than their row's labels
constexpr int CellTextIndent = 0;  // pixels between a cell's frame and where its text starts

struct TwipsBox {
  int left, top, width, height;
};

enum class Frame { None, Line };
enum class Fill { Default, LightGrey };

QString indexedName(const char* name, int r) {
  return QString::fromUtf8(name) + QLatin1Char('_') + QString::number(r);
}

QLabel* makeLabel(QWidget& window, const QString& name, const QString& caption, Qt::Alignment align,
                  Frame frame, Fill fill, TwipsBox at) {
  auto* label = new QLabel(&window);
  label->setObjectName(name);
  // Song titles come from the server: never let them be taken for markup.
  label->setTextFormat(Qt::PlainText);
  label->setText(caption);
  label->setAlignment(align | Qt::AlignVCenter);
  label->setGeometry(twipsRect(window, at.left, at.top, at.width, at.height));
  if (frame == Frame::Line) {
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    // A framed label would otherwise indent its text by half an "x", which
    // leaves a 25-pixel level cell too narrow for "10". The frame and the
    // glyphs' own bearings keep the text off the border.
    label->setIndent(CellTextIndent);
  }
  if (fill == Fill::LightGrey) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(224, 224, 224));
    label->setPalette(palette);
    label->setAutoFillBackground(true);
  }
  return label;
}

QPushButton* makeButton(QWidget& window, const char* name, const QString& caption, TwipsBox at) {
  auto* button = new QPushButton(caption, &window);
  button->setObjectName(QString::fromUtf8(name));
  button->setAutoDefault(false);
  button->setGeometry(twipsRect(window, at.left, at.top, at.width, at.height));
  return button;
}

ScoreBox* makeScoreBox(QWidget& window, const char* name, int r, TwipsBox at) {
  auto* box = new ScoreBox(&window);
  box->setObjectName(indexedName(name, r));
  box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  box->setGeometry(twipsRect(window, at.left, at.top, at.width, at.height));
  return box;
}

}  // namespace

frmACScore::frmACScore(ArcadeVersion version, DebugLog log, LoadStep loadStep, QWidget* parent)
    : QWidget(parent),
      version_(version),
      log_(std::move(log)),
      loadStep_(std::move(loadStep)),
      loadCancel_(std::make_unique<LoadCancel>()) {
  setupWindow();
  setupHeaders();
  setupRows();
  setupButtons();
  setupFocusOrder();
  connectEvents();
  setupTools();
}

frmACScore::~frmACScore() {
  // QWidget's own destructor deletes the children only after the session is gone.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (child->isWindow()) delete child;
}

void frmACScore::setupWindow() {
  setObjectName(QStringLiteral("frmACScore"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  // Closing the sheet discards it with its state; the next opening starts afresh.
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("自己ベストスコア管理"));
  setFont(sheetFont());
  // Sizable, but the controls keep their places: no layout manager.
  resize(twipsSize(*this, 8010, 6330));
}

void frmACScore::setupHeaders() {
  const Qt::Alignment centred = Qt::AlignHCenter;
  lbl曲名_ = makeLabel(*this, QStringLiteral("lbl曲名"), QStringLiteral("曲名"), centred, Frame::None,
                       Fill::LightGrey, {120, 120, 5175, LabelHeight});
  lbl点数表_ = makeLabel(*this, QStringLiteral("lbl点数表"), QStringLiteral("点数(表)"), centred, Frame::None,
                         Fill::LightGrey, {5400, 120, 1215, LabelHeight});
  lbl点数裏_ = makeLabel(*this, QStringLiteral("lbl点数裏"), QStringLiteral("点数(裏)"), centred, Frame::None,
                         Fill::LightGrey, {6720, 120, 1215, LabelHeight});
}

void frmACScore::setupRows() {
  // Neighbouring cells overlap by 15 twips so that their borders fall on one line.
  for (int r = 0; r < RowsPerPage; ++r) {
    const int top = RowTop + RowPitch * r;
    lblSongTitle_[r] = makeLabel(*this, indexedName("lblSongTitle", r), QString(), Qt::AlignLeft, Frame::Line,
                                 Fill::Default, {120, top, 4455, LabelHeight});
    lblDifficulty_[r] = makeLabel(*this, indexedName("lblDifficulty", r), QString(), Qt::AlignLeft, Frame::Line,
                                  Fill::Default, {4560, top, 375, LabelHeight});
    lblDifficultyU_[r] = makeLabel(*this, indexedName("lblDifficultyU", r), QString(), Qt::AlignLeft,
                                   Frame::Line, Fill::Default, {4920, top, 375, LabelHeight});
    txtScore_[r] = makeScoreBox(*this, "txtScore", r, {5400, top, 1215, BoxHeight});
    txtScoreU_[r] = makeScoreBox(*this, "txtScoreU", r, {6720, top, 1215, BoxHeight});
  }
}

void frmACScore::setupButtons() {
  constexpr int top = 5400;
  btnSave_ = makeButton(*this, "btnSave", QStringLiteral("保存"), {120, top, 1095, LabelHeight});
  btnCalc_ = makeButton(*this, "btnCalc", QStringLiteral("合計"), {1320, top, 1095, LabelHeight});
  btnBack_ = makeButton(*this, "btnBack", QStringLiteral("前頁"), {2520, top, 855, LabelHeight});
  btnNext_ = makeButton(*this, "btnNext", QStringLiteral("次頁"), {3480, top, 855, LabelHeight});
  btnMenu_ = makeButton(*this, "btnMenu", QStringLiteral("メニュー"), {6600, top, 1335, LabelHeight});
  lblStatusBar_ = makeLabel(*this, QStringLiteral("lblStatusBar"), QString(), Qt::AlignLeft, Frame::None,
                            Fill::LightGrey, {120, 5880, 7815, LabelHeight});
}

std::vector<QWidget*> frmACScore::focusOrder() const {
  std::vector<QWidget*> order;
  for (int r = 0; r < RowsPerPage; ++r) {
    order.push_back(txtScore_[r]);
    order.push_back(txtScoreU_[r]);
  }
  for (QWidget* button : {btnSave_, btnCalc_, btnBack_, btnNext_, btnMenu_}) order.push_back(button);
  return order;
}

void frmACScore::setupFocusOrder() {
  // Across a row (normal score, then 裏 score) before down to the next row.
  const std::vector<QWidget*> order = focusOrder();
  for (size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void frmACScore::connectEvents() {
  for (int r = 0; r < RowsPerPage; ++r) {
    connect(txtScore_[r], &QLineEdit::textChanged, this, [this, r] { emit txtScoreChanged(r); });
    connect(txtScoreU_[r], &QLineEdit::textChanged, this, [this, r] { emit txtScoreUChanged(r); });
  }
  connect(this, &frmACScore::txtScoreChanged, this, [this](int r) { txtScore_Change(static_cast<int16_t>(r)); });
  connect(this, &frmACScore::txtScoreUChanged, this,
          [this](int r) { txtScoreU_Change(static_cast<int16_t>(r)); });
  connect(btnSave_, &QPushButton::clicked, this, &frmACScore::btnSave_Click);
  connect(btnCalc_, &QPushButton::clicked, this, &frmACScore::btnCalc_Click);
  connect(btnBack_, &QPushButton::clicked, this, &frmACScore::btnBack_Click);
  connect(btnNext_, &QPushButton::clicked, this, &frmACScore::btnNext_Click);
  connect(btnMenu_, &QPushButton::clicked, this, &frmACScore::btnMenu_Click);
}

void frmACScore::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (focusWidget()) return;
  for (QWidget* control : focusOrder()) {
    if (control->isVisibleTo(this) && control->isEnabled()) {
      control->setFocus(Qt::ActiveWindowFocusReason);
      return;
    }
  }
}

}  // namespace nk
