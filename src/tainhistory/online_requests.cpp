#include "tainhistory/online_requests.h"

#include "core/clock.h"
#include "orca/patient_number.h"
#include "orca/request_template.h"

namespace {

const QString kDrugGetBody = QStringLiteral(
    "<data>  <onlinedruggetreq type=\"record\">"
    "    <Request_Number type=\"string\">RR</Request_Number>"
    "    <Patient_ID type=\"string\">XXXXX</Patient_ID>"
    "    <MeTrMonth type=\"string\">YYYY-MM</MeTrMonth>"
    "    <InOut type=\"string\"></InOut>"
    "    <MeTrDiHCd type=\"string\"></MeTrDiHCd>"
    "    <PrlsHCd type=\"string\"></PrlsHCd>"
    "  </onlinedruggetreq></data>");

const QString kSpecGetBody = QStringLiteral(
    "<data>  <onlinespecgetreq type=\"record\">"
    "    <Request_Number type=\"string\">01</Request_Number>"
    "    <Patient_ID type=\"string\">XXXXX</Patient_ID>"
    "    <EffectiveTime type=\"string\"></EffectiveTime>"
    "  </onlinespecgetreq></data>");

const QString kMedGetBody = QStringLiteral(
    "<data>  <onlinemedgetreq type=\"record\">"
    "    <Request_Number type=\"string\">01</Request_Number>"
    "    <Patient_ID type=\"string\">XXXXX</Patient_ID>"
    "    <MeTrMonth type=\"string\">YYYY-MM</MeTrMonth>"
    "    <InOut type=\"string\"></InOut>"
    "    <MeTrDiHCd type=\"string\"></MeTrDiHCd>"
    "    <PrlsHCd type=\"string\"></PrlsHCd>"
    "  </onlinemedgetreq></data>");

// The patient goes in last, so that its text can never be taken for a placeholder.
QString WithPatient(const QString& body, const QString& patientId) {
  return FillTemplate(body, QStringLiteral("XXXXX"), EscapeXmlText(NormalisePatientNumber(patientId)));
}

QString DrugGetBody(const QString& requestNumber, const QString& patientId, const QString& month) {
  QString body = FillTemplate(kDrugGetBody, QStringLiteral("RR"), requestNumber);
  body = FillTemplate(body, QStringLiteral("YYYY-MM"), month);
  return WithPatient(body, patientId);
}

}  // namespace

QString OnlineDrugGet01Body(const QString& patientId, const QString& startMonth) {
  return DrugGetBody(QStringLiteral("01"), patientId, startMonth);
}

QString OnlineDrugGet02Body(const QString& patientId, const QString& month) {
  return DrugGetBody(QStringLiteral("02"), patientId, month);
}

QString OnlineSpecGet01Body(const QString& patientId) {
  return WithPatient(kSpecGetBody, patientId);
}

QString OnlineMedGet01Body(const QString& patientId, const QString& month) {
  return WithPatient(FillTemplate(kMedGetBody, QStringLiteral("YYYY-MM"), month), patientId);
}

QString DrugSummaryStartMonth() {
  return MonthsBefore(Today(), 0);
}

QString MonthsBefore(const QDate& day, int months) {
  return QDate(day.year(), day.month(), 1).addMonths(-months).toString(QStringLiteral("yyyy-MM"));
}
