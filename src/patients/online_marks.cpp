#include "patients/online_marks.h"

#include <QStringList>

#include "tainhistory/institution_codes.h"
#include "tainhistory/online_requests.h"
#include "orca/response_reader.h"

namespace {

bool AnyLineHolds(const QStringList& lines, const QString& element) {
  const QString tag = OpeningTag(element);
  for (const QString& line : lines) {
    if (line.contains(tag)) return true;
  }
  return false;
}

// ORCA echoes the start month asked for at the top of the answer, "no data" included: only a month
// of the month list is one with drug information.
bool ListsAMonth(const QStringList& lines) {
  ElementSpan list(QStringLiteral("MeTrMonth_Information"));
  const QString month = OpeningTag(QStringLiteral("MeTrMonth"));
  for (const QString& line : lines) {
    if (list.inside(line) && line.contains(month)) return true;
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
      return OnlineDrugGet01Body(patientId, DrugSummaryStartMonth());
    case OnlineProbe::MedicalInformation:
      return OnlineMedGet01Body(patientId, QString());
    case OnlineProbe::SpecificHealthCheck:
      break;
  }
  return OnlineSpecGet01Body(patientId);
}

bool ProbeAnswerProvesInformation(OnlineProbe probe, const QStringList& answerLines,
                                  const QString& selfInstCd) {
  switch (probe) {
    case OnlineProbe::DrugInformation:
      return ListsAMonth(answerLines);
    case OnlineProbe::MedicalInformation:
      return NamesAnotherInstitution(answerLines, selfInstCd);
    case OnlineProbe::SpecificHealthCheck:
      break;
  }
  return AnyLineHolds(answerLines, QStringLiteral("EffectiveTime"));
}
