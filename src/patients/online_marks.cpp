#include "patients/online_marks.h"

#include <QStringList>

#include "history/institution_codes.h"
#include "orca/orca_client.h"
#include "orca/request_template.h"
#include "orca/response_reader.h"

namespace {

const QString kDrugBody = QStringLiteral(
    "<data>  <onlinedruggetreq type=\"record\">"
    "    <Request_Number type=\"string\">01</Request_Number>"
    "    <Patient_ID type=\"string\">XXXXX</Patient_ID>"
    "    <MeTrMonth type=\"string\"></MeTrMonth>"
    "    <InOut type=\"string\"></InOut>"
    "  </onlinedruggetreq></data>");

const QString kMedicalBody = QStringLiteral(
    "<data>  <onlinemedgetreq type=\"record\">"
    "    <Request_Number type=\"string\">01</Request_Number>"
    "    <Patient_ID type=\"string\">XXXXX</Patient_ID>"
    "    <MeTrMonth type=\"string\"></MeTrMonth>"
    "    <InOut type=\"string\"></InOut>"
    "    <MeTrDiHCd type=\"string\"></MeTrDiHCd>"
    "    <PrlsHCd type=\"string\"></PrlsHCd>"
    "  </onlinemedgetreq></data>");

const QString kCheckUpBody = QStringLiteral(
    "<data>  <onlinespecgetreq type=\"record\">"
    "    <Request_Number type=\"string\">01</Request_Number>"
    "    <Patient_ID type=\"string\">XXXXX</Patient_ID>"
    "    <EffectiveTime type=\"string\"></EffectiveTime>"
    "  </onlinespecgetreq></data>");

// A probe's saved answer, tested by its lines.
bool ProvesInformation(OnlineProbe probe, const QString& dumpPath, const QString& selfInstCd) {
  return ProbeAnswerProvesInformation(probe, ReadResponseLines(dumpPath).value_or(QStringList()), selfInstCd);
}

bool AnyLineHolds(const QStringList& lines, const QString& element) {
  const QString tag = OpeningTag(element);
  for (const QString& line : lines) {
    if (line.contains(tag)) return true;
  }
  return false;
}

bool NamesAnotherInstitution(const QStringList& lines, const QString& selfInstCd) {
  QString code;
  for (const QString& line : lines) {
    if (!ElementValue(line, QStringLiteral("MeTrDiHCd"), &code)) continue;
    if (!EndsWithInstCd(code, selfInstCd) && !IsPharmacyInstCd(code)) return true;
  }
  return false;
}

}  // namespace

QString OnlineProbeApiPath(OnlineProbe probe) {
  switch (probe) {
    case OnlineProbe::DrugInformation:
      return QStringLiteral("api01rv2/onlinedruggetv2");
    case OnlineProbe::MedicalInformation:
      return QStringLiteral("api01rv2/onlinemedgetv2");
    case OnlineProbe::SpecificHealthCheck:
      break;
  }
  return QStringLiteral("api01rv2/onlinespecgetv2");
}

QString OnlineProbeBody(OnlineProbe probe, const QString& patientId) {
  const QString& templ = probe == OnlineProbe::DrugInformation      ? kDrugBody
                         : probe == OnlineProbe::MedicalInformation ? kMedicalBody
                                                                    : kCheckUpBody;
  return FillTemplate(templ, QStringLiteral("XXXXX"), EscapeXmlText(patientId));
}

bool ProbeAnswerProvesInformation(OnlineProbe probe, const QStringList& answerLines,
                                  const QString& selfInstCd) {
  switch (probe) {
    case OnlineProbe::DrugInformation:
      return AnyLineHolds(answerLines, QStringLiteral("MeTrMonth"));
    case OnlineProbe::MedicalInformation:
      return NamesAnotherInstitution(answerLines, selfInstCd);
    case OnlineProbe::SpecificHealthCheck:
      break;
  }
  return AnyLineHolds(answerLines, QStringLiteral("EffectiveTime"));
}

bool HasOnlineInformation(OrcaClient& client, const QString& patientId, const QString& selfInstCd) {
  const QString drugAnswer = client.ORCAPost(OnlineProbeApiPath(OnlineProbe::DrugInformation),
                                             OnlineProbeBody(OnlineProbe::DrugInformation, patientId));
  if (drugAnswer.isEmpty()) return false;
  if (ProvesInformation(OnlineProbe::DrugInformation, drugAnswer, selfInstCd)) return true;

  const QString medicalAnswer = client.ORCAPost(OnlineProbeApiPath(OnlineProbe::MedicalInformation),
                                                OnlineProbeBody(OnlineProbe::MedicalInformation, patientId));
  if (!medicalAnswer.isEmpty() &&
      ProvesInformation(OnlineProbe::MedicalInformation, medicalAnswer, selfInstCd))
    return true;

  const QString checkUpAnswer = client.ORCAPost(OnlineProbeApiPath(OnlineProbe::SpecificHealthCheck),
                                                OnlineProbeBody(OnlineProbe::SpecificHealthCheck, patientId));
  return !checkUpAnswer.isEmpty() &&
         ProvesInformation(OnlineProbe::SpecificHealthCheck, checkUpAnswer, selfInstCd);
}
