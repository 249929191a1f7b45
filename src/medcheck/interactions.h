#pragma once

#include <QList>
#include <QStringList>

#include "medcheck/check_answer.h"
#include "medcheck/drug_in_view.h"
#include "medcheck/medication_check.h"

// What ORCA's answer says about the drugs sent.
struct InteractionOutcome {
  QList<Finding> findings;
  QList<UncheckedDrug> unchecked;  // answered with a per-drug error (20), or not answered at all
};

// One finding per hit and pair of sources: each side is a drug in view, newest of its source, or —
// for a partner out of the clinic's own records — 自院 on the day ORCA gives. A pair found under
// both of its drugs, or both in the records and among the drugs sent, is one finding. A pair of two
// of the clinic's own drugs is left out: ORCA warns of those when they are entered.
InteractionOutcome ReadInteractions(const ContraAnswer& answer, const QList<DrugInView>& drugs,
                                    const QStringList& sentCodes);

inline const QString kClinicMasterCode = QStringLiteral("*******");
inline const QString kClinicMasterSubject = QStringLiteral("自院のチェックマスタに登録された組み合わせ");
QString RefusedByOrcaReason(const QString& result, const QString& message);
inline const QString kNotAnsweredReason = QStringLiteral("ORCAの回答にありませんでした");
