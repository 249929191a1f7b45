#include "orca/request_template.h"

QString FillTemplate(const QString& templ, const QString& placeholder, const QString& value) {
  const qsizetype at = templ.indexOf(placeholder);
  if (at < 0) return templ;
  QString result = templ;
  return result.replace(at, placeholder.size(), value);
}
