#include "druginfo/drug_info_view.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "widgets/grid_view.h"
#include "findings/check_indicator_label.h"
#include "widgets/desktop_dialogs.h"
#include "widgets/ui_fonts.h"

namespace {

QWidget* Panel(QWidget* parent, const QString& name) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(name);
  return panel;
}

QPlainTextEdit* Memo(QWidget* parent, const QString& name) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName(name);
  memo->setReadOnly(true);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setFont(FixedPitchUiFont(12));
  return memo;
}

QTableWidget* Grid(QWidget* parent, const QString& name) {
  auto* table = new QTableWidget(parent);
  table->setObjectName(name);
  SetUpGridTable(table);
  return table;
}

void ShowLabel(QWidget* window, const QString& name, const LabelModel& model) {
  if (auto* widget = window->findChild<QLabel*>(name)) {
    if (widget->text() != model.text) widget->setText(model.text);
    if (widget->toolTip() != model.toolTip) widget->setToolTip(model.toolTip);
    widget->setVisible(model.visible);
  }
}

void ShowButton(QWidget* window, const QString& name, const ButtonModel& model) {
  if (auto* widget = window->findChild<QPushButton*>(name)) {
    if (widget->text() != model.caption) widget->setText(model.caption);
    widget->setVisible(model.visible);
    widget->setEnabled(model.enabled);
  }
}

void ShowMemo(QPlainTextEdit* memo, const MemoModel& model) {
  const QString text = model.lines.join(QLatin1Char('\n'));
  if (memo->toPlainText() != text) memo->setPlainText(text);
  memo->setReadOnly(model.readOnly);
}

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
    : QDialog(owner),
      ui_(
          this, [this] { showModels(); }, errorReport),
      logic_(ui_),
      runner_(std::move(errorReport)) {
  setObjectName(QStringLiteral("frmDrugInfo"));
  setWindowTitle(QStringLiteral("リンメド"));
  setFont(ProportionalUiFont(12));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* menuBar = new QMenuBar(this);
  QMenu* menuSetting = menuBar->addMenu(QStringLiteral("設定(&S)"));
  menuSetting->setObjectName(QStringLiteral("MenuSetting"));
  QAction* menuWebOrca = menuSetting->addAction(QStringLiteral("WebORCA設定"));
  menuWebOrca->setObjectName(QStringLiteral("MenuWebORCA"));
  connect(menuWebOrca, &QAction::triggered, this, [this] { forward([this] { logic_.MenuWebORCAClick(); }); });
  layout->setMenuBar(menuBar);
  // What runs in the background, and the small status indicators, are told in the menu bar's
  // free right-hand corner, which no control of the form uses: one row, the work text last.
  auto* corner = new CornerRow(menuBar);
  corner->setObjectName(QStringLiteral("cornerBox"));
  auto* cornerRow = new QHBoxLayout(corner);
  cornerRow->setContentsMargins(0, 0, 8, 0);
  cornerRow->setSpacing(12);
  // First: whether the list follows ORCA's push notifications or its timer; the reason on hovering.
  auto* pushLabel = new QLabel(corner);
  pushLabel->setObjectName(QStringLiteral("LabelPush"));
  cornerRow->addWidget(pushLabel);
  LabelMedCheck = new CheckIndicatorLabel(corner);  // hidden while it has nothing to say
  LabelMedCheck->setVisible(false);
  cornerRow->addWidget(LabelMedCheck);
  auto* workLabel = new QLabel(corner);
  workLabel->setObjectName(QStringLiteral("workLabel"));
  cornerRow->addWidget(workLabel);
  menuBar->setCornerWidget(corner, Qt::TopRightCorner);

  auto* client = new QWidget(this);
  auto* columns = new QHBoxLayout(client);
  columns->setContentsMargins(0, 0, 0, 0);
  columns->setSpacing(0);
  QWidget* panelLeft = Panel(client, QStringLiteral("PanelLeft"));
  panelLeft->setFixedWidth(290);
  QWidget* panelMain = Panel(client, QStringLiteral("PanelMain"));
  columns->addWidget(panelLeft);
  columns->addWidget(panelMain, 1);
  layout->addWidget(client, 1);
  buildLeft(panelLeft);
  buildMain(panelMain);

  TimerRefresh = new QTimer(this);
  TimerRefresh->setObjectName(QStringLiteral("TimerRefresh"));
  TimerRefresh->setInterval(logic_.controls().TimerRefresh.intervalMs);
  connectEvents();
  TimerRefresh->start();

  resize(1280, 700 + menuBar->sizeHint().height());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  showModels();
}

TfrmDrugInfo::~TfrmDrugInfo() = default;

QPushButton* TfrmDrugInfo::button(QWidget* parent, const QString& name, int x, int y, int w, int h) {
  auto* b = new QPushButton(parent);
  b->setObjectName(name);
  b->setGeometry(x, y, w, h);
  b->setAutoDefault(false);  // Enter belongs to the search field, not to a default button
  return b;
}

QLabel* TfrmDrugInfo::label(QWidget* parent, const QString& name, int x, int y, int w, int h) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setGeometry(x, y, w, h);
  return l;
}

void TfrmDrugInfo::buildLeft(QWidget* panelLeft) {
  auto* column = new QVBoxLayout(panelLeft);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  QWidget* panelSearch = Panel(panelLeft, QStringLiteral("PanelSearch"));
  panelSearch->setFixedHeight(90);
  ComboBoxSearch = new QComboBox(panelSearch);
  ComboBoxSearch->setObjectName(QStringLiteral("ComboBoxSearch"));
  ComboBoxSearch->setGeometry(8, 6, 90, 22);
  ComboBoxSearch->addItems(logic_.controls().ComboBoxSearch.items);
  EditSearch = new QLineEdit(panelSearch);
  EditSearch->setObjectName(QStringLiteral("EditSearch"));
  EditSearch->setGeometry(104, 6, 110, 22);
  EditSearch->installEventFilter(this);
  button(panelSearch, QStringLiteral("BtnSearch"), 220, 5, 62, 24);
  button(panelSearch, QStringLiteral("BtnPDFY"), 8, 34, 55, 24);
  button(panelSearch, QStringLiteral("BtnPDFT"), 68, 34, 55, 24);
  QLabel* labelDate = label(panelSearch, QStringLiteral("LabelDate"), 132, 38, 150, 18);
  QFont dateFont = ProportionalUiFont(13);
  dateFont.setBold(true);
  labelDate->setFont(dateFont);
  QLabel* patientNumber = label(panelSearch, QStringLiteral("Label1"), 8, 64, 80, 18);
  patientNumber->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label(panelSearch, QStringLiteral("Label2"), 96, 64, 130, 18);
  label(panelSearch, QStringLiteral("LabelAge"), 230, 64, 52, 18);

  QWidget* panelDateNav = Panel(panelLeft, QStringLiteral("PanelDateNav"));
  panelDateNav->setFixedHeight(35);
  QLabel* listState = label(panelDateNav, QStringLiteral("LabelListState"), 8, 8, 50, 20);
  QFont stateFont = ProportionalUiFont(14);
  stateFont.setBold(true);
  listState->setFont(stateFont);
  QPalette navy = listState->palette();
  navy.setColor(QPalette::WindowText, QColor(0, 0, 0x80));
  listState->setPalette(navy);
  button(panelDateNav, QStringLiteral("BtnKaikeiMi"), 60, 5, 54, 25);
  button(panelDateNav, QStringLiteral("BtnPrevDay"), 118, 5, 54, 25);
  button(panelDateNav, QStringLiteral("BtnNextDay"), 174, 5, 54, 25);
  button(panelDateNav, QStringLiteral("BtnToday"), 230, 5, 54, 25);

  GridPatient = Grid(panelLeft, QStringLiteral("GridPatient"));
  column->addWidget(panelSearch);
  column->addWidget(panelDateNav);
  column->addWidget(GridPatient, 1);
}

void TfrmDrugInfo::buildMain(QWidget* panelMain) {
  auto* column = new QVBoxLayout(panelMain);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  PanelTopGrid = Panel(panelMain, QStringLiteral("PanelTopGrid"));
  QWidget* panelTopGrid = PanelTopGrid;
  panelTopGrid->setFixedHeight(logic_.controls().PanelTopGrid.height);
  // The panel's height is the title's 22 pixels, the grid's rows and 8 pixels of frame.
  auto* top = new QVBoxLayout(panelTopGrid);
  top->setContentsMargins(4, 0, 4, 0);
  top->setSpacing(0);
  auto* jusinreki = new QLabel(panelTopGrid);
  jusinreki->setObjectName(QStringLiteral("LabelJusinreki"));
  jusinreki->setFixedHeight(22);
  GridInstitution = Grid(panelTopGrid, QStringLiteral("GridInstitution"));
  top->addWidget(jusinreki);
  top->addWidget(GridInstitution, 1);

  QWidget* panelBottom = Panel(panelMain, QStringLiteral("PanelBottom"));
  auto* bottom = new QHBoxLayout(panelBottom);
  bottom->setContentsMargins(0, 0, 0, 0);
  bottom->setSpacing(0);

  QWidget* panelBottomLeft = Panel(panelBottom, QStringLiteral("PanelBottomLeft"));
  panelBottomLeft->setFixedWidth(400);
  auto* left = new QVBoxLayout(panelBottomLeft);
  left->setContentsMargins(0, 0, 0, 0);
  left->setSpacing(0);
  QWidget* selfHeader = Panel(panelBottomLeft, QStringLiteral("PanelSelfHeader"));
  selfHeader->setFixedHeight(30);
  label(selfHeader, QStringLiteral("LabelSelfTitle"), 8, 7, 60, 18);
  label(selfHeader, QStringLiteral("LabelSelfMonth"), 76, 7, 100, 18);
  button(selfHeader, QStringLiteral("BtnSelfPrevMonth"), 250, 3, 60, 24);
  button(selfHeader, QStringLiteral("BtnSelfNextMonth"), 316, 3, 60, 24);
  MemoSelf = Memo(panelBottomLeft, QStringLiteral("MemoSelf"));
  left->addWidget(selfHeader);
  left->addWidget(MemoSelf, 1);

  QWidget* panelBottomRight = Panel(panelBottom, QStringLiteral("PanelBottomRight"));
  auto* right = new QVBoxLayout(panelBottomRight);
  right->setContentsMargins(0, 0, 0, 0);
  right->setSpacing(0);
  QWidget* rightNav = Panel(panelBottomRight, QStringLiteral("PanelRightNav"));
  rightNav->setFixedHeight(35);
  button(rightNav, QStringLiteral("BtnCopy"), 8, 5, 70, 25);
  button(rightNav, QStringLiteral("BtnPrint"), 84, 5, 70, 25);
  button(rightNav, QStringLiteral("BtnBack"), 160, 5, 70, 25);
  label(rightNav, QStringLiteral("LabelTainName"), 240, 9, 300, 18);
  label(rightNav, QStringLiteral("LabelTainMonth"), 548, 9, 100, 18);
  MemoTain = Memo(panelBottomRight, QStringLiteral("MemoTain"));
  right->addWidget(rightNav);
  right->addWidget(MemoTain, 1);

  bottom->addWidget(panelBottomLeft);
  bottom->addWidget(panelBottomRight, 1);
  column->addWidget(panelTopGrid);
  column->addWidget(panelBottom, 1);
}

void TfrmDrugInfo::forward(const std::function<void()>& handler, HandlerRunner::Policy policy) {
  if (runner_.run(handler, policy)) showModels();
}

void TfrmDrugInfo::connectEvents() {
  auto onClick = [this](const char* name, void (DrugInfoLogic::*handler)()) {
    auto* b = findChild<QPushButton*>(QString::fromLatin1(name));
    connect(b, &QPushButton::clicked, this,
            [this, handler] { forward([this, handler] { (logic_.*handler)(); }); });
  };
  onClick("BtnSearch", &DrugInfoLogic::BtnSearchClick);
  onClick("BtnPDFY", &DrugInfoLogic::BtnPDFYClick);
  onClick("BtnPDFT", &DrugInfoLogic::BtnPDFTClick);
  onClick("BtnKaikeiMi", &DrugInfoLogic::BtnKaikeiMiClick);
  onClick("BtnPrevDay", &DrugInfoLogic::BtnPrevDayClick);
  onClick("BtnNextDay", &DrugInfoLogic::BtnNextDayClick);
  onClick("BtnToday", &DrugInfoLogic::BtnTodayClick);
  onClick("BtnSelfPrevMonth", &DrugInfoLogic::BtnSelfPrevMonthClick);
  onClick("BtnSelfNextMonth", &DrugInfoLogic::BtnSelfNextMonthClick);
  onClick("BtnCopy", &DrugInfoLogic::BtnCopyClick);
  onClick("BtnPrint", &DrugInfoLogic::BtnPrintClick);
  onClick("BtnBack", &DrugInfoLogic::BtnBackClick);

  connect(EditSearch, &QLineEdit::textEdited, this,
          [this](const QString& text) { logic_.controls().EditSearch.text = text; });
  connect(ComboBoxSearch, &QComboBox::activated, this, [this](int index) {
    logic_.controls().ComboBoxSearch.itemIndex = index;
    forward([this] { logic_.ComboBoxSearchChange(); });
  });
  // A cell is selected when the keyboard moves onto it and whenever the mouse presses it, the
  // current one included: the table reports only changes of the current cell, and the row under a
  // click must be the one that opens.
  auto selectPatientCell = [this](int tableRow, int col) {
    if (tableRow < 0) return;
    const int row = GridRowOfTableRow(tableRow);
    logic_.controls().GridPatient.setRow(row);
    forward([this, col, row] { logic_.GridPatientSelectCell(col, row); });
  };
  connect(GridPatient, &QTableWidget::currentCellChanged, this, selectPatientCell);
  connect(GridPatient, &QTableWidget::cellPressed, this, selectPatientCell);
  connect(GridPatient, &QTableWidget::cellDoubleClicked, this,
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
  connect(TimerRefresh, &QTimer::timeout, this,
          [this] { forward([this] { logic_.TimerRefreshTimer(); }, HandlerRunner::Policy::DropWhenBusy); });
  connect(LabelMedCheck, &CheckIndicatorLabel::clicked, this,
          [this] { forward([this] { logic_.LabelMedCheckClick(); }); });
}

void TfrmDrugInfo::showModels() {
  const DrugInfoControls& c = logic_.controls();
  if (ComboBoxSearch->currentIndex() != c.ComboBoxSearch.itemIndex) {
    ComboBoxSearch->setCurrentIndex(c.ComboBoxSearch.itemIndex);
  }
  if (EditSearch->text() != c.EditSearch.text) EditSearch->setText(c.EditSearch.text);
  EditSearch->setAttribute(Qt::WA_InputMethodEnabled, c.EditSearch.imeMode != ImeMode::Closed);
  ShowButton(this, QStringLiteral("BtnSearch"), c.BtnSearch);
  ShowButton(this, QStringLiteral("BtnPDFY"), c.BtnPDFY);
  ShowButton(this, QStringLiteral("BtnPDFT"), c.BtnPDFT);
  ShowLabel(this, QStringLiteral("LabelDate"), c.LabelDate);
  ShowLabel(this, QStringLiteral("Label1"), c.patientNumberLabel);
  ShowLabel(this, QStringLiteral("Label2"), c.patientNameLabel);
  ShowLabel(this, QStringLiteral("LabelAge"), c.LabelAge);
  ShowLabel(this, QStringLiteral("LabelListState"), c.LabelListState);
  ShowButton(this, QStringLiteral("BtnKaikeiMi"), c.BtnKaikeiMi);
  ShowButton(this, QStringLiteral("BtnPrevDay"), c.BtnPrevDay);
  ShowButton(this, QStringLiteral("BtnNextDay"), c.BtnNextDay);
  ShowButton(this, QStringLiteral("BtnToday"), c.BtnToday);
  ShowStringGrid(GridPatient, c.GridPatient);
  ShowLabel(this, QStringLiteral("LabelJusinreki"), c.LabelJusinreki);
  // The panel's height counts the grid's rows only; the horizontal scroll bar gets room of its own so
  // that it never covers the last row (the check-up row).
  int columnsWidth = 0;
  for (int col = 0; col < c.GridInstitution.colCount(); ++col)
    columnsWidth += c.GridInstitution.colWidth(col);
  const bool scrolls =
      c.GridInstitution.horizontalScrollBar && columnsWidth > GridInstitution->viewport()->width();
  const int scrollBar = scrolls ? GridInstitution->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
  const int panelHeight = c.PanelTopGrid.height + scrollBar;
  if (PanelTopGrid->height() != panelHeight) PanelTopGrid->setFixedHeight(panelHeight);
  ShowStringGrid(GridInstitution, c.GridInstitution);
  ShowLabel(this, QStringLiteral("LabelSelfTitle"), c.LabelSelfTitle);
  ShowLabel(this, QStringLiteral("LabelSelfMonth"), c.LabelSelfMonth);
  ShowButton(this, QStringLiteral("BtnSelfPrevMonth"), c.BtnSelfPrevMonth);
  ShowButton(this, QStringLiteral("BtnSelfNextMonth"), c.BtnSelfNextMonth);
  ShowMemo(MemoSelf, c.MemoSelf);
  ShowButton(this, QStringLiteral("BtnCopy"), c.BtnCopy);
  ShowButton(this, QStringLiteral("BtnPrint"), c.BtnPrint);
  ShowButton(this, QStringLiteral("BtnBack"), c.BtnBack);
  ShowLabel(this, QStringLiteral("LabelTainName"), c.LabelTainName);
  ShowLabel(this, QStringLiteral("LabelTainMonth"), c.LabelTainMonth);
  ShowMemo(MemoTain, c.MemoTain);
  ShowLabel(this, QStringLiteral("LabelPush"), c.LabelPush);
  ShowLabel(this, QStringLiteral("workLabel"), c.workLabel);
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

void TfrmDrugInfo::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  forward([this] { logic_.FormShow(); });
}

void TfrmDrugInfo::done(int result) {
  if (!closed_) {
    closed_ = true;
    forward([this] { logic_.FormClose(); });
  }
  QDialog::done(result);
}

// The window closes by its close box only, as a form does; Escape does not close it.
void TfrmDrugInfo::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}

bool TfrmDrugInfo::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EditSearch && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      bool swallowed = false;
      forward([this, &swallowed] { swallowed = logic_.EditSearchKeyPress(QChar(13)); });
      return swallowed;
    }
  }
  return QDialog::eventFilter(watched, event);
}
