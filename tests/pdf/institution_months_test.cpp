#include "pdf/institution_months.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QStringList Months(const QString& text, QStringList list = {}) {
  ExtractInstitutionMonthsFromText(text, list);
  return list;
}

const QString kHead = u"この文書には受診歴の記録があります受診歴"_s;

}  // namespace

TEST(ExtractInstitutionMonths, readsNamesAndDatesAfterTheSecondKeyword) {
  EXPECT_EQ(Months(kHead + u"〇〇医院24年10月24年9月△△クリニック2024年8月"_s),
            (QStringList{u"〇〇医院=2024-10"_s, u"〇〇医院=2024-09"_s, u"△△クリニック=2024-08"_s}));
}

TEST(ExtractInstitutionMonths, followsItsRulesForNamesAndDates) {
  const struct {
    QString section;
    QStringList expected;
  } cases[] = {
      {u"〇〇医院令和6年4月"_s, {}},  // a one-digit year gives no month
      {u"〇〇医院24年0月"_s, {}},
      {u"〇〇医院024年5月"_s, {}},
      {u"〇〇医院24年100月"_s, {u"〇〇医院=2024-100"_s}},  // the month is not checked against 12
      {u"〇〇医院24年5月24年5月"_s, {u"〇〇医院=2024-05"_s}},
      {u"第2病院24年5月"_s, {u"第2病院=2024-05"_s}},      // digits not followed by 年 stay in the name
      {u"〇〇医院 24年5月"_s, {u"〇〇医院 =2024-05"_s}},  // blanks before the year too
      {u"ABC医院24年5月"_s, {}},                          // a name must start above U+2000
      {u"𠮷野医院24年5月"_s, {u"𠮷野医院=2024-05"_s}},    // a surrogate pair starts a name
      {u"〇〇医院24年5月、△△病院24年6月"_s,
       {u"〇〇医院=2024-05"_s, u"〇〇医院=2024-06"_s}},           // no name after "、"
      {u"〇〇医院24年5月△△病院のみ"_s, {u"〇〇医院=2024-05"_s}},  // a name without a date ends the scan
      {u"24年5月〇〇医院24年6月"_s, {u"〇〇医院=2024-06"_s}},     // no name yet: no entry
      {u"〇〇医院24年5月診療△△病院24年6月"_s, {u"〇〇医院=2024-05"_s}},
      {u"〇〇医院24年5月年月日△△病院24年6月"_s, {u"〇〇医院=2024-05"_s}},
      {u"〇〇医院24年5月*1△△病院24年6月"_s, {u"〇〇医院=2024-05"_s}},
      {u"〇〇医院24年5月x診 △△病院24年6月"_s, {u"〇〇医院=2024-05"_s}},
      {u"診 〇〇医院24年5月"_s, {u"診 〇〇医院=2024-05"_s}},  // "診 " stops only once there is an entry...
      {u"x診 月〇〇医院24年5月"_s, {u"〇〇医院=2024-05"_s}},  // ...so here the scan goes on
  };
  for (const auto& c : cases) EXPECT_EQ(Months(kHead + c.section), c.expected) << c.section.toStdString();
}

TEST(ExtractInstitutionMonths, needsTwoKeywords) {
  EXPECT_EQ(Months(u"受診歴〇〇医院24年10月"_s), QStringList());
  EXPECT_EQ(Months(u"〇〇医院24年10月"_s), QStringList());
}

TEST(ExtractInstitutionMonths, appendsToTheCallersListUnlessAnEqualEntryIsThere) {
  EXPECT_EQ(Months(kHead + u"ＡＢ医院24年10月ＡＢ医院24年11月"_s, {u"ａｂ医院=2024-10"_s}),
            (QStringList{u"ａｂ医院=2024-10"_s, u"ＡＢ医院=2024-11"_s}));
}

TEST(ExtractInstitutionMonths, stopsAfterMoreThan50StepsWithoutADateOnceAnEntryExists) {
  const QString first = kHead + u"〇〇医院24年5月"_s;
  EXPECT_EQ(Months(first + QString(50, u'x') + u"24年6月"_s).size(), 2);
  EXPECT_EQ(Months(first + QString(51, u'x') + u"24年6月"_s).size(), 1);
  // A digit run that is not a date is one step.
  EXPECT_EQ(Months(first + u"12345x"_s.repeated(25) + u"24年6月"_s).size(), 2);
  EXPECT_EQ(Months(first + u"12345x"_s.repeated(25) + u"x24年6月"_s).size(), 1);
  // Before the first entry the scan is not limited.
  EXPECT_EQ(Months(kHead + QString(500, u'x') + u"月〇〇医院24年5月"_s), QStringList{u"〇〇医院=2024-05"_s});
}
