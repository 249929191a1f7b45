#pragma once

#include <QString>
#include <QStringList>

#include "history/tain_lists.h"

class OrcaClient;

// Asks for the patient's check-up dates and puts them into FTkkDates, which it empties first. A
// blank patient number sends nothing and leaves the list as it is.
void LoadOnlineSpecGet(OrcaClient& client, const QString& patientId, TainLists& lists);

// Appends every EffectiveTime of ten characters or more in the answer to FTkkDates unless present.
void ParseOnlineSpecGet01Answer(const QStringList& answerLines, TainLists& lists);
// The same on the saved answer; false only when the file does not exist.
bool ParseOnlineSpecGet01(const QString& fileName, TainLists& lists);
