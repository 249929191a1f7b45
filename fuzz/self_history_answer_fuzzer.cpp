// Feeds arbitrary answers down the road of the clinic's own history for one month: the overview's
// treated days, the visits of each day, the next requests' bodies and the day's drugs.
//   parameters: the month shown ("yyyy-mm")
//   parts:      month overview (class 03), day visits (class 01), day-and-department acts (class 02)
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "fuzz_support.h"
#include "orca/response_reader.h"
#include "ownhistory/day_visits.h"
#include "ownhistory/medical_get_request.h"
#include "ownhistory/self_drugs.h"
#include "ownhistory/treated_days.h"

namespace {

// The program asks one day after another; a few show all there is to see.
constexpr int kDaysFollowed = 3;

const qsizetype kBodyMarkup =
    MedicalGetActsBody(QStringLiteral("1"), QString(), QString(), QString()).count(QLatin1Char('<'));

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const FuzzInput input(data, size);
  const QString month = input.param(0);
  const QStringList overview = ResponseLines(input.part(0));
  const QStringList visits = ResponseLines(input.part(1));
  const QStringList acts = ResponseLines(input.part(2));

  QStringList days = TreatedDays(overview, month);
  FUZZ_CHECK(QStringList(days).removeDuplicates() == 0);
  FUZZ_CHECK(std::is_sorted(days.cbegin(), days.cend(), std::greater<QString>()));
  (void)OverviewHasDrugCode(overview);
  if (days.isEmpty()) days << month + QStringLiteral("-01");
  QStringList memo;
  for (const QString& day : days.mid(0, kDaysFollowed)) {
    for (const DayVisit& visit : DayVisits(visits, day)) {
      // Values read from an answer go into the next request escaped: they add no markup.
      const QString body =
          MedicalGetActsBody(QStringLiteral("1"), day, visit.department, visit.sequentialNumber);
      FUZZ_CHECK(body.count(QLatin1Char('<')) == kBodyMarkup);
      ParseMedicalGet02(acts, day, memo);
    }
  }
  return 0;
}
