#pragma once

#include <QString>
#include <QStringList>

// The mark beside a patient for whom ORCA relays online eligibility-confirmation information.
inline const QString kOnlineInformationMark = QStringLiteral("\u25CE");

enum class OnlineProbe { DrugInformation, MedicalInformation, SpecificHealthCheck };

QString OnlineProbeApiPath(OnlineProbe probe);
// The probe's one-line request body for the patient. The number is escaped for XML, so that a
// number taken from the patient cache cannot change the request's structure.
QString OnlineProbeBody(OnlineProbe probe, const QString& patientId);

// Whether the probe's answer proves information: a dispensing month for the drug probe, a treatment
// record of another institution that is neither the clinic nor a pharmacy for the medical probe, a
// check-up for the third.
bool ProbeAnswerProvesInformation(OnlineProbe probe, const QStringList& answerLines,
                                  const QString& selfInstCd);
