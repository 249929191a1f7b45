#include "push_events.h"

#include <QJsonArray>

#include "answer_common.h"
#include "live_receptions.h"

namespace {

const QString kInsuranceCombination = QStringLiteral("0001");  // the one every demo patient has

QJsonObject EventData(const QString& event, const QString& user, const QDateTime& now,
                      const QJsonObject& body) {
  return {
      {QStringLiteral("event"), event},
      {QStringLiteral("user"), user},
      {QStringLiteral("time"), now.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + QStringLiteral("+0900")},
      {QStringLiteral("body"), body}};
}

}  // namespace

QJsonObject PatientAcceptEvent(const DemoData& d, qsizetype reception, const QString& user,
                               const QDateTime& now) {
  const Reception& r = d.receptions[reception];
  const Department* department = d.department(r.department);
  return EventData(QStringLiteral("patient_accept"), user, now,
                   {{QStringLiteral("Patient_Mode"), QStringLiteral("add")},
                    {QStringLiteral("Patient_ID"), PaddedPatientId(r.patientId)},
                    {QStringLiteral("Accept_Date"), Ymd(r.date)},
                    {QStringLiteral("Accept_Time"), r.time},
                    {QStringLiteral("Accept_Id"), AcceptanceId(d, reception)},
                    {QStringLiteral("Department_Code"), r.department},
                    {QStringLiteral("Physician_Code"), department ? department->physicianCode : QString()},
                    {QStringLiteral("Insurance_Combination_Number"), kInsuranceCombination}});
}

QJsonObject PatientAccountEvent(const DemoData& d, qsizetype reception, const QString& user,
                                const QDateTime& now) {
  const Reception& r = d.receptions[reception];
  const Department* department = d.department(r.department);
  QString invoice;
  for (const OwnVisit& v : d.visits) {
    if (v.patientId == r.patientId && v.date == r.date && v.department == r.department) invoice = v.invoice;
  }
  const QJsonObject billed{
      {QStringLiteral("Insurance_Combination_Number"), kInsuranceCombination},
      {QStringLiteral("Department_Code"), r.department},
      {QStringLiteral("Physician_Code"), department ? department->physicianCode : QString()},
      {QStringLiteral("Invoice_Number"), invoice}};
  return EventData(QStringLiteral("patient_account"), user, now,
                   {{QStringLiteral("Patient_Mode"), QStringLiteral("add")},
                    {QStringLiteral("Patient_ID"), PaddedPatientId(r.patientId)},
                    {QStringLiteral("Information_Date"), Ymd(now.date())},
                    {QStringLiteral("Information_Time"), r.accountTime},
                    {QStringLiteral("Perform_Date"), Ymd(r.date)},
                    {QStringLiteral("Medical_Information"), QJsonArray{billed}}});
}
