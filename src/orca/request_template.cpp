#include "orca/request_template.h"

QString FillTemplate(const QString& templ, const QString& placeholder, const QString& value) {
  const qsizetype at = templ.indexOf(placeholder);
  if (at < 0) return templ;
  QString result = templ;
  return result.replace(at, placeholder.size(), value);
}

QString EscapeXmlText(const QString& text) {
  QString out = text;
  out.replace(QLatin1Char('&'), QLatin1String("&amp;"));
  out.replace(QLatin1Char('<'), QLatin1String("&lt;"));
  out.replace(QLatin1Char('>'), QLatin1String("&gt;"));
  return out;
}
