#include "visit_patient.h"

#include "demo_catalog.h"

using namespace demo;

namespace {

OwnOrder Order(const char* cls, const char* name, int number, const QList<OwnItem>& items) {
  return OwnOrder{QLatin1String(cls), QString::fromUtf8(name), number, items};
}

// Invoice numbers of their own (9, the patient, the days back, the visit's place that day), so that the
// other patients' visits keep theirs.
void Visited(DemoData& d, int daysAgo, int place, const char* department, const QList<OwnOrder>& orders) {
  const QDate date = d.today.addDays(-daysAgo);
  const QString code = QLatin1String(department);
  const QString invoice = QStringLiteral("9%1%2%3")
                              .arg(kVisitsPatient % 1000, 3, 10, QLatin1Char('0'))
                              .arg(daysAgo, 2, 10, QLatin1Char('0'))
                              .arg(place);
  OwnVisit visit{kVisitsPatient, date, code, invoice, orders};
  visit.sequential = NextSequentialNumber(d, kVisitsPatient, date, code);
  d.visits << visit;
}

}  // namespace

void AddVisitPatient(DemoData& d) {
  d.patients += DemoVisitsPatient();
  const OwnOrder revisit{"120", "再診", 1, {{"199000201", "再診料（架空）", "", "", ""}}};
  Visited(d, 10, 1, "01",
          {revisit, Order("210", "内服", 28, {OwnDrug("amlodipine", "1")}),
           Order("210", "内服", 14, {OwnDrug("sennoside", "2")})});
  Visited(d, 10, 2, "11",
          {revisit, Order("210", "内服", 14, {OwnDrug("loxoprofen", "3"), OwnDrug("rebamipide", "3")}),
           Order("230", "外用", 1, {OwnDrug("loxoprofen_tape", "14")})});
  Visited(d, 3, 1, "01", {revisit, Order("210", "内服", 7, {OwnDrug("famotidine", "2")})});
  // Back the same afternoon with a cough and a fever.
  Visited(d, 3, 2, "01",
          {Order("210", "内服", 5, {OwnDrug("carbocisteine", "3")}),
           Order("220", "頓服", 5, {OwnDrug("acetaminophen", "1")})});
}
