#include "tainhistory/check_up.h"

#include "orca/response_reader.h"

void ParseOnlineSpecGet01(const QStringList& answerLines, TainLists& lists) {
  QString value;
  for (const QString& line : answerLines) {
    if (ElementValue(line, QStringLiteral("EffectiveTime"), &value) && value.size() >= 10) {
      AppendUnlessPresent(lists.checkUpDates, value);
    }
  }
}
