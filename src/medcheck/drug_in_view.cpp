#include "medcheck/drug_in_view.h"

#include <algorithm>

#include "tainhistory/institution_codes.h"
#include "orca/response_reader.h"

namespace {

// A text of the records as one trimmed line: the check's rows and lists hold one drug a line.
QString OneLine(const QString& text) {
  QString line = TrimBlanksAndControls(text);
  for (QChar& c : line) {
    if (c == u'\r' || c == u'\n' || c == u'\t') c = u' ';
  }
  return line;
}

bool OralClass(const QString& cls) {
  return TrimBlanksAndControls(cls).startsWith(QStringLiteral("21"));
}

DrugInView Make(const QString& name, const QString& code, const QDate& day, int count, bool oral) {
  DrugInView d;
  d.drug.name = OneLine(name);
  d.drug.code = OneLine(code);
  d.drug.day = day;
  d.drug.days = SupplyDays(count, oral);
  d.count = count;
  d.oral = oral;
  return d;
}

void MakeOwn(DrugInView& d) {
  d.drug.source = kOwnClinic;
  d.sourceKey = kOwnClinic;
  d.ownClinic = true;
}

}  // namespace

int SupplyDays(int count, bool oral) {
  return count > 0 && (oral || count != 1) ? count : 0;
}

QList<DrugInView> DrugsOfRecords(const QList<TPrescription>& prescList, const QList<SelfDayDrugs>& ownDays,
                                 const QString& selfInstCd) {
  QList<DrugInView> drugs;
  for (const TPrescription& p : prescList) {
    const QDate day = QDate::fromString(p.PrescDate, QStringLiteral("yyyyMMdd"));
    const QString code = OneLine(p.InstitutionCd);
    const QString name = OneLine(p.InstitutionName);
    for (const TDrugItem& item : p.Drugs) {
      DrugInView d = Make(item.SryName, item.DrugC, day, item.Kai, OralClass(item.SryKbn));
      if (d.drug.name.isEmpty() && d.drug.code.isEmpty()) continue;
      d.ingredient = OneLine(item.IngreN);
      if (EndsWithInstCd(code, selfInstCd)) {
        MakeOwn(d);
      } else {
        d.drug.source = name.isEmpty() ? code : name;
        d.sourceKey = code.isEmpty() ? QStringLiteral("name:") + name : QStringLiteral("code:") + code;
      }
      drugs << d;
    }
  }
  for (const SelfDayDrugs& day : ownDays) {
    const QDate date = QDate::fromString(day.day, Qt::ISODate);
    for (const TSelfDrug& item : day.drugs) {
      DrugInView d = Make(item.Name, item.Code, date, item.Days, OralClass(item.MedClass));
      if (d.drug.name.isEmpty() && d.drug.code.isEmpty()) continue;
      MakeOwn(d);
      drugs << d;
    }
  }
  return drugs;
}

QList<DrugInView> InCheckWindow(const QList<DrugInView>& drugs, const QDate& today, int windowDays) {
  const QDate earliest = today.addDays(-windowDays);
  QList<DrugInView> kept;
  for (const DrugInView& d : drugs) {
    if (!d.drug.day.isValid() || d.lastDay() >= earliest) kept << d;
  }
  std::stable_sort(kept.begin(), kept.end(), [](const DrugInView& a, const DrugInView& b) {
    if (a.drug.day.isValid() != b.drug.day.isValid()) return !a.drug.day.isValid();
    return a.drug.day > b.drug.day;
  });
  return kept;
}
