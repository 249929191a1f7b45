// rinmed-screenshots PROGRAM_FOLDER OUTPUT_DIR
// Shows the launcher, the drug-information window (today's list, then a patient opened), the
// settings window in both modes, the contact window and the medication check's findings of the
// demo's interacting patient as the program would, with user.ini and the working files in
// PROGRAM_FOLDER, and saves each window as a PNG in OUTPUT_DIR.
#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPixmap>
#include <QTableWidget>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "app/contact_window.h"
#include "app/main_window.h"
#include "app/rinmed_application.h"
#include "async/run_blocking.h"
#include "core/program_folder.h"
#include "core/user_settings.h"
#include "druginfo/drug_info_view.h"
#include "findings/findings_window.h"
#include "settings/setting_view.h"
#include "windowmodel/string_grid.h"

namespace {

void Fail(const QString& message) {
  std::fprintf(stderr, "rinmed-screenshots: %s\n", message.toLocal8Bit().constData());
  std::exit(1);
}

// Waits for the window's work in the background (the list and its marks, an opened patient).
void WaitForWork(const DrugInfoLogic& logic) {
  if (!RunUntil([&logic] { return !logic.working(); })) Fail(QStringLiteral("the window's work did not end"));
}

// Lets pending layout and paint events run so that the grab shows the final state.
void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

void Save(QWidget& window, const QDir& out, const QString& name) {
  Settle();
  if (!window.grab().save(out.filePath(name), "PNG"))
    Fail(QStringLiteral("cannot write ") + out.filePath(name));
  std::printf("%s\n", out.filePath(name).toLocal8Bit().constData());
}

// As a mouse does it: a click, then a second press that the platform reports as a double-click.
void DoubleClick(QWidget* target, const QPoint& at) {
  const QPoint global = target->mapToGlobal(at);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
                            QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, global, Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
  }
}

}  // namespace

int main(int argc, char** argv) {
  RinmedApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  if (args.size() != 3) {
    std::fprintf(stderr, "usage: rinmed-screenshots PROGRAM_FOLDER OUTPUT_DIR\n");
    return 2;
  }
  SetProgramFolder(QDir(args.at(1)).absolutePath());
  const QDir out(args.at(2));
  if (!QDir().mkpath(out.absolutePath())) Fail(QStringLiteral("cannot create ") + out.absolutePath());

  // A message box would wait for a click that never comes offscreen.
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] { Fail(QStringLiteral("no screenshot after 90 s")); });
  watchdog.start(90000);

  TfrmMain launcher(LauncherServices::Program());
  launcher.show();
  Save(launcher, out, QStringLiteral("launcher.png"));

  // The window loads today's list and its marks in its first show, as when opened from the launcher.
  TfrmDrugInfo drugInfo(&launcher, [](const QString& typeName, const QString& message) {
    Fail(typeName + QStringLiteral(": ") + message);
  });
  drugInfo.show();
  WaitForWork(drugInfo.logic());
  // The push link connects beside the first load and, once it stands, the list is read once more.
  const DrugInfoLogic& live = drugInfo.logic();
  if (!RunUntil([&live] { return live.push().status().state == PushState::Connected; }))
    Fail(QStringLiteral("the push link did not connect"));
  if (!RunUntil([&live] { return !live.liveReload().reloadPending() && !live.working(); }))
    Fail(QStringLiteral("the list read after connecting did not end"));
  const StringGrid& grid = drugInfo.logic().controls().GridPatient;
  bool listed = false;
  bool marked = false;
  for (int row = 1; row < grid.rowCount(); ++row) {
    listed = listed || !grid.cell(1, row).isEmpty();
    marked = marked || !grid.cell(3, row).isEmpty();
  }
  if (!listed || !marked) Fail(QStringLiteral("the drug-information window shows no marked receptions"));
  // Every waiting patient prepared, so that the list shows each one's check.
  if (!RunUntil([&live] { return !live.prepared().running(); }, 50000))
    Fail(QStringLiteral("the waiting patients were not prepared"));
  Settle();
  Save(drugInfo, out, QStringLiteral("druginfo.png"));

  // Demo patient 1 opened by a double-click on its row: both histories and the grid.
  DrugInfoLogic& logic = drugInfo.logic();
  auto* table = drugInfo.findChild<QTableWidget*>(QStringLiteral("GridPatient"));
  for (int row = 1; row < grid.rowCount(); ++row) {
    if (grid.cell(1, row) != QLatin1String("1")) continue;
    DoubleClick(table->viewport(), table->visualItemRect(table->item(row - 1, 1)).center());
    break;
  }
  WaitForWork(logic);
  if (logic.controls().MemoTain.text().isEmpty()) Fail(QStringLiteral("the opened patient shows no history"));
  Save(drugInfo, out, QStringLiteral("patient.png"));

  // The demo's patient with an interacting pair across institutions, found by number in the
  // window and checked there, before the settings below point elsewhere; its indicator opens the
  // findings window, shown here without the wait of a modal window.
  const QString checked = QStringLiteral("1002");
  logic.controls().ComboBoxSearch.itemIndex = static_cast<int>(SearchKind::PatientNumber);
  logic.controls().EditSearch.text = checked;
  logic.BtnSearchClick();
  WaitForWork(logic);
  const std::optional<MedicationCheck>& check = logic.medicationCheck();
  if (!check || check->count(FindingKind::Interaction) == 0)
    Fail(QStringLiteral("patient 1002 shows no interaction"));
  TfrmMedCheck findings(&launcher, *check, checked + QStringLiteral("　") + logic.patientName());
  findings.show();
  Save(findings, out, QStringLiteral("check.png"));

  // The settings window in both modes; destroyed without closing, so nothing is saved.
  WriteSetting(Setting::ServerAddress, QStringLiteral("192.168.1.10"));
  for (const auto& [mode, name] :
       {std::pair{"1", "settings-cloud.png"}, std::pair{"2", "settings-onpremise.png"}}) {
    WriteSetting(Setting::ConnectionMode, QString::fromLatin1(mode));
    TfrmSetting settings(&launcher,
                         [](const QString& t, const QString& m) { Fail(t + QStringLiteral(": ") + m); });
    settings.show();
    Save(settings, out, QString::fromLatin1(name));
  }

  TfrmContact contact(&launcher);
  contact.show();
  Save(contact, out, QStringLiteral("contact.png"));
  return 0;
}
