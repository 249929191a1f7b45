#pragma once

#include <QString>
#include <QStringList>

#include "async/task.h"

#include "history/tain_lists.h"

class OrcaClient;

// Asks twice for the treatment records of other institutions — every month the service keeps, then
// from the month six calendar months before today — and refills FMedInstMonths from both answers.
// A blank patient number sends nothing and leaves the list as it is.
Task<void> LoadOnlineMedGet(OrcaClient& client, QString patientId, QString selfInstCd, TainLists& lists);

// Appends name + "=" + month of every record that is neither the clinic's nor a pharmacy's to
// FMedInstMonths unless present, logging "MedGet: " + entry for each one appended. A record ends
// on its InOut line.
void ParseOnlineMedGet01(const QStringList& answerLines, const QString& selfInstCd, TainLists& lists);
