#pragma once

#include <QString>
#include <QStringList>

#include "async/task.h"

#include "history/tain_lists.h"

class OrcaClient;

// Asks for the patient's check-up dates and puts them into FTkkDates, which it empties first. A
// blank patient number sends nothing and leaves the list as it is.
Task<void> LoadOnlineSpecGet(OrcaClient& client, QString patientId, TainLists& lists);

// Appends every EffectiveTime of ten characters or more to FTkkDates unless present.
void ParseOnlineSpecGet01(const QStringList& answerLines, TainLists& lists);
