// A reception-list load: from the answer to the filled grid and patient cache, and the requests
// one load sends.
#include <benchmark/benchmark.h>

#include <memory>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "async/run_blocking.h"
#include "core/program_folder.h"
#include "core/user_settings.h"
#include "druginfo/drug_info_logic.h"
#include "druginfo/headless_drug_info_ui.h"
#include "orca/response_reader.h"
#include "patients/online_marks.h"
#include "patients/patient_cache.h"
#include "scripted_orca.h"
#include "usecases/list_day.h"

namespace {

class SilentUi : public HeadlessDrugInfoUi {
 public:
  void MessageBox(MessageKind, const QString&) override {}
};

QByteArray CacheOf(int patients) {
  QByteArray bytes("\xEF\xBB\xBF");
  for (int i = 1; i <= patients; ++i) bytes += QStringLiteral("%1,患者　%1\r\n").arg(i).toUtf8();
  return bytes;
}

// 300 receptions: half of them already cached, half new.
QList<AnswerReception> Receptions(int count, int firstId) {
  QList<AnswerReception> receptions;
  for (int i = 0; i < count; ++i) {
    receptions.append(AnswerReception(QString::number(firstId + i), QStringLiteral("受付　%1").arg(i),
                                      i % 3 ? QString() : QStringLiteral("10:00:00")));
  }
  return receptions;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly)) std::abort();
  f.write(bytes);
}

void BM_ParseListIntoGridAndCache(benchmark::State& state) {
  QTemporaryDir dir;
  SetProgramFolder(dir.path());
  const QByteArray cache = CacheOf(20000);
  const QByteArray answer = AcceptanceAnswer(Receptions(300, 19851));
  StringGrid grid(4, 2);
  for (auto _ : state) {
    state.PauseTiming();
    WriteFile(GetCacheFilePath(), cache);
    state.ResumeTiming();
    FillPatientGrid(grid, ListedPatientsOf(ResponseLines(answer), ListMode::All).patients);
  }
  state.counters["rows"] = grid.rowCount() - 1;
  state.counters["cacheLines"] = ReadCacheLines(GetCacheFilePath()).size();
}
BENCHMARK(BM_ParseListIntoGridAndCache)->Unit(benchmark::kMillisecond);

// The same 300 patients fed one by one, each reading and rewriting the whole file: what a load
// cost before the cache was read once per load.
void BM_PerPatientCacheWrites(benchmark::State& state) {
  QTemporaryDir dir;
  SetProgramFolder(dir.path());
  const QByteArray cache = CacheOf(20000);
  const QList<AnswerReception> receptions = Receptions(300, 19851);
  for (auto _ : state) {
    state.PauseTiming();
    WriteFile(GetCacheFilePath(), cache);
    state.ResumeTiming();
    for (const AnswerReception& r : receptions) SavePatientCache(r.patientId, r.name);
  }
}
BENCHMARK(BM_PerPatientCacheWrites)->Unit(benchmark::kMillisecond);

// The first load of 30 patients over loopback in a window just opened, none of them with online
// information: the worst case of the marks, three probes per patient.
void BM_LoadListOf30Requests(benchmark::State& state) {
  QTemporaryDir dir;
  SetProgramFolder(dir.path());
  ScriptedOrca orca;
  orca.configure();
  orca.answer(QStringLiteral("api01rv2/acceptlstv2?class=03"),
              HttpAction::Ok(AcceptanceAnswer(Receptions(30, 1))));
  const HttpAction nothing = HttpAction::Ok("<xmlio2>\n</xmlio2>\n");
  orca.answer(QStringLiteral("api01rv2/onlinedruggetv2"), nothing);
  orca.answer(QStringLiteral("api01rv2/onlinemedgetv2"), nothing);
  orca.answer(QStringLiteral("api01rv2/onlinespecgetv2"), nothing);
  SilentUi ui;
  qsizetype requests = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto logic = std::make_unique<DrugInfoLogic>(ui);
    logic->GetWebORCAInfo();
    orca.clearRecord();
    state.ResumeTiming();
    logic->LoadPatientList();
    RunUntil([&logic] { return !logic->working(); });
    requests = orca.requests().size();
  }
  state.counters["requests"] = static_cast<double>(requests);
}
BENCHMARK(BM_LoadListOf30Requests)->Unit(benchmark::kMillisecond)->Iterations(5);

// A refresh of a day of 80 receptions, every patient already marked and nothing new, with
// answers after 20 ms: the marked patients are not probed again, so one request remains.
void BM_RefreshOf80Marked(benchmark::State& state) {
  QTemporaryDir dir;
  SetProgramFolder(dir.path());
  ScriptedOrca orca;
  orca.configure();
  WriteSetting(Setting::Parallel, QString::number(state.range(0)));
  const int latencyMs = 20;
  orca.answer(QStringLiteral("api01rv2/acceptlstv2?class=03"),
              HttpAction::Ok(AcceptanceAnswer(Receptions(80, 1))).after(latencyMs));
  orca.answer(QStringLiteral("api01rv2/onlinedruggetv2"),
              HttpAction::Ok("<xmlio2>\n<MeTrMonth type=\"string\">2024-05</MeTrMonth>\n</xmlio2>\n")
                  .after(latencyMs));
  SilentUi ui;
  DrugInfoLogic logic(ui);
  logic.GetWebORCAInfo();
  logic.FormShow();  // the first load marks every patient
  RunUntil([&logic] { return !logic.working(); });
  const StringGrid& grid = logic.controls().GridPatient;
  for (int row = 1; row < grid.rowCount(); ++row) {
    if (grid.cell(3, row) != kOnlineInformationMark) {
      state.SkipWithError(("not every patient was marked by the first load: " +
                           grid.rowCells(row).join(QLatin1Char('|')).toStdString())
                              .c_str());
      return;
    }
  }
  qsizetype requests = 0;
  for (auto _ : state) {
    orca.clearRecord();
    logic.TimerRefreshTimer();
    RunUntil([&logic] { return !logic.working(); });
    requests = orca.requests().size();
  }
  state.counters["rows"] = grid.rowCount() - 1;
  state.counters["requests"] = static_cast<double>(requests);
}
BENCHMARK(BM_RefreshOf80Marked)
    ->ArgName("parallel")
    ->Arg(1)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace
