// How long input waits while ORCA works: the drug-information window lists a day of 80
// receptions and opens a patient against orca-sim answering after 20 ms, while another thread
// posts a key event to the search box and a mouse move to the patient grid every few
// milliseconds. Each event carries the moment it was posted; the window's filter notes how long
// it waited. The figure is the longest wait, with the load's wall time and the events delivered.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <thread>

#include "async/run_blocking.h"
#include "core/log.h"
#include "core/program_folder.h"
#include "core/user_settings.h"
#include "demo_sim.h"
#include "druginfo/drug_info_view.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kLatencyMs = 20;
constexpr int kReceptions = 80;
constexpr auto kPostEvery = std::chrono::milliseconds(3);

qint64 NowUs() {
  return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch()).count();
}

class StampedKey : public QKeyEvent {
 public:
  explicit StampedKey(const QInputDevice* keyboard)
      : QKeyEvent(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier, 0, 0, 0, QString(), false, 1, keyboard),
        postedUs(NowUs()) {}
  qint64 postedUs;
};

class StampedMove : public QMouseEvent {
 public:
  StampedMove(const QPointingDevice* mouse, QPointF at)
      : QMouseEvent(QEvent::MouseMove, at, at, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier, mouse),
        postedUs(NowUs()) {}
  qint64 postedUs;
};

// Notes the wait of every stamped event that reaches the widgets it watches.
class WaitMeter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    qint64 posted = 0;
    if (auto* key = dynamic_cast<StampedKey*>(event))
      posted = key->postedUs;
    else if (auto* move = dynamic_cast<StampedMove*>(event))
      posted = move->postedUs;
    if (posted == 0) return false;
    const qint64 waited = NowUs() - posted;
    longestUs = std::max(longestUs, waited);
    ++events;
    return true;  // the event was for the meter only
  }
  qint64 longestUs = 0;
  int events = 0;
};

int RequestsInLog() {
  QFile log(GetLogTxt());
  if (!log.open(QIODevice::ReadOnly)) return 0;
  return static_cast<int>(log.readAll().count(" API: "));
}

void BM_InputWaitWhileListingAndOpening(benchmark::State& state) {
  QTemporaryDir folder;
  SetProgramFolder(folder.path());
  QProcess sim;
  StartSim(sim, {"--latency", QString::number(kLatencyMs), "--receptions", QString::number(kReceptions)});
  WriteSetting(Setting::Parallel, QString::number(state.range(0)));
  // Without push notifications: the list read once more after the link comes up is not part of
  // what is measured here.
  WriteSetting(Setting::Push, QStringLiteral("0"));

  const QInputDevice* keyboard = QInputDevice::primaryKeyboard();
  const QPointingDevice* mouse = QPointingDevice::primaryPointingDevice();
  qint64 longestUs = 0, wallMs = 0;
  int events = 0, requests = 0, rows = 0;
  for (auto _ : state) {
    QFile::remove(GetLogTxt());
    WaitMeter meter;
    TfrmDrugInfo window(nullptr, [](const QString&, const QString&) {});
    auto* edit = window.findChild<QLineEdit*>(QStringLiteral("EditSearch"));
    auto* grid = window.findChild<QTableWidget*>(QStringLiteral("GridPatient"));
    edit->installEventFilter(&meter);
    grid->viewport()->installEventFilter(&meter);
    QPointer<QWidget> keyTarget(edit), moveTarget(grid->viewport());

    std::atomic<bool> posting{true};
    std::thread poster([&] {
      bool key = true;
      while (posting) {
        if (key)
          QCoreApplication::postEvent(keyTarget.data(), new StampedKey(keyboard));
        else
          QCoreApplication::postEvent(moveTarget.data(), new StampedMove(mouse, QPointF(20, 20)));
        key = !key;
        std::this_thread::sleep_for(kPostEvery);
      }
    });

    const Clock::time_point start = Clock::now();
    window.show();  // lists the day
    RunUntil([&window] { return window.logic().controls().GridPatient.rowCount() > 1; }, 30000);
    // A patient opened while the marks of the list are still being probed.
    edit->setText(QStringLiteral("1"));
    window.findChild<QPushButton*>(QStringLiteral("BtnSearch"))->click();
    RunUntil([&window] { return !window.logic().working(); }, 60000);
    wallMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    posting = false;
    poster.join();
    QCoreApplication::sendPostedEvents();
    longestUs = meter.longestUs;
    events = meter.events;
    requests = RequestsInLog();
    rows = window.logic().controls().GridPatient.rowCount() - 1;
    window.close();
  }
  state.counters["longest_wait_ms"] = longestUs / 1000.0;
  state.counters["events"] = events;
  state.counters["wall_ms"] = static_cast<double>(wallMs);
  state.counters["requests"] = requests;
  state.counters["rows"] = rows;
  sim.kill();
  sim.waitForFinished();
}

}  // namespace

BENCHMARK(BM_InputWaitWhileListingAndOpening)
    ->ArgName("parallel")
    ->Arg(1)
    ->Arg(4)
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
