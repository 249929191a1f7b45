#pragma once

#include <QString>
#include <QStringList>

#include "tainhistory/tain_lists.h"

// Appends every EffectiveTime of ten characters or more to checkUpDates unless present.
void ParseOnlineSpecGet01(const QStringList& answerLines, TainLists& lists);
