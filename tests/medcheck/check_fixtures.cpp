#include "check_fixtures.h"

#include <algorithm>

TDrugItem Line(const QString& name, const QString& code, const QString& ingredient, int times,
               const QString& cls) {
  return TDrugItem{name, QStringLiteral("1"), QStringLiteral("錠"), times, cls, code, ingredient};
}

TPrescription Dispensed(const QString& instCode, const QString& instName, const QDate& day,
                        const QList<TDrugItem>& drugs) {
  return TPrescription{instName, instCode, day.toString(QStringLiteral("yyyyMMdd")), drugs};
}

TSelfDrug OwnLine(const QString& name, const QString& code, int days, const QString& cls) {
  return TSelfDrug{name, QStringLiteral("1"), QStringLiteral("錠"), days, cls, code};
}

SelfDayDrugs OwnDay(const QDate& day, const QList<TSelfDrug>& drugs) {
  return SelfDayDrugs{day.toString(Qt::ISODate), drugs};
}

DrugInView InView(const QString& source, const QString& name, const QString& code, const QString& ingredient,
                  const QDate& day, int days) {
  DrugInView d;
  d.drug = CheckedDrug{name, code, source, day, days};
  d.ingredient = ingredient;
  d.sourceKey = source;
  d.ownClinic = source == kOwnClinic;
  d.oral = true;
  d.count = days;
  return d;
}

QList<DrugInView> NewestFirst(QList<DrugInView> drugs) {
  std::stable_sort(drugs.begin(), drugs.end(),
                   [](const DrugInView& a, const DrugInView& b) { return a.drug.day > b.drug.day; });
  return drugs;
}
