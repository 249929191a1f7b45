#include "selfhistory/self_history_load.h"

#include "orca/orca_client.h"
#include "orca/response_reader.h"
#include "selfhistory/day_department.h"
#include "selfhistory/medical_get_request.h"
#include "selfhistory/self_drugs.h"
#include "selfhistory/self_month.h"
#include "selfhistory/treated_days.h"

namespace {

constexpr int kStepBackMonths = 6;

// The saved answer's lines; nothing when no status-200 answer came or its file is gone.
std::optional<QStringList> Ask(OrcaClient& client, MedicalGetClass kind, const QString& patientId,
                               const QString& performDate, const QString& departmentCode = QString()) {
  const QString path =
      client.ORCAPost(MedicalGetApiPath(kind), MedicalGetBody(patientId, performDate, departmentCode));
  if (path.isEmpty()) return std::nullopt;
  return ReadResponseLines(path);
}

QStringList LoadMonth(OrcaClient& client, const QString& patientId, const QString& month) {
  QStringList memo;
  const std::optional<QStringList> overview = Ask(client, MedicalGetClass::MonthOverview, patientId, month);
  const QStringList days = overview ? TreatedDays(*overview, month) : QStringList();
  for (const QString& day : days) {
    const std::optional<QStringList> visits = Ask(client, MedicalGetClass::DayVisits, patientId, day);
    if (!visits) continue;
    const std::optional<QString> department = DayDepartment(*visits, day);
    if (!department) continue;
    const QString path = client.ORCAPost(MedicalGetApiPath(MedicalGetClass::DayDepartmentActs),
                                         MedicalGetBody(patientId, day, *department));
    if (!path.isEmpty()) ParseMedicalGet02(path, day, memo);
  }
  return memo;
}

bool ShowsText(const QStringList& memo) {
  for (const QString& line : memo) {
    if (!line.trimmed().isEmpty()) return true;
  }
  return false;
}

// The nearest of the six months before `month` whose overview names a drug; failed requests
// count as months without drugs.
std::optional<QString> StepBack(OrcaClient& client, const QString& patientId, const QString& month) {
  for (int k = 1; k <= kStepBackMonths; ++k) {
    const QString earlier = ShiftSelfMonth(month, -k);
    const std::optional<QStringList> overview =
        Ask(client, MedicalGetClass::MonthOverview, patientId, earlier);
    if (overview && OverviewHasDrugCode(*overview)) return earlier;
  }
  return std::nullopt;
}

}  // namespace

std::optional<SelfYakureki> LoadSelfDrugInfo(OrcaClient& client, const QString& patientId,
                                             const QString& selfMonth) {
  const QString patient = patientId.trimmed();
  if (patient.isEmpty()) return std::nullopt;
  QString month = selfMonth.isEmpty() ? CurrentSelfMonth() : selfMonth;
  // A landing month that again shows nothing steps back from there; each step goes to an earlier
  // month, and the chain ends at six months without drugs.
  for (;;) {
    const QStringList memo = LoadMonth(client, patient, month);
    if (ShowsText(memo)) return SelfYakureki{month, UpdateSelfMonthLabel(month), memo};
    const std::optional<QString> earlier = StepBack(client, patient, month);
    if (!earlier) return SelfYakureki{month, UpdateSelfMonthLabel(month), QStringList()};
    month = *earlier;
  }
}

SelfMonthShown DisplaySelfYakureki(OrcaClient& client, const QString& patientId, const QString& selfMonth) {
  SelfMonthShown shown{selfMonth, UpdateSelfMonthLabel(selfMonth), std::nullopt};
  if (const std::optional<SelfYakureki> loaded = LoadSelfDrugInfo(client, patientId, selfMonth)) {
    shown = SelfMonthShown{loaded->month, loaded->monthLabel, loaded->memo};
  }
  return shown;
}
