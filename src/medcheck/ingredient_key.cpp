#include "medcheck/ingredient_key.h"

QString IngredientKey(const QString& ingredient) {
  const QString normalised = ingredient.normalized(QString::NormalizationForm_KC);
  QString key;
  key.reserve(normalised.size());
  for (const QChar c : normalised) {
    if (!c.isSpace()) key += c;
  }
  return key.toCaseFolded();
}

bool IsNineDigitCode(const QString& code) {
  if (code.size() != 9) return false;
  for (const QChar c : code) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}
