#include "demo_data.h"

#include <algorithm>

#include "busy_day.h"
#include "check_patients.h"
#include "demo_builder.h"
#include "demo_catalog.h"
#include "visit_patient.h"

using namespace demo;

QString MonthBack(const QDate& day, int k) {
  return QDate(day.year(), day.month(), 1).addMonths(-k).toString(QStringLiteral("yyyy-MM"));
}

QDate DayOfMonthBack(const QDate& day, int k, int dayOfMonth) {
  const QDate first = QDate(day.year(), day.month(), 1).addMonths(-k);
  return first.addDays(std::min(dayOfMonth, first.daysInMonth()) - 1);
}

QString PaddedPatientId(int id) {
  return QStringLiteral("%1").arg(id, 5, 10, QLatin1Char('0'));
}

int NextSequentialNumber(const DemoData& d, int patient, const QDate& date, const QString& department) {
  return 1 + static_cast<int>(std::count_if(d.visits.begin(), d.visits.end(), [&](const OwnVisit& v) {
           return v.patientId == patient && v.date == date && v.department == department;
         }));
}

const DemoPatient* DemoData::patient(int id) const {
  for (const DemoPatient& p : patients) {
    if (p.id == id) return &p;
  }
  return nullptr;
}

const Department* DemoData::department(const QString& code) const {
  for (const Department& d : departments) {
    if (d.code == code) return &d;
  }
  return nullptr;
}

namespace {

void AddReceptions(DemoData& d, int receptionsToday) {
  auto add = [&d](const QDate& date, const QList<ReceptionSeed>& seeds, int spacing) {
    QTime time(8, 50);
    for (const ReceptionSeed& s : seeds) {
      d.receptions << Reception{
          date, time.toString(QStringLiteral("HH:mm:ss")), s.department, s.patient,
          s.billed ? time.addSecs(35 * 60 + 17).toString(QStringLiteral("HH:mm:ss")) : QString()};
      time = time.addSecs(spacing);
    }
  };
  constexpr int kSpacing = 9 * 60 + 12;
  add(d.today.addDays(-1), DemoYesterdaySeeds(), kSpacing);
  const QList<ReceptionSeed> demoDay = DemoTodaySeeds();
  if (receptionsToday < 0) {
    add(d.today, demoDay, kSpacing);
    // A patient not yet registered, received half-way between 清水 (18) and 山崎 (19), both in progress:
    // a name and no number, which a client's list passes over.
    constexpr int kBefore = 17;
    const qsizetype before = d.receptions.size() - demoDay.size() + kBefore;
    const QTime time = QTime::fromString(d.receptions[before].time, QStringLiteral("HH:mm:ss"));
    d.receptions.insert(before + 1,
                        Reception{d.today, time.addSecs(kSpacing / 2).toString(QStringLiteral("HH:mm:ss")),
                                  QStringLiteral("01"), 0, QString(), DemoWalkInName()});
  } else {
    // A busy day fills the demo day's morning more densely.
    const int spacing = kSpacing * demoDay.size() / std::max<int>(receptionsToday, demoDay.size());
    add(d.today, BusyDaySeeds(receptionsToday), spacing);
  }
}

void AddOwnVisits(DemoData& d) {
  for (const Reception& r : d.receptions) {
    if (!r.accountTime.isEmpty()) d.visits << OwnVisit{r.patientId, r.date, r.department, {}, {}};
  }
  for (const DemoPatient& p : d.patients) {
    QList<int> daysAgo{28, 56, 84, 112, 140, 168};
    if (p.id == 3) daysAgo = {40, 75, 110};  // nothing this month: the history steps back
    if (p.id % 2 == 0 && p.id != 2) daysAgo = {35, 91};
    QString department = QStringLiteral("01");
    for (const Reception& r : d.receptions) {
      if (r.patientId == p.id) {
        department = r.department;
        break;
      }
    }
    for (int ago : daysAgo) d.visits << OwnVisit{p.id, d.today.addDays(-ago), department, {}, {}};
    if (p.id == 2) {
      for (int ago : {21, 49})
        d.visits << OwnVisit{p.id, d.today.addDays(-ago), QStringLiteral("11"), {}, {}};
    }
  }
  std::stable_sort(d.visits.begin(), d.visits.end(),
                   [](const OwnVisit& a, const OwnVisit& b) { return a.date < b.date; });
  int invoice = 1000;
  for (OwnVisit& v : d.visits) {
    v.invoice = QString::number(++invoice).rightJustified(7, QLatin1Char('0'));
    v.orders = DemoRegimen(v.patientId, v.department);  // one visit a day and department: all number 1
  }
}

void AddOnlineData(DemoBuilder& b, const Institution& clinic) {
  QList<int> monthly;
  for (int k = 1; k <= 18; ++k) monthly << k;
  b.drugs(1, monthly, 10, kMidoriPharmacy, kSakurazaka,
          {Drug("rosuvastatin", "1", "28"), Drug("telmisartan", "1", "28")});
  b.drugs(1, {2, 5, 8, 13}, 20, kMinatoHospital, {}, {Drug("lansoprazole", "1", "14")});
  b.drugs(1, {1, 3, 4}, 3, clinic, {}, {Drug("amlodipine", "1", "28")});
  b.drugs(2, {2}, 12, kAobaOrtho, {},
          {Drug("loxoprofen", "3", "14"), Drug("rebamipide", "3", "14"), Drug("loxoprofen_tape", "28", "1")});
  b.drugs(2, {3}, 6, kHimawariPharmacy, kKandSClinic, {Drug("brotizolam", "1", "14")});
  b.drugs(2, {5, 9, 14}, 25, kHimawariPharmacy, kMinatoHospital, {Drug("famotidine", "2", "28")});
  b.drugs(3, {1}, 17, kMidoriPharmacy, kHikariEye, {Drug("hyaluronate", "2", "1")});
  b.drugs(3, {4, 11}, 8, kKomorebiDental, {},
          {Drug("amoxicillin", "3", "5"), Drug("loxoprofen_prn", "1", "5")});
  b.drugs(7, {1, 2, 3}, 14, kHimawariPharmacy, kMinatoHospital,
          {Drug("bisoprolol", "1", "28"), Drug("warfarin", "3", "28")});
  b.drugs(7, {12, 13}, 9, kMidoriPharmacy, kSakurazaka, {Drug("carbocisteine", "3", "7")});
  b.drugs(8, {1, 2, 6}, 4, kMidoriPharmacy, kKirariKids,
          {Drug("carbocisteine_ds", "0.6", "5"), Drug("montelukast", "1", "7")});
  // Dispensed today, so always in this month: a list asked from the previous month finds nothing.
  b.drugs(22, {0}, b.d.today.day(), kHimawariPharmacy, kSakurazaka,
          {Drug("fexofenadine", "2", "14"), Drug("acetaminophen", "1", "5")});

  b.treated(1, monthly.mid(0, 12), 10, kSakurazaka);
  b.treated(1, {2, 5, 8}, 20, kMinatoHospital);
  b.treated(1, {1, 3}, 3, clinic);
  b.treated(2, {2, 4}, 12, kAobaOrtho);
  b.treated(2, {5}, 25, kMinatoHospital);
  b.treated(2, {9}, 22, kMinatoHospital, QStringLiteral("1"));
  b.treated(3, {1}, 17, kHikariEye);
  b.treated(3, {4}, 8, kKomorebiDental);
  b.treated(4, {1, 3}, 16, kHikariEye);
  b.treated(4, {7}, 2, kKandSClinic);
  b.treated(5, {1}, 5, clinic);  // only the clinic itself and a pharmacy: no mark from these
  b.treated(5, {2}, 5, kMidoriPharmacy);
  b.treated(7, {1, 2, 3}, 14, kMinatoHospital);

  b.checkup(1, 5, 15);
  b.checkup(1, 17, 12);
  b.checkup(5, 3, 8);
  b.checkup(6, 2, 20);
  b.checkup(6, 14, 18);
}

}  // namespace

DemoData MakeDemoData(const QDate& today, const QString& clinicCode, int receptionsToday) {
  DemoData d;
  d.today = today;
  const QString code = clinicCode.trimmed();
  d.clinic.code = code.size() >= 10 ? code : QStringLiteral("131") + code.rightJustified(7, QLatin1Char('0'));
  d.clinic.name = QStringLiteral("見本台内科クリニック");
  d.departments = DemoDepartments();
  d.patients = DemoPatients();
  const QList<DemoPatient> madeUp =
      MadeUpPatients(d.patients.size() + 1, BusyDayMadeUpPatients(receptionsToday));
  d.patients += madeUp;
  AddReceptions(d, receptionsToday);
  AddOwnVisits(d);
  DemoBuilder b{d};
  AddOnlineData(b, d.clinic);
  AddBusyDayOnlineData(b, madeUp);
  AddCheckPatients(d);
  AddVisitPatient(d);
  std::stable_sort(d.visits.begin(), d.visits.end(),
                   [](const OwnVisit& a, const OwnVisit& b) { return a.date < b.date; });
  std::stable_sort(d.drugEvents.begin(), d.drugEvents.end(),
                   [](const DrugEvent& a, const DrugEvent& b) { return a.date < b.date; });
  std::stable_sort(d.treatments.begin(), d.treatments.end(),
                   [](const TreatmentDay& a, const TreatmentDay& b) { return a.date < b.date; });
  std::stable_sort(d.checkups.begin(), d.checkups.end(),
                   [](const Checkup& a, const Checkup& b) { return a.date < b.date; });
  return d;
}
