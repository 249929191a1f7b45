// Feeds arbitrary answers to the patient-side readers: the day's reception list (and its patients on
// their way into the cache), the patient answer's name, and the answers of the three
// online-information probes.
//   parameters: the clinic's code
//   parts:      reception list, patient answer, drug probe, medical probe, check-up probe
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "orca/response_reader.h"
#include "patients/acceptance_list.h"
#include "patients/online_marks.h"
#include "patients/patient_cache.h"
#include "patients/patient_search.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const FuzzInput input(data, size);
  const QString selfInstCd = input.param(0);

  const QList<Reception> receptions = ReadReceptions(ResponseLines(input.part(0)));
  PatientCacheSession cache{QStringList()};
  for (const Reception& r : receptions) {
    FUZZ_CHECK(r.patientId == NormalisePatientNumber(r.patientId));
    (void)ListedInMode(r, ListMode::InProgress);
    cache.add(r.patientId, r.name);
  }
  FUZZ_CHECK(CacheLines(CacheFileBytes(cache.lines())) == cache.lines());

  (void)PatientWholeName(ResponseLines(input.part(1)));
  (void)ProbeAnswerProvesInformation(OnlineProbe::DrugInformation, ResponseLines(input.part(2)), selfInstCd);
  (void)ProbeAnswerProvesInformation(OnlineProbe::MedicalInformation, ResponseLines(input.part(3)),
                                     selfInstCd);
  (void)ProbeAnswerProvesInformation(OnlineProbe::SpecificHealthCheck, ResponseLines(input.part(4)),
                                     selfInstCd);
  return 0;
}
