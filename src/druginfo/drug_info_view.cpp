#include "druginfo/drug_info_view.h"

#include <QAction>
#include <QBoxLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>

#include "findings/check_indicator_label.h"
#include "widgets/desktop_dialogs.h"
#include "widgets/grid_view.h"
#include "widgets/ui_fonts.h"

namespace {

void BoldFont(QWidget* widget, int pixelSize) {
  QFont font = ProportionalUiFont(pixelSize);
  font.setBold(true);
  widget->setFont(font);
}

void DateLook(QWidget* label) {
  BoldFont(label, 13);
}

void RightAligned(QWidget* label) {
  static_cast<QLabel*>(label)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void ListStateLook(QWidget* label) {
  BoldFont(label, 14);
  QPalette navy = label->palette();
  navy.setColor(QPalette::WindowText, QColor(0, 0, 0x80));
  label->setPalette(navy);
}

// The institution grid and its title stand 4 pixels in from the panel's sides.
void InsetColumn(QWidget* panel) {
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(4, 0, 4, 0);
  column->setSpacing(0);
}

void HistoryMemo(QWidget* widget) {
  auto* memo = static_cast<QPlainTextEdit*>(widget);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setFont(FixedPitchUiFont(12));
}

using C = DrugInfoControls;
using L = DrugInfoLogic;

// One row per control of the form, in the tab order: its reference name (the widget's objectName),
// the panel it stands on, where, its model and handler, and what it looks like beyond the font.
const Control<C, L> kControls[] = {
    {"PanelLeft", nullptr, Left(290)},
    {"PanelSearch", "PanelLeft", Top(90)},
    {"ComboBoxSearch", "PanelSearch", At(8, 6, 90, 22), &C::ComboBoxSearch, &L::ComboBoxSearchChange},
    {"EditSearch", "PanelSearch", At(104, 6, 110, 22), &C::EditSearch},  // Enter: eventFilter
    {"BtnSearch", "PanelSearch", At(220, 5, 62, 24), &C::BtnSearch, &L::BtnSearchClick},
    {"BtnPDFY", "PanelSearch", At(8, 34, 55, 24), &C::BtnPDFY, &L::BtnPDFYClick},
    {"BtnPDFT", "PanelSearch", At(68, 34, 55, 24), &C::BtnPDFT, &L::BtnPDFTClick},
    {"LabelDate", "PanelSearch", At(132, 38, 150, 18), &C::LabelDate, nullptr, DateLook},
    {"Label1", "PanelSearch", At(8, 64, 80, 18), &C::patientNumberLabel, nullptr, RightAligned},
    {"Label2", "PanelSearch", At(96, 64, 130, 18), &C::patientNameLabel},
    {"LabelAge", "PanelSearch", At(230, 64, 52, 18), &C::LabelAge},
    {"PanelDateNav", "PanelLeft", Top(35)},
    {"LabelListState", "PanelDateNav", At(8, 8, 50, 20), &C::LabelListState, nullptr, ListStateLook},
    {"BtnKaikeiMi", "PanelDateNav", At(60, 5, 54, 25), &C::BtnKaikeiMi, &L::BtnKaikeiMiClick},
    {"BtnPrevDay", "PanelDateNav", At(118, 5, 54, 25), &C::BtnPrevDay, &L::BtnPrevDayClick},
    {"BtnNextDay", "PanelDateNav", At(174, 5, 54, 25), &C::BtnNextDay, &L::BtnNextDayClick},
    {"BtnToday", "PanelDateNav", At(230, 5, 54, 25), &C::BtnToday, &L::BtnTodayClick},
    {"GridPatient", "PanelLeft", Fill(), &C::GridPatient},  // its events: connectGrids
    {"PanelMain", nullptr, Fill()},
    // The panel's height is the title's 22 pixels, the grid's rows and 8 pixels of frame.
    {"PanelTopGrid", "PanelMain", Top(), &C::PanelTopGrid, nullptr, InsetColumn},
    {"LabelJusinreki", "PanelTopGrid", Top(22), &C::LabelJusinreki},
    {"GridInstitution", "PanelTopGrid", Fill(), &C::GridInstitution},  // its events: connectGrids
    {"PanelBottom", "PanelMain", Fill()},
    {"PanelBottomLeft", "PanelBottom", Left(400)},
    {"PanelSelfHeader", "PanelBottomLeft", Top(30)},
    {"LabelSelfTitle", "PanelSelfHeader", At(8, 7, 60, 18), &C::LabelSelfTitle},
    {"LabelSelfMonth", "PanelSelfHeader", At(76, 7, 100, 18), &C::LabelSelfMonth},
    {"BtnSelfPrevMonth", "PanelSelfHeader", At(250, 3, 60, 24), &C::BtnSelfPrevMonth,
     &L::BtnSelfPrevMonthClick},
    {"BtnSelfNextMonth", "PanelSelfHeader", At(316, 3, 60, 24), &C::BtnSelfNextMonth,
     &L::BtnSelfNextMonthClick},
    {"MemoSelf", "PanelBottomLeft", Fill(), &C::MemoSelf, nullptr, HistoryMemo},
    {"PanelBottomRight", "PanelBottom", Fill()},
    {"PanelRightNav", "PanelBottomRight", Top(35)},
    {"BtnCopy", "PanelRightNav", At(8, 5, 70, 25), &C::BtnCopy, &L::BtnCopyClick},
    {"BtnPrint", "PanelRightNav", At(84, 5, 70, 25), &C::BtnPrint, &L::BtnPrintClick},
    {"BtnBack", "PanelRightNav", At(160, 5, 70, 25), &C::BtnBack, &L::BtnBackClick},
    {"LabelTainName", "PanelRightNav", At(240, 9, 300, 18), &C::LabelTainName},
    {"LabelTainMonth", "PanelRightNav", At(548, 9, 100, 18), &C::LabelTainMonth},
    {"MemoTain", "PanelBottomRight", Fill(), &C::MemoTain, nullptr, HistoryMemo},
};

// The menu bar places its corner widget at the corner's size hint when it lays itself out, and not
// again when only what the corner holds changes. This row has itself placed again whenever its
// content changes size: a label shown, hidden or given a longer text.
class CornerRow : public QWidget {
 public:
  explicit CornerRow(QMenuBar* bar) : QWidget(bar), bar_(bar) {}

 protected:
  bool event(QEvent* event) override {
    const bool handled = QWidget::event(event);
    // Set again with its own parent, the corner is only placed again.
    if (event->type() == QEvent::LayoutRequest && bar_->cornerWidget(Qt::TopRightCorner) == this)
      bar_->setCornerWidget(this, Qt::TopRightCorner);
    return handled;
  }

 private:
  QMenuBar* bar_;
};

}  // namespace

TfrmDrugInfo::TfrmDrugInfo(QWidget* owner, ErrorReport errorReport)
    : FormWindow(owner, QStringLiteral("frmDrugInfo"), QStringLiteral("リンメド"), errorReport),
      ui_(
          this, [this] { showModels(); }, errorReport),
      logic_(ui_),
      controls_(*this, logic_, kControls),
      PanelTopGrid(controls_.widget<QWidget>(&C::PanelTopGrid)),
      GridInstitution(controls_.widget<QTableWidget>(&C::GridInstitution)) {
  auto* menuBar = new QMenuBar(this);
  QMenu* menuSetting = menuBar->addMenu(QStringLiteral("設定(&S)"));
  menuSetting->setObjectName(QStringLiteral("MenuSetting"));
  QAction* menuWebOrca = menuSetting->addAction(QStringLiteral("WebORCA設定"));
  menuWebOrca->setObjectName(QStringLiteral("MenuWebORCA"));
  connect(menuWebOrca, &QAction::triggered, this, [this] { forward([this] { logic_.MenuWebORCAClick(); }); });
  layout()->setMenuBar(menuBar);
  // What runs in the background, and the small status indicators, are told in the menu bar's
  // free right-hand corner, which no control of the form uses: one row, the work text last.
  auto* corner = new CornerRow(menuBar);
  corner->setObjectName(QStringLiteral("cornerBox"));
  auto* cornerRow = new QHBoxLayout(corner);
  cornerRow->setContentsMargins(0, 0, 8, 0);
  cornerRow->setSpacing(12);
  // First: whether the list follows ORCA's push notifications or its timer; the reason on hovering.
  LabelPush = new QLabel(corner);
  LabelPush->setObjectName(QStringLiteral("LabelPush"));
  cornerRow->addWidget(LabelPush);
  // Then: that the patient shown was prepared ahead, and how long ago.
  LabelPrepared = new QLabel(corner);
  LabelPrepared->setObjectName(QStringLiteral("LabelPrepared"));
  LabelPrepared->setVisible(false);
  cornerRow->addWidget(LabelPrepared);
  LabelMedCheck = new CheckIndicatorLabel(corner);  // hidden while it has nothing to say
  LabelMedCheck->setVisible(false);
  cornerRow->addWidget(LabelMedCheck);
  connect(LabelMedCheck, &CheckIndicatorLabel::clicked, this,
          [this] { forward([this] { logic_.LabelMedCheckClick(); }); });
  workLabel = new QLabel(corner);
  workLabel->setObjectName(QStringLiteral("workLabel"));
  cornerRow->addWidget(workLabel);
  menuBar->setCornerWidget(corner, Qt::TopRightCorner);

  controls_.widget<QLineEdit>(&C::EditSearch)->installEventFilter(this);
  connectGrids();
  TimerRefresh = new QTimer(this);
  TimerRefresh->setObjectName(QStringLiteral("TimerRefresh"));
  TimerRefresh->setInterval(logic_.controls().TimerRefresh.intervalMs);
  connect(TimerRefresh, &QTimer::timeout, this,
          [this] { forward([this] { logic_.TimerRefreshTimer(); }, HandlerRunner::Policy::DropWhenBusy); });
  TimerRefresh->start();

  resize(1280, 700 + menuBar->sizeHint().height());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  showModels();
}

TfrmDrugInfo::~TfrmDrugInfo() = default;

void TfrmDrugInfo::connectGrids() {
  auto* gridPatient = controls_.widget<QTableWidget>(&C::GridPatient);
  // A cell is selected when the keyboard moves onto it and whenever the mouse presses it, the
  // current one included: the table reports only changes of the current cell, and the row under a
  // click must be the one that opens.
  auto selectPatientCell = [this](int tableRow, int col) {
    if (tableRow < 0) return;
    const int row = GridRowOfTableRow(tableRow);
    logic_.controls().GridPatient.setRow(row);
    forward([this, col, row] { logic_.GridPatientSelectCell(col, row); });
  };
  connect(gridPatient, &QTableWidget::currentCellChanged, this, selectPatientCell);
  connect(gridPatient, &QTableWidget::cellPressed, this, selectPatientCell);
  connect(gridPatient, &QTableWidget::cellDoubleClicked, this,
          [this, selectPatientCell](int tableRow, int col) {
            selectPatientCell(tableRow, col);
            forward([this] { logic_.GridPatientDblClick(); });
          });
  // The table reports a double-click only on a cell; the header row and the empty space below
  // the last row do not reach the handler.
  connect(GridInstitution, &QTableWidget::cellDoubleClicked, this, [this](int tableRow, int col) {
    const int row = GridRowOfTableRow(tableRow);
    forward([this, col, row] { logic_.GridInstitutionDblClick(col, row); });
  });
  // The fixed first column is drawn as the row headers (so that it stays when the grid scrolls).
  connect(GridInstitution->verticalHeader(), &QHeaderView::sectionDoubleClicked, this, [this](int tableRow) {
    const int row = GridRowOfTableRow(tableRow);
    forward([this, row] { logic_.GridInstitutionDblClick(0, row); });
  });
}

void TfrmDrugInfo::showModels() {
  const DrugInfoControls& c = logic_.controls();
  // The panel's height counts the grid's rows only; the horizontal scroll bar gets room of its own so
  // that it never covers the last row (the check-up row). Measured on the grid as shown so far.
  int columnsWidth = 0;
  for (int col = 0; col < c.GridInstitution.colCount(); ++col)
    columnsWidth += c.GridInstitution.colWidth(col);
  const bool scrolls =
      c.GridInstitution.horizontalScrollBar && columnsWidth > GridInstitution->viewport()->width();
  const int scrollBar = scrolls ? GridInstitution->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
  const int panelHeight = c.PanelTopGrid.height + scrollBar;
  if (PanelTopGrid->height() != panelHeight) PanelTopGrid->setFixedHeight(panelHeight);
  controls_.show();
  ShowLabel(LabelPush, c.LabelPush);
  ShowLabel(workLabel, c.workLabel);
  ShowLabel(LabelPrepared, c.LabelPrepared);
  if (shownCheck_ != c.LabelMedCheck) {
    shownCheck_ = c.LabelMedCheck;
    LabelMedCheck->showIndicator(shownCheck_);
    LabelMedCheck->setVisible(!shownCheck_.text.isEmpty());
  }
  ShowWorkingCursor(this, c.working);
  // Setting the same period again must not restart the timer.
  if (TimerRefresh->interval() != c.TimerRefresh.intervalMs)
    TimerRefresh->setInterval(c.TimerRefresh.intervalMs);
  if (TimerRefresh->isActive() != c.TimerRefresh.enabled) {
    if (c.TimerRefresh.enabled)
      TimerRefresh->start();
    else
      TimerRefresh->stop();
  }
}

void TfrmDrugInfo::opened() {
  forward([this] { logic_.FormShow(); });
}

void TfrmDrugInfo::closing() {
  forward([this] { logic_.FormClose(); });
}

// Installed on EditSearch: Enter searches, as BtnSearch does.
bool TfrmDrugInfo::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      bool swallowed = false;
      forward([this, &swallowed] { swallowed = logic_.EditSearchKeyPress(QChar(13)); });
      return swallowed;
    }
  }
  return FormWindow::eventFilter(watched, event);
}
