#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "tainhistory/tain_lists.h"

// Reads a phase-1 drug-information answer: the patient's birth date, the months of its month list
// in the order given, and name + "|" + month of every other institution that is neither the clinic
// (`selfInstCd`) nor a pharmacy. Empties monthList and institutionMonths first. *birthDate is set only
// when the answer has a BirthDate line.
void ParseOnlineDrugGet01(const QStringList& answerLines, const QString& selfInstCd, TainLists& lists,
                          QString* birthDate);

// Reads a phase-2 answer for the month "yyyy-mm" and appends one TPrescription per dispensing day
// to prescriptions. False when onlinedruggetres or MeTrMonthInf is missing, or when the document
// cannot be read; the last is logged as "ParseOnlineDrugGet02 Error: " + message, and the records
// appended earlier stay.
bool ParseOnlineDrugGet02(const QByteArray& answer, const QString& month, TainLists& lists);
