// Today's waiting patients prepared ahead, against orca-sim as a process answering after 100 ms.
//
// BM_DoubleClickToPanes: the window's logic in process; the time from a double-click on patient 1's row
// to its panes shown (the patient job ended). Argument 1: the patient prepared (shown from memory);
// 0: preparing off, the whole road at 100 ms a request. The median of 5 openings.
//
// BM_PushedReceptionToIcon: the time from POST /sim/accept to the check's icon in the new row, for
// demo patients 1, 1001, 1002, 1003 and 2 received one after another, each once the last is prepared.
//
// BM_MemoryOfPreparedPatients: the resident memory of about 100 prepared patients of a busy day.
//
// BM_SavedPdfMonthsOfTheLargestDemoPdf: the saved PDF step of a preparation, on the window's thread.
//
// BM_SimulatedDay: eight hours of a demo day at 60 times the speed (8 minutes), the window's clock and
// timers scaled alike: a reception every 6 minutes (orca-sim --push-every 6), each billed 10 minutes
// after it and opened by a double-click 5 minutes after it. Argument 1: preparing on; 0: off. Counts the
// requests ("API: " lines of Log.txt), Log.txt's bytes and how many openings came from memory.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

#include "async/run_blocking.h"
#include "core/clock.h"
#include "core/log.h"
#include "core/program_folder.h"
#include "core/user_settings.h"
#include "demo_sim.h"
#include "druginfo/drug_info_logic.h"
#include "druginfo/headless_drug_info_ui.h"
#include "process_status.h"
#include "savedpdf/drug_pdf_merge.h"
#include "sim_control.h"
#include "usecases/patient_grid.h"

namespace {

class CountingUi : public HeadlessDrugInfoUi {
 public:
  void MessageBox(MessageKind, const QString&) override { ++boxes; }
  int boxes = 0;
};

void Turn(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

bool Settled(const DrugInfoLogic& logic) {
  return RunUntil([&logic] { return !logic.liveReload().reloadPending() && !logic.working(); });
}

int RowOf(const DrugInfoLogic& logic, const QString& number) {
  return static_cast<int>(PatientNumbersOf(logic.controls().GridPatient).indexOf(number)) + 1;
}

bool OpenRow(DrugInfoLogic& logic, const QString& number) {
  const int row = RowOf(logic, number);
  if (row < 1) return false;
  logic.GridPatientSelectCell(1, row);
  logic.GridPatientDblClick();
  return true;
}

double Median(QList<double> values) {
  std::sort(values.begin(), values.end());
  return values.isEmpty() ? 0 : values[values.size() / 2];
}

int LoggedRequests() {
  QFile log(GetLogTxt());
  if (!log.open(QIODevice::ReadOnly)) return 0;
  int count = 0;
  for (const QByteArray& line : log.readAll().split('\n')) count += line.contains(" API: ") ? 1 : 0;
  return count;
}

struct Window {
  QTemporaryDir folder;
  QProcess sim;
  QString url;
  CountingUi ui;
  std::unique_ptr<DrugInfoLogic> logic;

  explicit Window(bool prepare, const QStringList& simArguments = {"--receptions", "0", "--latency", "100"}) {
    SetProgramFolder(folder.path());
    url = StartSim(sim, simArguments);
    WriteSetting(Setting::Push, QStringLiteral("1"));
    WriteSetting(Setting::RefreshSeconds, QStringLiteral("3600"));
    WriteSetting(Setting::Prepare, prepare ? QStringLiteral("1") : QStringLiteral("0"));
    logic = std::make_unique<DrugInfoLogic>(ui);
  }
  ~Window() {
    logic->FormClose();
    logic.reset();
    sim.kill();
    sim.waitForFinished();
  }
  bool open() {
    logic->FormShow();
    return RunUntil([this] { return logic->push().status().state == PushState::Connected; }) &&
           Settled(*logic);
  }
};

void BM_DoubleClickToPanes(benchmark::State& state) {
  const bool prepared = state.range(0) == 1;
  QList<double> ms;
  for (auto _ : state) {
    Window window(prepared);
    DrugInfoLogic& logic = *window.logic;
    if (!window.open()) state.SkipWithError("no push link");
    CallSim(window.url, QStringLiteral("/sim/accept"), 1);
    if (!RunUntil([&] { return RowOf(logic, QStringLiteral("1")) >= 1; })) state.SkipWithError("not listed");
    if (prepared && !RunUntil([&] { return logic.prepared().ready(QStringLiteral("1")) != nullptr; }, 120000))
      state.SkipWithError("not prepared");
    Settled(logic);
    for (int i = 0; i < 5; ++i) {
      QElapsedTimer timer;
      timer.start();
      OpenRow(logic, QStringLiteral("1"));
      RunUntil([&] { return !logic.working() || !logic.controls().MemoTain.lines.isEmpty(); });
      RunUntil([&] { return !logic.working(); });
      ms << static_cast<double>(timer.nsecsElapsed()) / 1e6;
      Settled(logic);
    }
    if (window.ui.boxes > 0) state.SkipWithError("a message box");
  }
  state.counters["medianMs"] = Median(ms);
  state.counters["slowestMs"] = *std::max_element(ms.begin(), ms.end());
}
BENCHMARK(BM_DoubleClickToPanes)->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kSecond);

void BM_PushedReceptionToIcon(benchmark::State& state) {
  QList<double> ms;
  for (auto _ : state) {
    Window window(true);
    DrugInfoLogic& logic = *window.logic;
    if (!window.open()) state.SkipWithError("no push link");
    for (int patient : {1, 1001, 1002, 1003, 2}) {
      const QString number = QString::number(patient);
      QElapsedTimer timer;
      timer.start();
      CallSim(window.url, QStringLiteral("/sim/accept"), patient);
      const bool shown = RunUntil(
          [&] {
            const int row = RowOf(logic, number);
            return row >= 1 && logic.controls().GridPatient.cellIcon(2, row) != CellIcon::None;
          },
          120000);
      if (!shown) state.SkipWithError("no icon");
      ms << static_cast<double>(timer.nsecsElapsed()) / 1e6;
      RunUntil([&] { return !logic.prepared().running(); }, 120000);
      Settled(logic);
    }
  }
  state.counters["medianMs"] = Median(ms);
  state.counters["slowestMs"] = *std::max_element(ms.begin(), ms.end());
}
BENCHMARK(BM_PushedReceptionToIcon)->Iterations(1)->Unit(benchmark::kSecond);

void BM_SimulatedDay(benchmark::State& state) {
  constexpr int kScale = 60;
  constexpr int kHours = 8;
  const bool prepare = state.range(0) == 1;
  for (auto _ : state) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    const QDateTime start(QDate::currentDate(), QTime(9, 0));
    SetClockForTesting([start, sinceStart] { return start.addMSecs(sinceStart.elapsed() * kScale); });
    Window window(prepare, {"--receptions", "0", "--push-every", QString::number(360 / kScale)});
    DrugInfoLogic& logic = *window.logic;
    logic.liveReload().setCoalesceMs(1000 / kScale);
    logic.liveReload().setQuietMs(300 / kScale);
    logic.prepared().setReviewIntervalMs(15000 / kScale);
    if (!window.open()) state.SkipWithError("no push link");

    // The window's refresh timer, as the view runs it; every reception opened 5 minutes after it was
    // listed and billed 10 minutes after it.
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { logic.TimerRefreshTimer(); });
    timer.start(logic.controls().TimerRefresh.intervalMs / kScale);
    // A visit is the k-th row of a patient's number: a patient received again after their billing is
    // listed once more.
    struct Visit {
      QString number;
      int row = 0;
      qint64 listedAt = 0;
      bool opened = false;
      bool billed = false;
    };
    QHash<QString, Visit> visits;
    int fromMemory = 0;
    int openings = 0;
    QElapsedTimer day;
    day.start();
    while (day.elapsed() < kHours * 3600 * 1000 / kScale) {
      Turn(50);
      QHash<QString, int> seen;
      const QStringList numbers = PatientNumbersOf(logic.controls().GridPatient);
      for (qsizetype i = 0; i < numbers.size(); ++i) {
        if (numbers.at(i).isEmpty()) continue;
        const QString key = numbers.at(i) + QLatin1Char('#') + QString::number(seen[numbers.at(i)]++);
        Visit& visit = visits[key];
        if (visit.number.isEmpty()) visit = {numbers.at(i), 0, day.elapsed(), false, false};
        visit.row = static_cast<int>(i) + 1;
      }
      for (Visit& visit : visits) {
        const qint64 age = (day.elapsed() - visit.listedAt) * kScale / 1000;  // simulated seconds
        if (age >= 5 * 60 && !visit.opened && !logic.working()) {
          visit.opened = true;
          ++openings;
          fromMemory += logic.prepared().ready(visit.number) ? 1 : 0;
          logic.GridPatientSelectCell(1, visit.row);
          logic.GridPatientDblClick();
        }
        if (age >= 10 * 60 && !visit.billed) {
          visit.billed = true;
          CallSim(window.url, QStringLiteral("/sim/account"), visit.number.toInt());
        }
      }
    }
    timer.stop();
    Settled(logic);
    state.counters["requests"] = LoggedRequests();
    state.counters["logBytes"] = static_cast<double>(QFileInfo(GetLogTxt()).size());
    state.counters["opened"] = openings;
    state.counters["fromMemory"] = fromMemory;
    state.counters["boxes"] = window.ui.boxes;
    SetClockForTesting({});
  }
}
BENCHMARK(BM_SimulatedDay)->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kSecond);

// The memory that 100 prepared patients take: a busy day of 250 receptions (about 100 of them in
// progress) prepared in full without latency, the resident size before and after, per patient kept.
void BM_MemoryOfPreparedPatients(benchmark::State& state) {
  for (auto _ : state) {
    Window window(true, {"--receptions", "250"});
    DrugInfoLogic& logic = *window.logic;
    const long before = ProcessStatusKiB("VmRSS:");
    if (!window.open()) state.SkipWithError("no push link");
    RunUntil([&] { return logic.prepared().keptCount() >= 100 && !logic.prepared().running(); }, 600000);
    Settled(logic);
    const long after = ProcessStatusKiB("VmRSS:");
    const int kept = logic.prepared().keptCount();
    state.counters["kept"] = kept;
    state.counters["residentBeforeMiB"] = static_cast<double>(before) / 1024;
    state.counters["residentAfterMiB"] = static_cast<double>(after) / 1024;
    state.counters["perPatientKiB"] = kept > 0 ? static_cast<double>(after - before) / kept : 0;
  }
}
BENCHMARK(BM_MemoryOfPreparedPatients)->Iterations(1)->Unit(benchmark::kSecond);

// The saved drug-information PDF's months as a preparation reads them on the window's thread: the
// largest demo PDF (patient 1's), with its log lines.
void BM_SavedPdfMonthsOfTheLargestDemoPdf(benchmark::State& state) {
  QTemporaryDir folder;
  SetProgramFolder(folder.path());
  WriteSetting(Setting::PdfFolder, QStringLiteral(RINMED_DEMO_PDF_DIR));
  for (auto _ : state) {
    TainLists lists;
    MergeSavedDrugPdf(lists, {QStringLiteral("1"), QStringLiteral("山田　太郎"), QStringLiteral("1234567"),
                              QStringLiteral("見本台内科クリニック")});
    if (lists.treatmentMonths.isEmpty()) state.SkipWithError("no months read");
    benchmark::DoNotOptimize(lists);
  }
}
BENCHMARK(BM_SavedPdfMonthsOfTheLargestDemoPdf)->Unit(benchmark::kMillisecond);

}  // namespace
