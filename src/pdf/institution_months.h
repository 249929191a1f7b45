#pragma once

#include <QString>
#include <QStringList>

// Reads the consultation-history section of a drug-information document: after the second
// "受診歴", each institution name (following "月" or "歴") with the dates yy年m月 or yyyy年m月
// after it gives "name=yyyy-mm". Entries are appended to list unless already present (letter
// case ignored). The scan stops at "診療", "年月日", "*1", at "診 " once something was found, or
// after more than 50 steps without a date once something was found.
void ExtractInstitutionMonthsFromText(const QString& text, QStringList& list);

// The same on the text of the file; a missing file or one without text adds nothing.
// Raises what ExtractTextFromPdf raises.
void ExtractInstitutionMonths(const QString& fileName, QStringList& list);
