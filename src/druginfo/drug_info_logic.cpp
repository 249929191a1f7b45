#include "druginfo/drug_info_logic.h"

#include "core/core_error.h"
#include "orca/response_reader.h"
#include "patients/patient_search.h"
#include "usecases/find_patient.h"
#include "usecases/patient_grid.h"
#include "windowmodel/handler_guard.h"

namespace {

// What the write-trouble teller has told already, however many jobs it ends.
bool IsWriteTrouble(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const FileWriteError&) {
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace

DrugInfoLogic::DrugInfoLogic(DrugInfoUi& ui) : shared_(ui), list_(shared_), patient_(shared_) {
  // Told from the event loop: the writer that failed may be deep inside a request.
  teller_.emplace([this](const QString& text) {
    QMetaObject::invokeMethod(
        &patient_, [this, text] { showWriteTrouble(text); }, Qt::QueuedConnection);
  });
  follow(list_.job());
  follow(patient_.job());
  follow(patient_.monthJob());
  // The list load's end comes before a reload a pushed change asked for meanwhile.
  QObject::connect(&list_.job(), &Job::ended, &list_.job(), [this] { list_.loadEnded(); });
  // A search by number puts its patient alone in the list, selected and with the mark known for the day.
  QObject::connect(&patient_, &PatientPanes::patientFound, &patient_,
                   [this](const QString& patientId, const QString& patientName) {
                     list_.replaceWith({{patientId, patientName, false}});
                     list_.selectRow(1);
                   });
  QObject::connect(&patient_, &PatientPanes::panesShown, &patient_, [this] { list_.CheckTainPermission(); });
  // An ORCA without WebORCA, found by the first request, has its pusher on a port of its own.
  QObject::connect(&shared_.client, &OrcaClient::classicFormFound, &patient_, [this] {
    if (open_) list_.StartPush();
  });
}

DrugInfoLogic::~DrugInfoLogic() = default;

// Every job's progress shows in the work text; its end shows its box or its error.
void DrugInfoLogic::follow(Job& job) {
  QObject::connect(&job, &Job::runningChanged, &job, [this] { showWork(); });
  QObject::connect(&job.progress(), &Progress::changed, &job, [this] {
    showWork();
    shared_.ui.ModelsChanged();
  });
  QObject::connect(&job, &Job::ended, &job,
                   [this](const std::optional<UserMessage>& message, std::exception_ptr error) {
                     showJobEnd(message, error);
                   });
}

void DrugInfoLogic::FormShow() {
  shared_.prepared.start();
  patient_.open();
  list_.open();
  open_ = true;
  InitSet();
  list_.StartPush();
}

// Nothing that was asked for arrives after the window has closed, and the push socket closes with it.
void DrugInfoLogic::FormClose() {
  open_ = false;
  teller_.reset();
  list_.close();
  patient_.close();
  shared_.prepared.stop();
  showWork();
}

void DrugInfoLogic::InitSet() {
  list_.InitSet();
  patient_.InitSet();
  GetWebORCAInfo();
  if (shared_.connection.configured()) LoadPatientList();
}

// The settings may have changed the server, the user or the key: the push link follows them.
void DrugInfoLogic::MenuWebORCAClick() {
  shared_.ui.OpenSettingsWindow();
  GetWebORCAInfo();
  if (open_) list_.StartPush();
}

void DrugInfoLogic::BtnSearchClick() {
  const QString text = TrimBlanksAndControls(shared_.controls.EditSearch.text);
  if (text.isEmpty()) return;
  switch (static_cast<SearchKind>(shared_.controls.ComboBoxSearch.itemIndex)) {
    case SearchKind::PatientNumber:
      SearchByPatientID(text);
      break;
    case SearchKind::Name:
      SearchByName(text);
      break;
  }
}

bool DrugInfoLogic::EditSearchKeyPress(QChar key) {
  if (key != QChar(13)) return false;
  BtnSearchClick();
  return true;
}

void DrugInfoLogic::ComboBoxSearchChange() {
  DrugInfoControls& c = shared_.controls;
  c.EditSearch.text.clear();
  const bool names = c.ComboBoxSearch.itemIndex == static_cast<int>(SearchKind::Name);
  c.EditSearch.imeMode = names ? ImeMode::Hiragana : ImeMode::Closed;
  shared_.ui.SetFocus(QStringLiteral("EditSearch"));
}

// One hit is opened as a search by number opens it; several replace the list and are probed.
void DrugInfoLogic::SearchByName(const QString& text) {
  const NameSearch found = FindPatientsByName(text);
  if (found.message) {
    shared_.ui.MessageBox(found.message->kind, found.message->text);
    return;
  }
  if (found.hits.size() == 1) {
    SearchByPatientID(found.hits.first().key);
    return;
  }
  QList<ListedPatient> hits;
  for (const CachedPatient& hit : found.hits) hits.append({hit.key, hit.name, false});
  list_.replaceWith(hits);
  list_.CheckTainPermission();
}

void DrugInfoLogic::GridPatientDblClick() {
  const int row = list_.patientRow();
  if (row < 1) return;
  patient_.openRow(list_.numberAt(row), list_.nameAt(row));
}

// A job's end is shown as a handler shows what it has to say: a timer tick meanwhile is dropped.
void DrugInfoLogic::showJobEnd(const std::optional<UserMessage>& message, std::exception_ptr error) {
  const HandlerGuard guard;
  if (error) {
    if (!IsWriteTrouble(error)) shared_.ui.ReportError(error);
  } else if (message) {
    shared_.ui.MessageBox(message->kind, message->text);
  }
  shared_.ui.ModelsChanged();
}

// As a job's end is shown; nothing once the window has closed.
void DrugInfoLogic::showWriteTrouble(const QString& text) {
  if (!teller_) return;
  const HandlerGuard guard;
  shared_.ui.MessageBox(MessageKind::Warning, text);
  shared_.ui.ModelsChanged();
}

// "受付一覧", "マイナ 5/14", "他院薬歴 5/14" … side by side, for every job that runs.
void DrugInfoLogic::showWork() {
  QStringList parts;
  for (const Job* job : {&list_.job(), &patient_.job(), &patient_.monthJob()}) {
    const Progress::Value& progress = job->progress().value();
    if (progress.label.isEmpty()) continue;
    parts << (progress.total > 0
                  ? QStringLiteral("%1 %2/%3").arg(progress.label).arg(progress.done).arg(progress.total)
                  : progress.label);
  }
  DrugInfoControls& c = shared_.controls;
  c.workLabel.text = parts.join(QStringLiteral("　"));
  c.workLabel.visible = !parts.isEmpty();
  c.working = list_.job().running() || patient_.job().running() || patient_.monthJob().running();
}
