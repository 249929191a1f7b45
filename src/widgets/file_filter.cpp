#include "widgets/file_filter.h"

QStringList QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList result;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts.at(i);
    const QString patterns = parts.at(i + 1);
    QString spaced = patterns;
    spaced.replace(QLatin1Char(';'), QLatin1Char(' '));
    const QString shown = QLatin1Char('(') + patterns + QLatin1Char(')');
    if (description.endsWith(shown)) {
      result << description.left(description.size() - shown.size()) + QLatin1Char('(') + spaced +
                    QLatin1Char(')');
    } else {
      result << description + QStringLiteral(" (") + spaced + QLatin1Char(')');
    }
  }
  return result;
}
