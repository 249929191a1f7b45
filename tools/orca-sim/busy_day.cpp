#include "busy_day.h"

#include <QSet>
#include <algorithm>

namespace {

// The demo's patients, each received once: today's list, then those only seen yesterday.
QList<ReceptionSeed> CatalogSeeds() {
  QList<ReceptionSeed> seeds = DemoTodaySeeds();
  QSet<int> seen;
  for (const ReceptionSeed& s : seeds) seen.insert(s.patient);
  for (const ReceptionSeed& s : DemoYesterdaySeeds()) {
    if (!seen.contains(s.patient)) seeds << s;
    seen.insert(s.patient);
  }
  return seeds;
}

QString MadeUpDepartment(int patient) {
  switch (patient % 5) {
    case 3:
      return QStringLiteral("11");
    case 4:
      return QStringLiteral("13");
    default:
      return QStringLiteral("01");
  }
}

}  // namespace

int BusyDayMadeUpPatients(int count) {
  return std::max<int>(0, count - CatalogSeeds().size());
}

QList<ReceptionSeed> BusyDaySeeds(int count) {
  QList<ReceptionSeed> seeds = CatalogSeeds().mid(0, count);
  for (int id = DemoPatients().size() + 1; seeds.size() < count; ++id)
    seeds << ReceptionSeed{id, MadeUpDepartment(id), false};
  const int billed = count * 13 / 22;
  for (int i = 0; i < seeds.size(); ++i) seeds[i].billed = i < billed;
  return seeds;
}

void AddBusyDayOnlineData(DemoBuilder& b, const QList<DemoPatient>& madeUp) {
  using namespace demo;
  const Institution* const elsewhere[] = {&kSakurazaka, &kMinatoHospital, &kHikariEye,
                                          &kAobaOrtho,  &kKandSClinic,    &kKomorebiDental};
  const char* const drugs[] = {"amlodipine", "famotidine",    "loxoprofen",
                               "rebamipide", "carbocisteine", "fexofenadine"};
  // About a third with drug information, one in six with treatment records only, one in five with a
  // check-up: recent enough for the list's probes, so that their marks show.
  for (const DemoPatient& p : madeUp) {
    const int id = p.id;
    const int day = 1 + id % 27;
    if (id % 3 == 0) {
      const Institution& pharmacy = id % 2 == 0 ? kHimawariPharmacy : kMidoriPharmacy;
      b.drugs(id, {1 + id % 2, 3}, day, pharmacy, *elsewhere[id % 4],
              {Drug(QLatin1String(drugs[id % 6]), "2", "14")});
    }
    if (id % 6 == 4) b.treated(id, {1 + id % 4}, day, *elsewhere[(id / 6) % 6]);
    if (id % 5 == 2) b.checkup(id, 2 + id % 9, day);
  }
}
