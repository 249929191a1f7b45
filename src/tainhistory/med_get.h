#pragma once

#include <QString>
#include <QStringList>

#include "tainhistory/tain_lists.h"

// Appends name + "=" + month of every record that is neither the clinic's nor a pharmacy's to
// treatmentMonths unless present, logging "MedGet: " + entry for each one appended. A record ends
// on its InOut line.
void ParseOnlineMedGet01(const QStringList& answerLines, const QString& selfInstCd, TainLists& lists);
