#pragma once

#include <QString>
#include <QStringList>

#include "history/tain_lists.h"

class OrcaClient;

// Asks twice for the treatment records of other institutions — every month the service keeps, then
// from the month six calendar months before today — and refills FMedInstMonths from both answers.
// A blank patient number sends nothing and leaves the list as it is.
void LoadOnlineMedGet(OrcaClient& client, const QString& patientId, const QString& selfInstCd,
                      TainLists& lists);

// Appends name + "=" + month of every record of the answer that is neither the clinic's nor a
// pharmacy's to FMedInstMonths unless present, logging "MedGet: " + entry for each one appended. A
// record ends on its InOut line.
void ParseOnlineMedGet01Answer(const QStringList& answerLines, const QString& selfInstCd, TainLists& lists);
// The same on the saved answer; false only when the file does not exist.
bool ParseOnlineMedGet01(const QString& fileName, const QString& selfInstCd, TainLists& lists);
