// A whole clinic day against orca-sim as a process, the window's clock and timers 60 times as fast
// (8 hours in 8 minutes), the drug-information window's logic with the day prepared ahead:
//
// - a reception every 6 minutes (/sim/accept, patients 1, 2, … 30, then 1 again), pushed to the
//   window; each patient opened by a double-click 5 minutes after it was listed, the own history's
//   month buttons pressed back and forth, and billed (/sim/account) 10 minutes after it was listed;
// - the settings window opened and closed every hour at half past;
// - ORCA restarted at 11:00 and at 14:00 (killed, and started again a simulated minute later on the
//   same port with the day it had: --state); it is ORCA on premises, on 127.0.0.1:8000;
// - at 12:00 a minute (of real time) of answers that each take 2 seconds (/sim/latency);
// - all day 2 % of the answers failing: 1 % HTTP 500, 1 % a connection dropped without an answer.
//
// Each simulated hour it prints the resident memory, the open files, the patients kept prepared and
// the requests so far. At the end it fails (exit status 1) when a request is still in flight once the
// window is idle, when an "API: " line of Log.txt has no outcome line after it, when a message box
// other than the one for a patient whose information did not come appeared or background work ended
// in an error, or when the window's list differs from a fresh `rinmed-cli list`. A sanitizer report
// ends the program by itself (scripts/soak runs it in both builds).
//
// soak_day [--hours N] [--scale N] [--keep]   (--keep: the program folder stays, and is named)
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "async/run_blocking.h"
#include "cli_output.h"
#include "core/clock.h"
#include "core/log.h"
#include "core/program_folder.h"
#include "core/user_settings.h"
#include "demo_sim.h"
#include "druginfo/drug_info_logic.h"
#include "druginfo/headless_drug_info_ui.h"
#include "process_status.h"
#include "settings/setting_logic.h"
#include "sim_control.h"
#include "usecases/patient_grid.h"
#include "usecases/user_messages.h"
#include "windowmodel/headless_desktop.h"

namespace {

void Say(const QString& line) {
  std::printf("%s\n", qPrintable(line));
  std::fflush(stdout);
}

// The settings window's desktop: nothing is asked of it when nothing is changed.
class QuietSettingsUi : public HeadlessDesktop<SettingsUi> {
 public:
  void MessageBox(MessageKind, const QString& text) override { boxes << text; }
  QStringList boxes;
};

// The window's desktop: every box and every error of background work kept; the settings window is
// its logic, shown and closed as the user does without changing anything.
class SoakUi : public HeadlessDrugInfoUi {
 public:
  void MessageBox(MessageKind, const QString& text) override { boxes << text; }
  void ReportError(std::exception_ptr error) override {
    HeadlessDrugInfoUi::ReportError(error);
    errors << jobError;
  }
  void OpenSettingsWindow() override {
    QuietSettingsUi desktop;
    SettingLogic settings(desktop);
    settings.InitSet();
    settings.DataSet();
    settings.FormClose();
    boxes << desktop.boxes;
    ++settingsShown;
  }
  QStringList boxes;
  QStringList errors;
  int settingsShown = 0;
};

void Turn(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// The resident memory once the allocator has handed back what it holds free: what stays is what the
// program holds, not what the threads' heaps happen to keep. Of it, "RssAnon" is the heaps and stacks;
// the rest is the libraries' pages, which grow as more of their code is run for the first time.
long LiveResidentKiB() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
  return ProcessStatusKiB("VmRSS:");
}

qsizetype OpenFiles() {
  return QDir(QStringLiteral("/proc/self/fd"))
      .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)
      .size();
}

// The "API: " lines, and those of them not followed at once by their outcome: a request's lines are
// written together when it ends, so the line after its "API: " line is the first outcome ("Cancelled"
// for a request given up).
struct LogReview {
  int requests = 0;
  QStringList withoutOutcome;
};

LogReview ReviewLog() {
  LogReview review;
  QFile log(GetLogTxt());
  if (!log.open(QIODevice::ReadOnly)) return review;
  const QList<QByteArray> lines = log.readAll().split('\n');
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (!lines.at(i).contains(" API: ")) continue;
    ++review.requests;
    const QByteArray next = lines.value(i + 1);
    const bool outcome = next.contains(" ResponseCode=") || next.contains(" HTTP Error (attempt ") ||
                         next.contains(" Error: ") || next.trimmed().endsWith(" Cancelled");
    if (!outcome) review.withoutOutcome << QString::fromUtf8(lines.at(i));
  }
  return review;
}

// A fresh `rinmed-cli list` of today in the list's mode, from a folder of its own with the same user.ini.
QStringList FreshListing(ListMode mode) {
  QTemporaryDir folder;
  QFile::copy(QDir(ProgramFolder()).filePath(QStringLiteral("user.ini")),
              folder.filePath(QStringLiteral("user.ini")));
  QStringList arguments{QStringLiteral("--folder"), folder.path(), QStringLiteral("list")};
  if (mode == ListMode::InProgress) arguments << QStringLiteral("--in-progress");
  QProcess cli;
  cli.start(QStringLiteral(RINMED_CLI_EXECUTABLE), arguments);
  if (!cli.waitForFinished(120000) || cli.exitCode() != 0) return {QStringLiteral("(rinmed-cli failed)")};
  return QString::fromUtf8(cli.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

int RowOf(const DrugInfoLogic& logic, const QString& number, int nth) {
  const QStringList numbers = PatientNumbersOf(logic.controls().GridPatient);
  for (qsizetype i = 0; i < numbers.size(); ++i) {
    if (numbers.at(i) == number && nth-- == 0) return static_cast<int>(i) + 1;
  }
  return 0;
}

struct Visit {
  QString number;
  int nth = 0;          // the patient's how-many-th row of the day
  qint64 listedAt = 0;  // simulated seconds since the day began
  bool opened = false;
  bool monthsPressed = false;
  bool prepared = false;  // seen kept ready in memory
  bool billed = false;
};

class Day {
 public:
  Day(int hours, int scale, bool keep) : hours_(hours), scale_(scale) {
    folder_.setAutoRemove(!keep);
    if (keep) Say(QStringLiteral("program folder ") + folder_.path());
  }

  int run() {
    SetProgramFolder(folder_.path());
    const QStringList simArguments{"--receptions", "0", "--state", folder_.filePath("orca-state.txt")};
    const QStringList faults{"--seed", "7", "--fail", "*=500%1", "--fail", "*=drop%1"};
    // On premises, as a clinic's ORCA: the settings window keeps such a setup as it is (in cloud mode
    // it would put the cloud's address back), and on premises ORCA's port is 8000.
    orcaArguments_ = simArguments + QStringList{"--port", "8000"};
    url_ = StartSim(sim_, orcaArguments_ + faults);
    if (!url_.endsWith(QLatin1String(":8000"))) {
      Say(QStringLiteral("FAIL  orca-sim cannot listen on 127.0.0.1:8000 (a demo running?)"));
      return 1;
    }
    WriteSetting(Setting::ConnectionMode, QStringLiteral("2"));
    WriteSetting(Setting::ServerAddress, QStringLiteral("127.0.0.1"));
    WriteSetting(Setting::Push, QStringLiteral("1"));
    WriteSetting(Setting::RefreshSeconds, QStringLiteral("60"));
    WriteSetting(Setting::Prepare, QStringLiteral("1"));

    const QDateTime start(QDate::currentDate(), QTime(9, 0));
    sinceStart_.start();
    SetClockForTesting(
        [start, since = sinceStart_, scale = scale_] { return start.addMSecs(since.elapsed() * scale); });
    logic_ = std::make_unique<DrugInfoLogic>(ui_);
    logic_->liveReload().setCoalesceMs(1000 / scale_);
    logic_->liveReload().setQuietMs(300 / scale_);
    logic_->prepared().setReviewIntervalMs(15000 / scale_);
    logic_->push().setTimings(PushTimings{1000, 5000, 100, 5000});
    logic_->FormShow();
    QTimer refresh;
    QObject::connect(&refresh, &QTimer::timeout, [this] { logic_->TimerRefreshTimer(); });
    refresh.start(std::max(1, logic_->controls().TimerRefresh.intervalMs / scale_));

    const long residentAtStart = LiveResidentKiB();
    Say(QStringLiteral("hour  resident MiB  of it heap etc.  open files  kept  requests  boxes"));
    int hourSaid = -1;
    while (simulated() < hours_ * 3600) {
      Turn(50);
      const qint64 now = simulated();
      if (now / 3600 > hourSaid) {
        hourSaid = static_cast<int>(now / 3600);
        report(hourSaid);
      }
      receiveEvery(6 * 60);
      follow(now);
      once(now, 1800 + 3600 * (now / 3600), [this] { logic_->MenuWebORCAClick(); });
      once(now, 2 * 3600, [this, faults] { restartOrca(orcaArguments_ + faults); });
      once(now, 5 * 3600, [this, faults] { restartOrca(orcaArguments_ + faults); });
      once(now, 3 * 3600, [this] { slowMinute(); });
    }
    report(hours_);

    // The end of the day: no more receptions; the list's last refreshes, then the window idle and
    // nothing left in flight.
    Turn(3 * logic_->controls().TimerRefresh.intervalMs / scale_);
    refresh.stop();
    RunUntil(
        [this] {
          return !logic_->working() && !logic_->prepared().running() && !logic_->liveReload().reloadPending();
        },
        120000);
    const int inFlight = logic_->client().requestsInFlight() + logic_->client().requestsWaiting();
    const int kept = logic_->prepared().keptCount();
    const long resident = LiveResidentKiB();
    const QStringList shown = GridRows(logic_->controls().GridPatient);
    const ListMode mode = logic_->listMode();
    logic_->FormClose();
    logic_.reset();
    SetClockForTesting({});

    int failures = 0;
    auto check = [&failures](bool good, const QString& what) {
      Say((good ? QStringLiteral("ok    ") : QStringLiteral("FAIL  ")) + what);
      failures += good ? 0 : 1;
    };
    Say(QStringLiteral("resident %1 MiB at the start, %2 MiB at the end (%3 KiB more), peak %4 MiB")
            .arg(residentAtStart / 1024.0, 0, 'f', 1)
            .arg(resident / 1024.0, 0, 'f', 1)
            .arg(resident - residentAtStart)
            .arg(ProcessStatusKiB("VmHWM:") / 1024.0, 0, 'f', 1));
    Say(QStringLiteral("%1 visits prepared over the day, at most %2 kept at once, %3 at the end: %4 KiB more "
                       "per visit prepared")
            .arg(preparedVisits_)
            .arg(mostKept_)
            .arg(kept)
            .arg(
                preparedVisits_ > 0 ? static_cast<double>(resident - residentAtStart) / preparedVisits_ : 0.0,
                0, 'f', 1));
    Say(QStringLiteral("%1 received, %2 opened (%3 from memory), %4 billed, settings window %5 times")
            .arg(received_)
            .arg(opened_)
            .arg(fromMemory_)
            .arg(billed_)
            .arg(ui_.settingsShown));
    check(inFlight == 0, QStringLiteral("no request in flight at the end (%1)").arg(inFlight));
    const LogReview log = ReviewLog();
    check(log.withoutOutcome.isEmpty(),
          QStringLiteral("every API: line of Log.txt has its outcome (%1 requests, %2 without)")
              .arg(log.requests)
              .arg(log.withoutOutcome.size()));
    for (const QString& line : log.withoutOutcome.mid(0, 5)) Say(QStringLiteral("      ") + line);
    QStringList unexpected;
    for (const QString& box : ui_.boxes) {
      if (box != kNoPatientAnswerText) unexpected << box;
    }
    check(unexpected.isEmpty() && ui_.errors.isEmpty(),
          QStringLiteral("no box but 「%1」 (%2 of those), no error of background work")
              .arg(kNoPatientAnswerText)
              .arg(ui_.boxes.size() - unexpected.size()));
    for (const QString& text : unexpected + ui_.errors) Say(QStringLiteral("      ") + text);
    // The fresh listing is of the day ORCA holds, without the faults: an answer failed on purpose
    // would leave a mark out of it.
    restartOrca(orcaArguments_);
    const QStringList fresh = FreshListing(mode);
    check(shown == fresh,
          QStringLiteral("the list equals a fresh rinmed-cli list (%1 rows)").arg(shown.size()));
    if (shown != fresh) {
      Say(QStringLiteral("      window:\n") + shown.join(QLatin1Char('\n')));
      Say(QStringLiteral("      rinmed-cli:\n") + fresh.join(QLatin1Char('\n')));
    }
    sim_.kill();
    sim_.waitForFinished();
    return failures == 0 ? 0 : 1;
  }

 private:
  qint64 simulated() const { return sinceStart_.elapsed() * scale_ / 1000; }

  void report(int hour) {
    Say(QStringLiteral("%1  %2  %3  %4  %5  %6  %7")
            .arg(hour, 4)
            .arg(LiveResidentKiB() / 1024.0, 12, 'f', 1)
            .arg(ProcessStatusKiB("RssAnon:") / 1024.0, 15, 'f', 1)
            .arg(OpenFiles(), 10)
            .arg(logic_->prepared().keptCount(), 4)
            .arg(ReviewLog().requests, 8)
            .arg(ui_.boxes.size(), 5));
  }

  // Each moment once, the first time the simulated clock has passed it.
  template <class Do>
  void once(qint64 now, qint64 at, Do work) {
    if (now < at || done_.contains(at)) return;
    done_.insert(at);
    work();
  }

  void receiveEvery(int seconds) {
    const qint64 due = simulated() / seconds;
    if (due < nextReception_) return;
    nextReception_ = due + 1;
    const int patient = 1 + received_ % 30;
    if (CallSim(url_, QStringLiteral("/sim/accept"), patient) == 200) ++received_;
  }

  // Every row of the list is a visit: opened 5 minutes after it was first listed, its months pressed
  // once its panes are there, billed 10 minutes after it.
  void follow(qint64 now) {
    QHash<QString, int> seen;
    for (const QString& number : PatientNumbersOf(logic_->controls().GridPatient)) {
      if (number.isEmpty()) continue;
      const int nth = seen[number]++;
      const QString key = number + QLatin1Char('#') + QString::number(nth);
      if (!visits_.contains(key)) visits_.insert(key, Visit{number, nth, now});
    }
    mostKept_ = std::max(mostKept_, logic_->prepared().keptCount());
    for (Visit& visit : visits_) {
      if (!visit.prepared && logic_->prepared().ready(visit.number)) {
        visit.prepared = true;
        ++preparedVisits_;
      }
      const qint64 age = now - visit.listedAt;
      const int row = RowOf(*logic_, visit.number, visit.nth);
      if (age >= 5 * 60 && !visit.opened && row > 0 && !logic_->working()) {
        visit.opened = true;
        ++opened_;
        fromMemory_ += logic_->prepared().ready(visit.number) ? 1 : 0;
        logic_->GridPatientSelectCell(1, row);
        logic_->GridPatientDblClick();
      } else if (visit.opened && !visit.monthsPressed && !logic_->working() &&
                 logic_->patientId() == visit.number) {
        visit.monthsPressed = true;
        logic_->BtnSelfPrevMonthClick();
        RunUntil([this] { return !logic_->working(); }, 120000);
        logic_->BtnSelfNextMonthClick();
      }
      if (age >= 10 * 60 && !visit.billed) {
        visit.billed = true;
        if (CallSim(url_, QStringLiteral("/sim/account"), visit.number.toInt()) == 200) ++billed_;
      }
    }
  }

  void restartOrca(const QStringList& arguments) {
    Say(QStringLiteral("ORCA restarted"));
    sim_.kill();
    sim_.waitForFinished();
    Turn(60 * 1000 / scale_);
    StartSim(sim_, arguments);
  }

  void slowMinute() {
    Say(QStringLiteral("a minute of 2-second answers"));
    CallSimForm(url_, QStringLiteral("/sim/latency"), "MS=2000");
    QTimer::singleShot(60000, [url = url_] { CallSimForm(url, QStringLiteral("/sim/latency"), "MS=0"); });
  }

  const int hours_;
  const int scale_;
  QTemporaryDir folder_;
  QProcess sim_;
  QString url_;
  QStringList orcaArguments_;  // without the faults
  QElapsedTimer sinceStart_;
  SoakUi ui_;
  std::unique_ptr<DrugInfoLogic> logic_;
  QHash<QString, Visit> visits_;
  QSet<qint64> done_;
  qint64 nextReception_ = 0;
  int received_ = 0, opened_ = 0, fromMemory_ = 0, billed_ = 0, preparedVisits_ = 0, mostKept_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList arguments = app.arguments();
  auto value = [&arguments](const char* name, int fallback) {
    const qsizetype at = arguments.indexOf(QLatin1String(name));
    return at >= 0 ? arguments.value(at + 1).toInt() : fallback;
  };
  const int hours = value("--hours", 8);
  const int scale = value("--scale", 60);
  if (hours < 1 || scale < 1) {
    std::fprintf(stderr, "soak_day [--hours N] [--scale N] [--keep]\n");
    return 2;
  }
  Day day(hours, scale, arguments.contains(QStringLiteral("--keep")));
  return day.run();
}
