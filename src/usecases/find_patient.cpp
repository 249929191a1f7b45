#include "usecases/find_patient.h"

#include <QFile>

#include "core/core_error.h"
#include "orca/orca_client.h"
#include "orca/patient_number.h"
#include "patients/patient_cache.h"
#include "usecases/user_messages.h"

Task<NumberSearch> FindPatientByNumber(OrcaClient& client, QString typed) {
  const QString number = NormalisePatientNumber(typed);
  if (!client.connection().configured())
    co_return NumberSearch{UserMessage{MessageKind::Warning, kNotConfiguredText}, {}, number};
  const OrcaAnswer answer = co_await client.post(PatientGetApiPath(number), QString());
  if (!answer.ok())
    co_return NumberSearch{UserMessage{MessageKind::Warning, kNoPatientAnswerText}, {}, number};
  const QString name = PatientWholeName(answer.lines());
  if (name.isEmpty())
    co_return NumberSearch{UserMessage{MessageKind::Information, kPatientNotFoundText}, {}, number};
  try {
    SavePatientCache(number, name);
  } catch (const FileWriteError&) {
    // Told once by the write-trouble teller; the patient opens all the same.
  }
  co_return NumberSearch{std::nullopt, name, number};
}

NameSearch FindPatientsByName(const QString& text) {
  const QString cacheFile = GetCacheFilePath();
  if (!QFile::exists(cacheFile)) return NameSearch{UserMessage{MessageKind::Information, kNoCacheText}, {}};
  const QList<CachedPatient> hits = FindCachedPatients(ReadCacheLines(cacheFile), text);
  if (hits.isEmpty()) return NameSearch{UserMessage{MessageKind::Information, kPatientNotFoundText}, {}};
  return NameSearch{std::nullopt, hits};
}
