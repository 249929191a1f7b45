#include "check_patients.h"

#include "demo_catalog.h"

using namespace demo;

namespace {

OnlineDrug WithIngredient(OnlineDrug drug, const char* ingredient) {
  drug.ingredient = QString::fromUtf8(ingredient);
  return drug;
}

void Dispensed(DemoData& d, int patient, int daysAgo, const Institution& dispenser,
               const Institution& prescriber, const QList<OnlineDrug>& drugs) {
  DrugEvent e{patient, d.today.addDays(-daysAgo), {}, dispenser, prescriber, QStringLiteral("2"), drugs};
  if (!prescriber.code.isEmpty()) e.prescribed = e.date;
  d.drugEvents << e;
}

// Invoice numbers of their own (9, the patient, the days back), so that the other patients' visits
// keep theirs.
void Visited(DemoData& d, int patient, int daysAgo, const QList<OwnOrder>& orders) {
  const QString invoice = QStringLiteral("9%1%2")
                              .arg(patient % 1000, 3, 10, QLatin1Char('0'))
                              .arg(daysAgo, 3, 10, QLatin1Char('0'));
  d.visits << OwnVisit{patient, d.today.addDays(-daysAgo), QStringLiteral("01"), invoice, orders};
}

OwnOrder Oral(int days, const QList<OwnItem>& items) {
  return OwnOrder{QStringLiteral("210"), QStringLiteral("内服"), days, items};
}

const OwnOrder kRevisit{"120", "再診", 1, {{"199000201", "再診料（架空）", "", "", ""}}};

}  // namespace

void AddCheckPatients(DemoData& d) {
  d.patients += DemoCheckPatients();

  Dispensed(d, kDuplicatePatient, 20, kMidoriPharmacy, kSakurazaka,
            {WithIngredient(Drug("amlodipine", "1", "28"), "アムロジピンベシル酸塩"),
             WithIngredient(Drug("rosuvastatin", "1", "28"), "ロスバスタチンカルシウム")});
  // Half-width kana and a blank: the same ingredient once widths and blanks are set aside.
  Dispensed(d, kDuplicatePatient, 10, kMinatoHospital, {},
            {WithIngredient(Drug("amlodipine_brand", "1", "28"), "ｱﾑﾛｼﾞﾋﾟﾝ ﾍﾞｼﾙ酸塩")});
  Visited(d, kDuplicatePatient, 14, {kRevisit, Oral(28, {OwnDrug("metformin", "2")})});

  Dispensed(d, kInteractionPatient, 20, kMidoriPharmacy, kSakurazaka,
            {WithIngredient(Drug("famotidine", "2", "28"), "ファモチジン")});
  Dispensed(d, kInteractionPatient, 12, kHimawariPharmacy, kMinatoHospital,
            {WithIngredient(Drug("warfarin", "3", "28"), "ワルファリンカリウム")});
  OnlineDrug unknown{QStringLiteral("21"),
                     QStringLiteral("699999001"),
                     QStringLiteral("架空エキス顆粒"),
                     QStringLiteral("包"),
                     QStringLiteral("１日３回毎食前"),
                     QStringLiteral("3"),
                     QStringLiteral("14"),
                     QString(),
                     QStringLiteral("1")};
  Dispensed(d, kInteractionPatient, 5, kAobaOrtho, {},
            {WithIngredient(Drug("loxoprofen", "3", "14"), "ロキソプロフェンナトリウム水和物"), unknown});
  Visited(d, kInteractionPatient, 28, {kRevisit, Oral(14, {OwnDrug("magnesium", "2")})});
}
