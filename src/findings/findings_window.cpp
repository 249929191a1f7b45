#include "findings/findings_window.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "findings/tone_colour.h"
#include "windowmodel/handler_runner.h"
#include "widgets/error_report.h"
#include "widgets/qt_desktop.h"
#include "widgets/ui_fonts.h"

namespace {

using DesktopFindingsUi = QtDesktop<FindingsUi>;

QLabel* Label(QWidget* parent, const QString& name, const LabelModel& model) {
  auto* label = new QLabel(model.text, parent);
  label->setObjectName(name);
  label->setVisible(model.visible);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

void Colour(QLabel* label, CheckTone tone) {
  const QColor colour = ToneColour(tone);
  if (!colour.isValid()) return;
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, colour);
  label->setPalette(p);
}

QTreeWidget* FindingsTree(QWidget* parent, const QList<FindingGroup>& groups) {
  auto* tree = new QTreeWidget(parent);
  tree->setObjectName(QStringLiteral("TreeFindings"));
  tree->setColumnCount(1);
  tree->setHeaderHidden(true);
  tree->setFont(FixedPitchUiFont(12));
  tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree->setSelectionMode(QAbstractItemView::SingleSelection);
  tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  for (const FindingGroup& group : groups) {
    auto* top = new QTreeWidgetItem(tree, {group.title});
    QFont bold = tree->font();
    bold.setBold(true);
    top->setFont(0, bold);
    const QColor colour = ToneColour(group.tone);
    if (colour.isValid()) top->setForeground(0, colour);
    for (const FindingEntry& entry : group.entries) {
      auto* item = new QTreeWidgetItem(top, {entry.heading});
      for (const QString& detail : entry.details) new QTreeWidgetItem(item, {detail});
    }
  }
  tree->expandAll();
  return tree;
}

}  // namespace

TfrmMedCheck::TfrmMedCheck(QWidget* owner, MedicationCheck check, QString patientLine, FindingsUi* services)
    : QDialog(owner),
      ownServices_(services ? nullptr : std::make_unique<DesktopFindingsUi>(this, [] {})),
      logic_(services ? *services : *ownServices_, std::move(check), std::move(patientLine)) {
  setObjectName(QStringLiteral("frmMedCheck"));
  setWindowTitle(QStringLiteral("併用・重複チェック"));
  setFont(ProportionalUiFont(12));
  build();
  resize(760, 520);
  const QRect over = owner ? owner->window()->frameGeometry()
                     : QGuiApplication::primaryScreen()
                         ? QGuiApplication::primaryScreen()->availableGeometry()
                         : QRect();
  if (over.isValid()) move(over.center() - rect().center());
}

TfrmMedCheck::~TfrmMedCheck() = default;

void TfrmMedCheck::build() {
  const FindingsControls& c = logic_.controls();
  auto* layout = new QVBoxLayout(this);
  QLabel* patient = Label(this, QStringLiteral("LabelPatient"), c.LabelPatient);
  QFont large = ProportionalUiFont(14);
  large.setBold(true);
  patient->setFont(large);
  layout->addWidget(patient);
  QLabel* status = Label(this, QStringLiteral("LabelStatus"), c.LabelStatus);
  status->setFont(large);
  Colour(status, c.statusTone);
  layout->addWidget(status);
  layout->addWidget(FindingsTree(this, c.TreeFindings), 1);

  auto* buttons = new QHBoxLayout;
  auto button = [this, buttons](const QString& name, const ButtonModel& model,
                                std::function<void()> handler) {
    auto* b = new QPushButton(model.caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setVisible(model.visible);
    b->setEnabled(model.enabled);
    b->setMinimumWidth(80);
    connect(b, &QPushButton::clicked, this, [this, handler] { forward(handler); });
    buttons->addWidget(b);
  };
  button(QStringLiteral("BtnCopy"), c.BtnCopy, [this] { logic_.BtnCopyClick(); });
  button(QStringLiteral("BtnPrint"), c.BtnPrint, [this] { logic_.BtnPrintClick(); });
  buttons->addStretch(1);
  button(QStringLiteral("BtnClose"), c.BtnClose, [this] { accept(); });
  layout->addLayout(buttons);
}

void TfrmMedCheck::forward(const std::function<void()>& handler) {
  RunReportingErrors(handler, [this](const QString& typeName, const QString& message) {
    ShowErrorReport(this, typeName, message);
  });
}

void ShowFindingsWindow(QWidget* owner, const MedicationCheck& check, const QString& patientLine) {
  TfrmMedCheck window(owner, check, patientLine);
  window.exec();
}
