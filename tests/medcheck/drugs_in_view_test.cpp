#include <gtest/gtest.h>

#include "check_fixtures.h"
#include "medcheck/drug_in_view.h"
#include "qt_printers.h"

namespace {

const QString kClinicCode = QStringLiteral("1234567");

TEST(DrugsInView, supplyDaysAreWhatTheHistoryTextsCallDays) {
  const struct {
    int count;
    bool oral;
    int days;
  } cases[] = {{28, true, 28}, {28, false, 28}, {1, true, 1}, {1, false, 0}, {0, true, 0}, {-3, true, 0}};
  for (const auto& c : cases) EXPECT_EQ(SupplyDays(c.count, c.oral), c.days) << c.count << ' ' << c.oral;
}

TEST(DrugsInView, everyLineOfTheRecordsWithWhereItCameFrom) {
  const QDate may(2025, 5, 9);
  const QList<TPrescription> presc{
      Dispensed("1310000101", " さくら坂内科クリニック ", may,
                {Line("アムロジピン錠５ｍｇ", "699000101", " アムロジピンベシル酸塩 ", 28),
                 Line("ロキソプロフェンＮａ\nテープ", "699000301", QString(), 1, "23"), Line("", "", "", 0)}),
      // The clinic's own prescription, dispensed by a pharmacy: the clinic's, not another institution's.
      Dispensed("1311234567", "見本台内科クリニック", may.addDays(1),
                {Line("メトホルミン", "699000104", "", 14)}),
      Dispensed("", "ひまわり薬局", may.addDays(2), {Line("市販薬", "", "", 0, "22")}),
  };
  const QList<SelfDayDrugs> own{OwnDay(may.addDays(3), {OwnLine("酸化マグネシウム", "699000117", 14),
                                                        OwnLine("外用薬", "699000302", 1, "230")})};
  const QList<DrugInView> drugs = DrugsOfRecords(presc, own, kClinicCode);
  ASSERT_EQ(drugs.size(), 6);
  EXPECT_EQ(drugs[0].drug,
            (CheckedDrug{"アムロジピン錠５ｍｇ", "699000101", "さくら坂内科クリニック", may, 28}));
  EXPECT_EQ(drugs[0].ingredient, "アムロジピンベシル酸塩");
  EXPECT_EQ(drugs[0].sourceKey, "code:1310000101");
  EXPECT_TRUE(drugs[0].oral);
  EXPECT_FALSE(drugs[0].ownClinic);
  EXPECT_EQ(drugs[1].drug.name, "ロキソプロフェンＮａ テープ");  // one line, as every row and list holds it
  EXPECT_EQ(drugs[1].drug.days, 0);                              // a tape counted on its day
  EXPECT_FALSE(drugs[1].oral);
  EXPECT_EQ(drugs[2].drug.source, kOwnClinic);
  EXPECT_TRUE(drugs[2].ownClinic);
  EXPECT_EQ(drugs[3].drug.source, "ひまわり薬局");
  EXPECT_EQ(drugs[3].sourceKey, "name:ひまわり薬局");
  EXPECT_EQ(drugs[4].drug, (CheckedDrug{"酸化マグネシウム", "699000117", kOwnClinic, may.addDays(3), 14}));
  EXPECT_EQ(drugs[4].sourceKey, kOwnClinic);
  EXPECT_EQ(drugs[5].drug.days, 0);
}

TEST(DrugsInView, theWindowKeepsWhatCoversTodayOrEndedWithinItsDays) {
  const QDate today(2025, 6, 30);  // 90 days back: 2025-04-01
  const struct {
    const char* what;
    QDate day;
    int days;
    int window;
    bool kept;
  } cases[] = {
      {"counted on its day, 90 days ago", {2025, 4, 1}, 0, 90, true},
      {"counted on its day, 91 days ago", {2025, 3, 31}, 0, 90, false},
      {"28 days ending 90 days ago", {2025, 3, 5}, 28, 90, true},
      {"28 days ending 91 days ago", {2025, 3, 4}, 28, 90, false},
      {"covering today", {2025, 6, 20}, 14, 0, true},
      {"ended yesterday, window 0", {2025, 6, 16}, 14, 0, false},
      {"an unknown day cannot be ruled out", {}, 0, 0, true},
  };
  for (const auto& c : cases) {
    const QList<DrugInView> kept =
        InCheckWindow({InView("A", "薬", "699000101", "", c.day, c.days)}, today, c.window);
    EXPECT_EQ(kept.size(), c.kept ? 1 : 0) << c.what;
  }
}

TEST(DrugsInView, theWindowListsNewestFirstAnUnknownDayAhead) {
  const QDate today(2025, 6, 30);
  const QList<DrugInView> kept = InCheckWindow(
      {InView("A", "古い", "", "", {2025, 6, 1}, 0), InView("B", "新しい", "", "", {2025, 6, 29}, 0),
       InView("C", "不明", "", "", {}, 0), InView("D", "同じ日", "", "", {2025, 6, 29}, 0)},
      today, 90);
  QStringList names;
  for (const DrugInView& d : kept) names << d.drug.name;
  EXPECT_EQ(names, (QStringList{"不明", "新しい", "同じ日", "古い"}));
}

}  // namespace
