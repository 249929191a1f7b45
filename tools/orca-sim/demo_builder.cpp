#include "demo_builder.h"

void DemoBuilder::drugs(int patient, const QList<int>& monthsBack, int day, const Institution& dispenser,
                        const Institution& prescriber, const QList<OnlineDrug>& lines) {
  for (int k : monthsBack) {
    DrugEvent e{patient, DayOfMonthBack(d.today, k, day), {}, dispenser, prescriber, QStringLiteral("2"),
                lines};
    if (!prescriber.code.isEmpty()) e.prescribed = e.date.addDays(day % 2 == 0 ? -1 : 0);
    d.drugEvents << e;
  }
}

void DemoBuilder::treated(int patient, const QList<int>& monthsBack, int day, const Institution& where,
                          const QString& inOut) {
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

void DemoBuilder::checkup(int patient, int monthsBack, int day) {
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
