// Documents printed to PDF by Chromium (tools/pdf-fixtures): two-byte CID text and
// Flate-compressed ToUnicode CMaps, as the terminal saves them.
#include <gtest/gtest.h>

#include "pdf/date_extract.h"
#include "pdf/institution_months.h"
#include "pdf/stream_scan.h"
#include "pdf_builder.h"

using namespace Qt::StringLiterals;

TEST(RealPdf, extractsTheTextOfEachDocument) {
  const struct {
    const char* file;
    QString text;
  } cases[] = {
      {"druginfo.pdf",
       u"薬剤情報提供書氏名　山田　太郎　様この文書には受診歴と調剤の記録が載っています。受診歴さくら内科医院"
       u"24年10月24年9月"
       u"みどり薬局2024年8月東京中央病院24年7月診療・調剤の内容調剤年月日　2024/10/05　ロキソプロフェンナトリウム錠60mg　3錠"_s},
      {"checkup.pdf",
       u"特定健康診査　結果通知表受診者　山田　太郎前回受診　2023-12-01実施日　2024/05/"
       u"10発行　2024.06.20項目結果身長170.2cm"
       u"体重65.0kg"_s},
      {"nodate.pdf",
       u"お薬手帳についてのお知らせ受診の際はお薬手帳をお持ちください。日付の記載はありません。"_s},
      {"encrypted.pdf", u""_s},  // its streams are encrypted and do not inflate
  };
  for (const auto& c : cases) EXPECT_EQ(ExtractTextFromPdf(FixturePath(c.file)), c.text) << c.file;
}

TEST(RealPdf, findsTheExaminationMonth) {
  EXPECT_EQ(ExtractDateFromPdf(FixturePath("checkup.pdf")), u"2024-05"_s);
  EXPECT_EQ(ExtractDateFromPdf(FixturePath("druginfo.pdf")), u"2024-10"_s);  // no 実施: the latest date
  EXPECT_EQ(ExtractDateFromPdf(FixturePath("nodate.pdf")), u""_s);
  EXPECT_EQ(ExtractDateFromPdf(FixturePath("missing.pdf")), u""_s);
}

TEST(RealPdf, findsTheInstitutionMonthsOfADrugInformationDocument) {
  QStringList list;
  ExtractInstitutionMonths(FixturePath("druginfo.pdf"), list);
  EXPECT_EQ(list, (QStringList{u"さくら内科医院=2024-10"_s, u"さくら内科医院=2024-09"_s,
                               u"みどり薬局=2024-08"_s, u"東京中央病院=2024-07"_s}));
  QStringList none;
  ExtractInstitutionMonths(FixturePath("checkup.pdf"), none);
  ExtractInstitutionMonths(FixturePath("missing.pdf"), none);
  EXPECT_EQ(none, QStringList());
}

TEST(RealPdf, readsAllPagesOfALongDocument) {
  const QString text = ExtractTextFromPdf(FixturePath("multipage.pdf"));
  EXPECT_TRUE(text.startsWith(u"薬剤情報提供書氏名　山田　太郎　様"_s));
  EXPECT_TRUE(text.contains(u"4000　"_s));  // the last numbered paragraph, on page 151
  QStringList list;
  ExtractInstitutionMonths(FixturePath("multipage.pdf"), list);
  EXPECT_EQ(list,
            (QStringList{u"さくら内科医院=2024-10"_s, u"みどり薬局=2024-09"_s, u"東京中央病院=2024-08"_s,
                         u"ひかり整形外科=2024-07"_s, u"あおば調剤薬局=2024-06"_s}));
}
