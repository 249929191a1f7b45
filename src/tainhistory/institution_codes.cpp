#include "tainhistory/institution_codes.h"

#include <QStringList>

bool EndsWithInstCd(const QString& code, const QString& instCd) {
  return !instCd.isEmpty() && code.endsWith(instCd);
}

bool IsPharmacyInstCd(const QString& code) {
  return code.size() >= 3 && code.at(2) == QLatin1Char('4');
}

bool IsInstitutionName(const QString& name) {
  static const QStringList keywords = {
      QStringLiteral("科"),       QStringLiteral("病院"),   QStringLiteral("クリニック"),
      QStringLiteral("センター"), QStringLiteral("診療所"), QStringLiteral("医院"),
      QStringLiteral("醫院"),
  };
  bool hasKeyword = false;
  for (const QString& keyword : keywords) {
    if (name.contains(keyword)) {
      hasKeyword = true;
      break;
    }
  }
  return hasKeyword && !name.contains(QStringLiteral("薬局")) && !name.startsWith(QStringLiteral("診療"));
}

QString MonthOfPrescDate(const QString& prescDate) {
  return prescDate.mid(0, 4) + QLatin1Char('-') + prescDate.mid(4, 2);
}
