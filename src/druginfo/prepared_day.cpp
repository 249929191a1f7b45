#include "druginfo/prepared_day.h"

#include <QStringList>

#include "core/clock.h"
#include "core/user_settings.h"
#include "orca/patient_number.h"

namespace {

constexpr int kReviewMs = 15000;

}  // namespace

PreparedDay::PreparedDay(OrcaClient& through) : lane_(through) {
  reviewTimer_.setInterval(kReviewMs);
  QObject::connect(&reviewTimer_, &QTimer::timeout, this, &PreparedDay::review);
}

PreparedDay::~PreparedDay() = default;

// Everything an answer or the check depends on; the list's refresh interval and the push link's
// settings change nothing that is kept.
QString PreparedDay::SettingsNow() {
  QStringList values;
  for (const Setting setting :
       {Setting::ApiUrl, Setting::ApiKey, Setting::ApiUser, Setting::PdfFolder, Setting::ServerAddress,
        Setting::InstitutionCode, Setting::InstitutionName, Setting::MedCheckDays, Setting::MedCheckMonths,
        Setting::ConnectionMode, Setting::Prepare}) {
    values << ReadSetting(setting);
  }
  return values.join(QChar(0));
}

void PreparedDay::start() {
  open_ = true;
  settings_ = SettingsNow();
  enabled_ = ReadSetting(Setting::Prepare).trimmed() != QStringLiteral("0");
  day_ = Today();
  reviewTimer_.start();
}

void PreparedDay::stop() {
  open_ = false;
  reviewTimer_.stop();
  dropAll();
}

void PreparedDay::settingsRead() {
  if (!open_) return;
  const QString now = SettingsNow();
  if (now == settings_) return;
  settings_ = now;
  enabled_ = ReadSetting(Setting::Prepare).trimmed() != QStringLiteral("0");
  dropAll();
}

void PreparedDay::showDay(const QDate& day) {
  shownDay_ = day;
  if (paused()) cancelRunning();
}

bool PreparedDay::paused() const {
  return !open_ || !enabled_ || shownDay_ != Today();
}

void PreparedDay::listed(const QDate& day, const QList<ListedPatient>& waiting) {
  dropIfDayEnded();
  if (!open_ || !enabled_ || day != Today()) return;
  QStringList numbers;
  for (const ListedPatient& patient : waiting) {
    const QString number = NormalisePatientNumber(patient.number);
    numbers << number;
    names_[number] = patient.name;
  }
  bool dropped = false;
  for (const QString& gone : queue_.listed(numbers)) {
    names_.remove(gone);
    dropped = kept_.remove(gone) > 0 || dropped;
    if (gone == runningId_) cancelRunning();
  }
  if (dropped) emit changed();
  prepareNext();
}

void PreparedDay::named(const QString& patientId) {
  if (!open_ || !enabled_) return;
  queue_.named(patientId);
}

void PreparedDay::markFound(const QString& patientId) {
  if (!open_ || !enabled_) return;
  queue_.markFound(patientId);
  prepareNext();
}

// What is kept belongs to one day: at midnight it all goes, and the list of the new day starts
// preparing afresh.
void PreparedDay::review() {
  if (!open_) return;
  dropIfDayEnded();
  if (paused()) {
    cancelRunning();
    return;
  }
  prepareNext();
}

void PreparedDay::dropIfDayEnded() {
  if (day_ == Today()) return;
  dropAll();
  day_ = Today();
}

const PreparedPatient* PreparedDay::kept(const QString& patientId) const {
  if (!enabled_) return nullptr;
  const auto found = kept_.constFind(NormalisePatientNumber(patientId));
  return found == kept_.cend() ? nullptr : &*found;
}

const PreparedPatient* PreparedDay::ready(const QString& patientId) const {
  const QString number = NormalisePatientNumber(patientId);
  if (!open_ || !enabled_ || day_ != Today() || preparing(number)) return nullptr;
  if (!queue_.fresh(number, Now())) return nullptr;
  return kept(number);
}

bool PreparedDay::preparing(const QString& patientId) const {
  return running_.valid() && runningId_ == NormalisePatientNumber(patientId);
}

void PreparedDay::dropAll() {
  cancelRunning();
  queue_.clear();
  names_.clear();
  handOver_.reset();
  if (!kept_.isEmpty()) {
    kept_.clear();
    emit changed();
  }
}

// The preparation's requests are aborted with its frame; an opening waiting for it asks itself.
void PreparedDay::cancelRunning() {
  if (!running_.valid()) return;
  ++generation_;
  running_ = Task<void>();
  runningId_.clear();
  handOver_.reset();
  preparationEnded_.wakeAll();
}

void PreparedDay::prepareNext() {
  if (running_.valid() || paused()) return;
  const std::optional<QString> next = queue_.next(Now(), keptCount(), kMostKept);
  if (!next) return;
  runningId_ = *next;
  queue_.began(*next);
  const quint64 generation = ++generation_;
  running_ = prepare(*next, names_.value(*next));
  // Told from the event loop: the task must not be destroyed from inside its own last step.
  running_.start([this, generation] {
    QMetaObject::invokeMethod(
        this, [this, generation] { ended(generation); }, Qt::QueuedConnection);
  });
}

Task<void> PreparedDay::prepare(QString patientId, QString patientName) {
  lane_.setBackground(takers_ == 0);
  std::optional<PreparedPatient> prepared;
  try {
    PreparedPatient done = co_await PreparePatient(lane_, patientId, patientName);
    prepared = std::move(done);
  } catch (const std::exception&) {
    // A saved PDF that cannot be read or a log that cannot be written: the opening says so itself.
  }
  const bool whole = prepared && prepared->whole;
  queue_.ended(patientId, Now(), whole);
  if (whole && queue_.waits(patientId)) {
    kept_.insert(patientId, *prepared);
    emit changed();
  }
  handOver_ = std::move(prepared);
  preparationEnded_.wakeAll();
}

void PreparedDay::ended(quint64 generation) {
  if (generation != generation_) return;  // cancelled, or another runs already
  running_ = Task<void>();
  runningId_.clear();
  prepareNext();
}

Task<std::optional<PreparedPatient>> PreparedDay::takeOver(QString patientId) {
  if (!preparing(patientId)) co_return std::nullopt;
  const QString number = NormalisePatientNumber(patientId);
  // Ended already, its end not yet taken in: what it brought is there.
  if (running_.done()) {
    if (!handOver_ || handOver_->patientId != number) co_return std::nullopt;
    co_return *handOver_;
  }
  ++takers_;
  lane_.setBackground(false);
  struct Lowered {
    PreparedDay* day;
    ~Lowered() {
      if (--day->takers_ == 0) day->lane_.setBackground(true);
    }
  } lowered{this};
  co_await preparationEnded_.wait();
  if (!handOver_ || handOver_->patientId != number) co_return std::nullopt;  // dropped meanwhile
  co_return *handOver_;
}
