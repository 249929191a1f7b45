#include "patients/online_marks.h"

#include <QStringList>

#include "history/institution_codes.h"
#include "history/online_requests.h"
#include "orca/response_reader.h"

namespace {

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

// The probes are the first requests of the other-institution history, asked for nothing but the
// patient.
QString OnlineProbeApiPath(OnlineProbe probe) {
  switch (probe) {
    case OnlineProbe::DrugInformation:
      return kOnlineDrugGetPath;
    case OnlineProbe::MedicalInformation:
      return kOnlineMedGetPath;
    case OnlineProbe::SpecificHealthCheck:
      break;
  }
  return kOnlineSpecGetPath;
}

QString OnlineProbeBody(OnlineProbe probe, const QString& patientId) {
  switch (probe) {
    case OnlineProbe::DrugInformation:
      return OnlineDrugGet01Body(patientId);
    case OnlineProbe::MedicalInformation:
      return OnlineMedGet01Body(patientId, QString());
    case OnlineProbe::SpecificHealthCheck:
      break;
  }
  return OnlineSpecGet01Body(patientId);
}

bool ProbeAnswerProvesInformation(OnlineProbe probe, const QStringList& answerLines, const QString& selfInstCd) {
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

