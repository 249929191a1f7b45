#pragma once

#include <QString>

// An ingredient name as the comparison sees it: full- and half-width forms made one (NFKC), blanks
// of any width left out, letters case-folded. Institutions write the same ingredient in different
// widths and with or without spaces.
QString IngredientKey(const QString& ingredient);

// A receipt-computer drug code: nine digits.
bool IsNineDigitCode(const QString& code);
