#include "ownhistory/self_drugs.h"

#include <algorithm>
#include <functional>

#include "orca/response_reader.h"

QList<TSelfDrug> ReadSelfDrugs(const QStringList& answerLines) {
  QList<TSelfDrug> drugs;
  QString medClass, classNumber, code, name, quantity, unit;
  bool begun = false;  // a drug's code line came, and the drug is not taken yet
  auto take = [&] {
    if (begun && code.startsWith(u'6') && !name.trimmed().isEmpty()) {
      bool isNumber = false;
      const int days = classNumber.toInt(&isNumber);
      drugs.append(TSelfDrug{name, quantity, unit, isNumber ? days : 0, medClass, code});
    }
    begun = false;
    name.clear();
    quantity.clear();
    unit.clear();
  };
  const QString recordEnd = QStringLiteral("</Medication_info_child>");
  for (const QString& line : answerLines) {
    ElementValue(line, QStringLiteral("Medical_Class"), &medClass);
    ElementValue(line, QStringLiteral("Medical_Class_Number"), &classNumber);
    QString value;
    if (ElementValue(line, QStringLiteral("Medication_Code"), &value)) {
      // ORCA writes no unit name for a drug whose unit in the master is blank: the drug before
      // ends here without one.
      take();
      code = value;
      begun = true;
    }
    ElementValue(line, QStringLiteral("Medication_Name"), &name);
    ElementValue(line, QStringLiteral("Medication_Number"), &quantity);
    if (ElementValue(line, QStringLiteral("Unit_Code_Name"), &unit)) {
      begun = true;  // as ever, the unit line completes the drug named so far
      take();
    }
    if (line.contains(recordEnd)) take();
  }
  take();
  return drugs;
}

QStringList SelfDayBlock(const QString& day, const QList<TSelfDrug>& drugs) {
  if (drugs.isEmpty()) return {};
  QStringList block{QString(day).replace(u'-', u'.')};
  QList<int> groups;
  for (const TSelfDrug& drug : drugs) {
    if (!groups.contains(drug.Days)) groups << drug.Days;
  }
  std::sort(groups.begin(), groups.end(), std::greater<int>());
  for (const int days : groups) {
    bool oral = false;
    for (const TSelfDrug& drug : drugs) {
      if (drug.Days != days) continue;
      const QString quantity = drug.Suryo.trimmed();
      block << (quantity.isEmpty() ? drug.Name : drug.Name + u'\u3000' + drug.Suryo + drug.Tani);
      // Classes 21x are the oral medicines, whose count is a number of days even when it is 1.
      if (drug.MedClass.startsWith(QStringLiteral("21"))) oral = true;
    }
    if (days > 0 && (oral || days != 1)) {
      block << QStringLiteral("\u3000\u3000") + QString::number(days) + QStringLiteral("日分");
    }
  }
  return block;
}

void AppendSelfDayBlock(const QString& day, const QList<TSelfDrug>& drugs, QStringList& memo) {
  const QStringList block = SelfDayBlock(day, drugs);
  if (block.isEmpty()) return;
  if (!memo.isEmpty()) memo << QString();
  memo << block;
}

void ParseMedicalGet02(const QStringList& answerLines, const QString& day, QStringList& memo) {
  AppendSelfDayBlock(day, ReadSelfDrugs(answerLines), memo);
}
