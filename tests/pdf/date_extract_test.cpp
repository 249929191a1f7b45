#include "pdf/date_extract.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(ExtractDateFromText, takesTheFirstDateAfterTheKeywordOrElseTheLatest) {
  const struct {
    QString text;
    QString expected;
  } cases[] = {
      {u"前回2023-12-01受診実施日2024/05/10発行2024.06.20"_s, u"2024-05"_s},
      {u"実施 2024/03/01 2025/01/01"_s, u"2024-03"_s},  // first after it, not the latest
      {u"2023.11.02 2024.01.15 実施"_s, u"2024-01"_s},  // only dates before it: the latest
      {u"2024.01.15 2023.11.02"_s, u"2024-01"_s},
      {u"実施前 2023/01/01 実施日 2024/02/02"_s, u"2023-01"_s},  // the first keyword counts
      {u"2024-05.10"_s, u"2024-05"_s},                           // separators may differ
      {u"120240510 12024/05/101"_s, u"2024-05"_s},               // not anchored
      {u"2024/05/2024/06/01"_s, u"2024-05"_s},                   // matches do not overlap
      {u"2024/5/10"_s, u""_s},
      {u"２０２４/０５/１０"_s, u""_s},  // full-width digits are not digits
      {u"1999/01/01 2100/01/01"_s, u""_s},
      {u"2024_05_10"_s, u""_s},
      {u""_s, u""_s},
  };
  for (const auto& c : cases) EXPECT_EQ(ExtractDateFromText(c.text), c.expected) << c.text.toStdString();
}

TEST(ExtractDateFromText, toleratesTextThatIsNotValidUtf16) {
  // A CMap may map a code to a lone surrogate; the dates around it are still found.
  const QString text = QChar(0xD800) + u"実施"_s + QChar(0xDC00) + u"2024/05/10"_s + QChar(0xDBFF);
  EXPECT_EQ(ExtractDateFromText(text), u"2024-05"_s);
}
