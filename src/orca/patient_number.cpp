#include "orca/patient_number.h"

#include <algorithm>

QString NormalisePatientNumber(const QString& number) {
  const QString trimmed = number.trimmed();
  const bool digitsOnly = !trimmed.isEmpty() && std::all_of(trimmed.begin(), trimmed.end(),
                                                            [](QChar c) { return c >= u'0' && c <= u'9'; });
  if (!digitsOnly) return trimmed;
  qsizetype zeros = 0;
  while (zeros + 1 < trimmed.size() && trimmed.at(zeros) == u'0') ++zeros;
  return trimmed.mid(zeros);
}
