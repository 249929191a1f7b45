#pragma once

#include <QString>

// The year-month ("2024-05") of a check-up document's examination date, or "".
// Dates are yyyy/mm/dd with "/", "-" or "." as separators and ASCII digits only. The first date
// after the first "実施" wins; without one, the latest date anywhere in the text.
QString ExtractDateFromText(const QString& text);

// ExtractDateFromText on the text of the file. Raises what ExtractTextFromPdf raises.
QString ExtractDateFromPdf(const QString& fileName);
