#include "ownhistory/self_history_load.h"

#include "async/in_order.h"
#include "orca/orca_client.h"
#include "orca/patient_number.h"
#include "orca/response_reader.h"
#include "ownhistory/day_visits.h"
#include "ownhistory/medical_get_request.h"
#include "ownhistory/self_drugs.h"
#include "ownhistory/self_month.h"
#include "ownhistory/treated_days.h"

namespace {

constexpr int kStepBackMonths = 6;

// The answer's lines; nothing when no status-200 answer came, which is noted in `failed`: what the
// load shows may then lack drugs. Every step of the own history waits on the one before, so its
// requests go ahead of those that end a branch of the road.
Task<std::optional<QStringList>> Ask(OrcaClient& client, QString apiPath, QString body, bool* failed) {
  const OrcaAnswer answer = co_await client.post(apiPath, body, OrcaClient::Turn::Ahead);
  if (!answer.ok()) {
    *failed = true;
    co_return std::nullopt;
  }
  co_return answer.lines();
}

Task<std::optional<QStringList>> AskMonth(OrcaClient& client, QString patientId, QString month,
                                          bool* failed) {
  return Ask(client, MedicalGetApiPath(MedicalGetClass::MonthOverview), MedicalGetBody(patientId, month, {}),
             failed);
}

struct LoadedMonth {
  QStringList memo;
  QList<SelfDayDrugs> days;
};

// One treated day's drugs: the day's visits, each asked for its acts, which hold the drugs. The
// drugs of all the day's visits make its one block, in visit order, then in answer order.
Task<QList<TSelfDrug>> LoadDay(OrcaClient& client, QString patientId, QString day, bool* failed) {
  const std::optional<QStringList> visitLines = co_await Ask(
      client, MedicalGetApiPath(MedicalGetClass::DayVisits), MedicalGetBody(patientId, day, {}), failed);
  const QList<DayVisit> visits = visitLines ? DayVisits(*visitLines, day) : QList<DayVisit>();
  QList<TSelfDrug> drugs;
  co_await FetchInOrder<std::optional<QStringList>>(
      static_cast<std::size_t>(visits.size()), client.sideBySide(),
      [&client, &patientId, &day, &visits, failed](std::size_t i) {
        const DayVisit& visit = visits.at(static_cast<qsizetype>(i));
        return Ask(client, MedicalGetApiPath(MedicalGetClass::DayDepartmentActs),
                   MedicalGetActsBody(patientId, day, visit.department, visit.sequentialNumber), failed);
      },
      [&drugs](std::size_t, const std::optional<QStringList>& acts) {
        if (acts) drugs += ReadSelfDrugs(*acts);
      });
  co_return drugs;
}

// The days are asked for side by side when the client allows it; the memo lists them in the
// overview's order all the same.
Task<LoadedMonth> LoadMonth(OrcaClient& client, QString patientId, QString month, bool* failed) {
  LoadedMonth loaded;
  const std::optional<QStringList> overview = co_await AskMonth(client, patientId, month, failed);
  const QStringList days = overview ? TreatedDays(*overview, month) : QStringList();
  co_await FetchInOrder<QList<TSelfDrug>>(
      static_cast<std::size_t>(days.size()), client.sideBySide(),
      [&client, &patientId, &days, failed](std::size_t i) {
        return LoadDay(client, patientId, days.at(static_cast<qsizetype>(i)), failed);
      },
      [&loaded, &days](std::size_t i, const QList<TSelfDrug>& drugs) {
        const QString& day = days.at(static_cast<qsizetype>(i));
        AppendSelfDayBlock(day, drugs, loaded.memo);
        if (!drugs.isEmpty()) loaded.days.append(SelfDayDrugs{day, drugs});
      });
  co_return loaded;
}

bool ShowsText(const QStringList& memo) {
  for (const QString& line : memo) {
    if (!line.trimmed().isEmpty()) return true;
  }
  return false;
}

// The nearest of the six months before `month` whose overview names a drug; failed requests
// count as months without drugs.
Task<std::optional<QString>> StepBack(OrcaClient& client, QString patientId, QString month, bool* failed) {
  for (int k = 1; k <= kStepBackMonths; ++k) {
    const QString earlier = ShiftSelfMonth(month, -k);
    const std::optional<QStringList> overview = co_await AskMonth(client, patientId, earlier, failed);
    if (overview && OverviewHasDrugCode(*overview)) co_return earlier;
  }
  co_return std::nullopt;
}

}  // namespace

Task<std::optional<SelfYakureki>> LoadSelfDrugInfo(OrcaClient& client, QString patientId, QString selfMonth) {
  const QString patient = NormalisePatientNumber(patientId);
  if (patient.isEmpty()) co_return std::nullopt;
  QString month = selfMonth.isEmpty() ? CurrentSelfMonth() : selfMonth;
  // A landing month that again shows nothing steps back from there; each step goes to an earlier
  // month, and the chain ends at six months without drugs.
  bool failed = false;
  for (;;) {
    LoadedMonth loaded = co_await LoadMonth(client, patient, month, &failed);
    if (ShowsText(loaded.memo)) {
      co_return SelfYakureki{month, SelfMonthLabelText(month), loaded.memo, loaded.days, !failed};
    }
    const std::optional<QString> earlier = co_await StepBack(client, patient, month, &failed);
    if (!earlier) co_return SelfYakureki{month, SelfMonthLabelText(month), QStringList(), {}, !failed};
    month = *earlier;
  }
}

Task<SelfMonthShown> LoadSelfMonth(OrcaClient& client, QString patientId, QString selfMonth) {
  SelfMonthShown shown{selfMonth, SelfMonthLabelText(selfMonth), std::nullopt};
  if (const std::optional<SelfYakureki> loaded = co_await LoadSelfDrugInfo(client, patientId, selfMonth)) {
    shown = SelfMonthShown{loaded->month, loaded->monthLabel, loaded->memo};
  }
  co_return shown;
}
