#pragma once

#include <QString>

// ORCA's patient numbers are text: its standard numbering may carry a year prefix and a check digit
// (nine to eleven digits), and a clinic may number its patients with letters. A number of digits
// only loses its leading zeros, as ORCA pads it again to the length it keeps ("00012" → "12",
// "0000" → "0"); any other number stays as written. Surrounding blanks go either way.
QString NormalisePatientNumber(const QString& number);
