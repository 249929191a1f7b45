#include "demo_data.h"

#include <algorithm>

#include "demo_catalog.h"

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

struct Builder {
  DemoData& d;

  void drugs(int patient, const QList<int>& monthsBack, int day, const Institution& dispenser,
             const Institution& prescriber, const QList<OnlineDrug>& lines) {
    for (int k : monthsBack) {
      DrugEvent e{patient, DayOfMonthBack(d.today, k, day), {}, dispenser, prescriber, QStringLiteral("2"),
                  lines};
      if (!prescriber.code.isEmpty()) e.prescribed = e.date.addDays(day % 2 == 0 ? -1 : 0);
      d.drugEvents << e;
    }
  }

  void treated(int patient, const QList<int>& monthsBack, int day, const Institution& where,
               const QString& inOut = QStringLiteral("2")) {
    const bool dental = where.code.mid(2, 1) == QLatin1String("3");
    for (int k : monthsBack) {
      TreatmentDay t{patient, DayOfMonthBack(d.today, k, day), where, inOut, {}};
      if (inOut == QLatin1String("1")) {
        t.acts << TreatmentAct{"90", "190000901", "入院基本料（架空）", "", "1", "1"};
      } else if (dental) {
        t.acts << TreatmentAct{"12", "399000201", "歯科再診料（架空）", "", "1", "1"};
      } else {
        t.acts << TreatmentAct{"12", "199000201", "再診料（架空）", "", "1", "1"}
               << TreatmentAct{"13", "199000301", "外来管理加算（架空）", "", "1", "1"};
      }
      d.treatments << t;
    }
  }

  void checkup(int patient, int monthsBack, int day) {
    const int v = patient * 7;
    Checkup c{patient, DayOfMonthBack(d.today, monthsBack, day), {}};
    c.items = {
        {"9N001000000000001", "身長", "PQ", QString::number(150 + v % 25) + ".4", "cm"},
        {"9N006000000000001", "体重", "PQ", QString::number(50 + v % 30) + ".2", "kg"},
        {"9N016160100000001", "腹囲", "PQ", QString::number(78 + v % 15) + ".0", "cm"},
        {"9A751000000000001", "収縮期血圧", "PQ", QString::number(118 + v % 30), "mmHg"},
        {"9A761000000000001", "拡張期血圧", "PQ", QString::number(72 + v % 18), "mmHg"},
        {"3D046000001906202", "HbA1c（NGSP）", "PQ", QStringLiteral("5.%1").arg(4 + monthsBack % 5), "%"},
        {"9N501000000000011", "服薬１（血圧）", "CD", "服薬なし", ""},
    };
    d.checkups << c;
  }
};

// What the clinic prescribes a patient in a department at each visit.
QList<OwnOrder> Regimen(int patient, const QString& department) {
  const OwnOrder revisit{"120", "再診", 1, {{"199000201", "再診料（架空）", "", "", ""}}};
  auto order = [](const char* cls, const char* name, int days, const QList<OwnItem>& items) {
    return OwnOrder{QLatin1String(cls), QString::fromUtf8(name), days, items};
  };
  if (department == QLatin1String("11")) {
    return {revisit, order("210", "内服", 14, {OwnDrug("loxoprofen", "3"), OwnDrug("rebamipide", "3")}),
            order("230", "外用", 1, {OwnDrug("loxoprofen_tape", "28")})};
  }
  if (department == QLatin1String("13")) {
    return {revisit, order("230", "外用", 1, {OwnDrug("heparinoid", "50")}),
            order("210", "内服", 14, {OwnDrug("fexofenadine", "2")})};
  }
  if (patient == 8) {
    return {revisit, order("210", "内服", 5, {OwnDrug("carbocisteine_ds", "0.6")}),
            order("210", "内服", 7, {OwnDrug("montelukast", "1")})};
  }
  switch (patient % 4) {
    case 0:
      return {revisit, order("210", "内服", 28, {OwnDrug("amlodipine", "1"), OwnDrug("rosuvastatin", "1")})};
    case 1:
      return {revisit, order("210", "内服", 28, {OwnDrug("amlodipine", "1")}),
              order("210", "内服", 28, {OwnDrug("metformin", "2")}),
              order("220", "頓服", 5, {OwnDrug("acetaminophen", "1")})};
    case 2:
      return {revisit,
              order("210", "内服", 14, {OwnDrug("carbocisteine", "3"), OwnDrug("magnesium", "1.5")})};
    default:
      return {revisit, order("210", "内服", 7, {OwnDrug("famotidine", "2")})};
  }
}

void AddReceptions(DemoData& d) {
  struct Seed {
    int patient;
    const char* department;
    bool billed;
  };
  const QList<Seed> today{{1, "01", true},   {10, "01", true},  {2, "01", true},   {11, "11", true},
                          {4, "13", true},   {12, "01", true},  {5, "01", true},   {13, "11", true},
                          {6, "01", true},   {14, "13", true},  {7, "01", true},   {15, "01", true},
                          {8, "01", true},   {3, "01", false},  {16, "01", false}, {2, "11", false},
                          {17, "11", false}, {18, "13", false}, {19, "01", false}, {20, "01", false},
                          {21, "11", false}, {22, "01", false}};
  const QList<Seed> yesterday{{9, "01", true},  {23, "01", true}, {24, "13", true}, {25, "11", true},
                              {26, "01", true}, {12, "01", true}, {27, "01", true}, {28, "13", true},
                              {19, "01", true}, {29, "01", true}, {30, "11", true}, {21, "11", true}};
  auto add = [&d](const QDate& date, const QList<Seed>& seeds) {
    QTime time(8, 50);
    for (const Seed& s : seeds) {
      d.receptions << Reception{
          date, time.toString(QStringLiteral("HH:mm:ss")), QLatin1String(s.department), s.patient,
          s.billed ? time.addSecs(35 * 60 + 17).toString(QStringLiteral("HH:mm:ss")) : QString()};
      time = time.addSecs(9 * 60 + 12);
    }
  };
  add(d.today.addDays(-1), yesterday);
  add(d.today, today);
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
    v.orders = Regimen(v.patientId, v.department);
  }
}

void AddOnlineData(Builder& b, const Institution& clinic) {
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

DemoData MakeDemoData(const QDate& today, const QString& clinicCode) {
  DemoData d;
  d.today = today;
  const QString code = clinicCode.trimmed();
  d.clinic.code = code.size() >= 10 ? code : QStringLiteral("131") + code.rightJustified(7, QLatin1Char('0'));
  d.clinic.name = QStringLiteral("見本台内科クリニック");
  d.departments = DemoDepartments();
  d.patients = DemoPatients();
  AddReceptions(d);
  AddOwnVisits(d);
  Builder b{d};
  AddOnlineData(b, d.clinic);
  std::stable_sort(d.drugEvents.begin(), d.drugEvents.end(),
                   [](const DrugEvent& a, const DrugEvent& b) { return a.date < b.date; });
  std::stable_sort(d.treatments.begin(), d.treatments.end(),
                   [](const TreatmentDay& a, const TreatmentDay& b) { return a.date < b.date; });
  std::stable_sort(d.checkups.begin(), d.checkups.end(),
                   [](const Checkup& a, const Checkup& b) { return a.date < b.date; });
  return d;
}
