#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "medcheck/drug_in_view.h"
#include "medcheck/medication_check.h"

inline const QString kContraindicationCheckPath = QStringLiteral("api01rv2/contraindicationcheckv2");

// ORCA checks at most this many drugs in one request.
constexpr int kMostCheckedCodes = 30;

// A code ORCA's interaction check can know: nine digits, the first a 6.
bool IsCheckableCode(const QString& code);

// What goes to ORCA: the distinct checkable codes of the drugs, newest first, the first thirty of
// them; and the drugs that stay unchecked — without such a code, or whose code is beyond the
// thirty — each source's newest of a drug once.
struct CodeSelection {
  QStringList codes;
  QList<UncheckedDrug> unchecked;
};
CodeSelection SelectCodes(const QList<DrugInView>& drugs);

// The request body, one line as the program's other requests: Request_Number 01, the patient,
// the month, the term in months and one Medication_Code per code, in the order given.
QString ContraindicationCheckBody(const QString& patientId, const QString& performMonth, int checkTermMonths,
                                  const QStringList& codes);

// The reasons a drug stays unchecked, worded once.
inline const QString kNoCodeReason = QStringLiteral("薬剤コードがありません");
QString UnknownCodeFormReason(const QString& code);
QString BeyondLimitReason();
