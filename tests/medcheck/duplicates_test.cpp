#include <gtest/gtest.h>

#include "check_fixtures.h"
#include "medcheck/duplicates.h"
#include "medcheck/ingredient_key.h"
#include "qt_printers.h"

namespace {

const QDate kJune1(2025, 6, 1);

struct Case {
  const char* what;
  QList<DrugInView> drugs;
  QStringList sources;  // of the one finding, newest first; empty: no finding
  QString subject;
};

TEST(Duplicates, oneIngredientFromDifferentSourcesWithOverlappingSupplies) {
  const QString amlodipine = "アムロジピンベシル酸塩";
  const QList<Case> cases{
      {"overlap by one day",
       {InView("A", "アムロジピン錠", "699000101", amlodipine, kJune1, 7),
        InView("B", "アムロジン錠", "699000121", amlodipine, kJune1.addDays(6), 28)},
       {"B", "A"},
       "同一成分：" + amlodipine},
      {"no overlap by one day",
       {InView("A", "アムロジピン錠", "699000101", amlodipine, kJune1, 7),
        InView("B", "アムロジン錠", "699000121", amlodipine, kJune1.addDays(7), 28)},
       {},
       {}},
      {"a drug counted on its day overlaps on that day only",
       {InView("A", "テープ", "699000301", "ロキソプロフェンナトリウム水和物", kJune1, 0),
        InView("B", "ロキソプロフェン錠", "699000106", "ロキソプロフェンナトリウム水和物", kJune1, 14)},
       {"A", "B"},
       "同一成分：ロキソプロフェンナトリウム水和物"},
      {"the same institution twice is a refill",
       {InView("A", "アムロジピン錠", "699000101", amlodipine, kJune1, 28),
        InView("A", "アムロジピン錠", "699000101", amlodipine, kJune1.addDays(14), 28)},
       {},
       {}},
      {"full- and half-width ingredient, with and without blanks",
       {InView("A", "アムロジピン錠", "699000101", amlodipine, kJune1, 28),
        InView("B", "アムロジン錠", "699000121", "ｱﾑﾛｼﾞﾋﾟﾝ　ﾍﾞｼﾙ酸塩 ", kJune1.addDays(1), 28)},
       {"B", "A"},
       "同一成分：アムロジピン ベシル酸塩"},
      {"full-width letters and digits",
       {InView("A", "錠Ａ", "699000201", "ＡＢＣ－１２", kJune1, 28),
        InView("B", "錠Ｂ", "699000202", "abc-12", kJune1, 28)},
       {"A", "B"},
       "同一成分：ABC-12"},
      {"different ingredients",
       {InView("A", "アムロジピン錠", "699000101", amlodipine, kJune1, 28),
        InView("B", "ニフェジピン錠", "699000131", "ニフェジピン", kJune1, 28)},
       {},
       {}},
      {"missing ingredient with the same code",
       {InView("A", "アムロジピン錠", "699000101", "", kJune1, 28),
        InView("B", "アムロジピン錠", "699000101", amlodipine, kJune1.addDays(3), 28)},
       {"B", "A"},
       "同一成分：" + amlodipine},
      {"missing ingredient with another code",
       {InView("A", "アムロジピン錠", "699000101", "", kJune1, 28),
        InView("B", "アムロジン錠", "699000121", amlodipine, kJune1, 28)},
       {},
       {}},
      {"no ingredient on either side, the same code",
       {InView("A", "薬", "699000101", "", kJune1, 28), InView("B", "薬", "699000101", "", kJune1, 28)},
       {"A", "B"},
       "同一薬剤コード：699000101"},
      {"codes that are not nine digits say nothing",
       {InView("A", "薬", "6990001", "", kJune1, 28), InView("B", "薬", "6990001", "", kJune1, 28)},
       {},
       {}},
      {"own clinic against an institution",
       {InView(kOwnClinic, "アムロジピン錠", "699000101", "", kJune1.addDays(2), 28),
        InView("A", "アムロジピン錠", "699000101", amlodipine, kJune1, 28)},
       {kOwnClinic, "A"},
       "同一成分：" + amlodipine},
      {"own clinic twice",
       {InView(kOwnClinic, "アムロジピン錠", "699000101", "", kJune1, 28),
        InView(kOwnClinic, "アムロジピン錠", "699000101", "", kJune1.addDays(7), 28)},
       {},
       {}},
      {"three sources joined through a code and an ingredient",
       {InView(kOwnClinic, "アムロジピン錠", "699000101", "", kJune1.addDays(2), 28),
        InView("A", "アムロジピン錠", "699000101", amlodipine, kJune1, 28),
        InView("B", "アムロジン錠", "699000121", amlodipine, kJune1.addDays(1), 28)},
       {kOwnClinic, "B", "A"},
       "同一成分：" + amlodipine},
  };
  for (const Case& c : cases) {
    const QList<Finding> findings = FindDuplicates(NewestFirst(c.drugs));
    if (c.sources.isEmpty()) {
      EXPECT_TRUE(findings.isEmpty()) << c.what;
      continue;
    }
    ASSERT_EQ(findings.size(), 1) << c.what;
    EXPECT_EQ(findings[0].kind, FindingKind::Duplicate) << c.what;
    QStringList sources;
    for (const CheckedDrug& d : findings[0].drugs) sources << d.source;
    EXPECT_EQ(sources, c.sources) << c.what;
    EXPECT_EQ(findings[0].subject, c.subject) << c.what;
  }
}

TEST(Duplicates, eachSourceIsListedOnceWithItsNewestOverlappingDrug) {
  const QString ingredient = "ファモチジン";
  const QList<Finding> findings = FindDuplicates(NewestFirst({
      InView("A", "ファモチジン錠（古い）", "699000108", ingredient, kJune1.addDays(-60),
             28),  // ended long before
      InView("A", "ファモチジン錠", "699000108", ingredient, kJune1, 28),
      InView("A", "ファモチジン錠（次回）", "699000108", ingredient, kJune1.addDays(28), 28),
      InView("B", "ガスター錠", "699000141", ingredient, kJune1.addDays(10), 14),
  }));
  ASSERT_EQ(findings.size(), 1);
  EXPECT_EQ(findings[0].drugs, (QList<CheckedDrug>{{"ガスター錠", "699000141", "B", kJune1.addDays(10), 14},
                                                   {"ファモチジン錠", "699000108", "A", kJune1, 28}}));
}

TEST(Duplicates, ingredientKeysIgnoreWidthBlanksAndCase) {
  EXPECT_EQ(IngredientKey("ｱﾑﾛｼﾞﾋﾟﾝ ﾍﾞｼﾙ酸塩"), IngredientKey("アムロジピン　ベシル酸塩"));
  EXPECT_EQ(IngredientKey(" Ｌ－カルボシステイン "), IngredientKey("l-カルボシステイン"));
  EXPECT_NE(IngredientKey("アムロジピン"), IngredientKey("アムロジピンベシル酸塩"));
  EXPECT_EQ(IngredientKey("　 "), QString());
}

}  // namespace
