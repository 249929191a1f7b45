// Feeds arbitrary cache files and patients to the patient cache: reading its lines, the search by
// name, and a session's keys as patients are added. What a session writes must read back the same.
//   parameters: the search text, then one patient per line, number and name split by a TAB
//   parts:      the bytes of PatientCache.csv
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "patients/patient_cache.h"
#include "patients/patient_search.h"

namespace {

constexpr int kPatientsAdded = 8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const FuzzInput input(data, size);
  const QStringList lines = CacheLines(input.part(0));

  const QString search = input.param(0);
  for (const CachedPatient& hit : FindCachedPatients(lines, search)) {
    FUZZ_CHECK(hit.name.contains(search) && !hit.key.contains(QLatin1Char(',')));
  }

  PatientCacheSession session(lines);
  for (int k = 1; k <= kPatientsAdded; ++k) {
    const QString patient = input.param(k);
    const qsizetype tab = patient.indexOf(QLatin1Char('\t'));
    const QString id = tab < 0 ? patient : patient.left(tab);
    const QString name = tab < 0 ? QString() : patient.mid(tab + 1);
    const qsizetype before = session.lines().size();
    const bool added = session.add(id, name);
    FUZZ_CHECK(session.lines().size() == before + (added ? 1 : 0));
    // A number once stored is known: it is never stored twice.
    if (added) FUZZ_CHECK(!session.add(id, QStringLiteral("X")));
  }
  FUZZ_CHECK(CacheLines(CacheFileBytes(session.lines())) == session.lines());
  return 0;
}
