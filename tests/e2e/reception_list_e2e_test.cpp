#include <gtest/gtest.h>

#include <QMap>

#include "e2e_fixture.h"

namespace {

const QMap<int, QString> kNames{
    {1, QStringLiteral("山田　太郎")},  {2, QStringLiteral("佐藤　花子")},
    {3, QStringLiteral("鈴木　一郎")},  {4, QStringLiteral("高橋　美咲")},
    {5, QStringLiteral("田中　健二")},  {6, QStringLiteral("伊藤　由美")},
    {7, QStringLiteral("渡辺　誠")},    {8, QStringLiteral("山本　さくら")},
    {9, QStringLiteral("中村　浩")},    {10, QStringLiteral("小林　恵子")},
    {11, QStringLiteral("加藤　大輔")}, {12, QStringLiteral("吉田　明美")},
    {13, QStringLiteral("山口　修")},   {14, QStringLiteral("松本　陽子")},
    {15, QStringLiteral("井上　正樹")}, {16, QStringLiteral("木村　和子")},
    {17, QStringLiteral("林　健太")},   {18, QStringLiteral("清水　直美")},
    {19, QStringLiteral("山崎　隆")},   {20, QStringLiteral("森　千尋")},
    {21, QStringLiteral("池田　勝")},   {22, QStringLiteral("橋本　里奈")},
    {23, QStringLiteral("阿部　進")},   {24, QStringLiteral("石川　裕子")},
    {25, QStringLiteral("前田　哲也")}, {26, QStringLiteral("藤田　静香")},
    {27, QStringLiteral("小川　翔")},   {28, QStringLiteral("岡田　智子")},
    {29, QStringLiteral("後藤　実")},   {30, QStringLiteral("長谷川　舞")},
};

// Patients 1, 2, 3, 7 and 8 have drug information (first probe), 4 only treatment records at other
// institutions (second probe), 5 and 6 only check-ups (third probe; 5's treatment records are the
// clinic's own and a pharmacy's, which the second probe does not count). 22's only drug information
// is from today, which ORCA lists only when the current month is asked for. The others have nothing.
bool Marked(int patient) {
  return patient <= 8 || patient == 22;
}

// The expected grid rows for patients in reception order.
QStringList Rows(const QList<int>& patients) {
  QStringList rows;
  int number = 0;
  for (int p : patients) {
    rows << QStringLiteral("%1|%2|%3|%4")
                .arg(++number)
                .arg(p)
                .arg(kNames.value(p), Marked(p) ? QStringLiteral("◎") : QString());
  }
  return rows;
}

const QList<int> kTodayBilled{1, 10, 2, 11, 4, 12, 5, 13, 6, 14, 7, 15, 8};
const QList<int> kTodayInProgress{3, 16, 2, 17, 18, 19, 20, 21, 22};
const QList<int> kYesterday{9, 23, 24, 25, 26, 12, 27, 28, 19, 29, 30, 21};

}  // namespace

TEST_P(EndToEndTest, formShowListsTodaysReceptionsWithTheirMarks) {
  logic->FormShow();
  WaitUntilIdle(*logic);
  EXPECT_EQ(rows(), Rows(kTodayBilled + kTodayInProgress));
  EXPECT_EQ(logic->controls().LabelDate.text, today.toString(QStringLiteral("yyyy年MM月dd日")));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(logic->working());
}

TEST_P(EndToEndTest, inProgressModeListsOnlyReceptionsWithoutAccount) {
  logic->FormShow();
  WaitUntilIdle(*logic);
  logic->BtnKaikeiMiClick();
  WaitUntilIdle(*logic);
  EXPECT_EQ(rows(), Rows(kTodayInProgress));
  EXPECT_EQ(logic->controls().LabelListState.text, QStringLiteral("受付中"));
  EXPECT_EQ(logic->controls().BtnKaikeiMi.caption, QStringLiteral("全て"));

  logic->BtnKaikeiMiClick();
  WaitUntilIdle(*logic);
  EXPECT_EQ(rows(), Rows(kTodayBilled + kTodayInProgress));
}

TEST_P(EndToEndTest, previousDayListsYesterdaysReceptions) {
  logic->FormShow();
  WaitUntilIdle(*logic);
  logic->BtnPrevDayClick();
  WaitUntilIdle(*logic);
  EXPECT_EQ(rows(), Rows(kYesterday));
  EXPECT_EQ(logic->controls().LabelDate.text, today.addDays(-1).toString(QStringLiteral("yyyy年MM月dd日")));

  logic->BtnTodayClick();
  WaitUntilIdle(*logic);
  EXPECT_EQ(rows().size(), kTodayBilled.size() + kTodayInProgress.size());
  EXPECT_TRUE(ui.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Roads, EndToEndTest, testing::ValuesIn(kEveryRoad), RoadName);
INSTANTIATE_TEST_SUITE_P(Servers, EndToEndTest, testing::ValuesIn(kServerKinds), RoadName);
