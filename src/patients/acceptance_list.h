#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include "orca/patient_number.h"

// One reception of the day as ORCA's acceptance list has it.
struct Reception {
  QString patientId;    // normalised: a number of digits without its leading zeros, any other as written
  QString name;         // the first WholeName of the reception
  QString accountTime;  // blank while the reception is still in progress
};

inline const QString kAcceptanceListApiPath = QStringLiteral("api01rv2/acceptlstv2?class=03");

// The request body for one day.
QString AcceptanceListBody(const QDate& day);

// The receptions of a saved answer in answer order. A reception is only delivered once it has a
// Patient_ID line; what stands before the first Acceptance_Id belongs to no reception unless a
// Patient_ID appears there too.
QList<Reception> ReadReceptions(const QStringList& lines);

// Which receptions the list shows: every one of the day ("全て"), or those still in progress,
// without an account time ("受付中").
enum class ListMode { All, InProgress };

bool ListedInMode(const Reception& reception, ListMode mode);
