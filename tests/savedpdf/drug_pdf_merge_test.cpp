#include "savedpdf/drug_pdf_merge.h"
#include "pdf/pdf_error.h"
#include "pdf_builder.h"
#include "saved_pdf_folder.h"

using namespace Qt::StringLiterals;

namespace {

// druginfo.pdf names 山田　太郎 and prints, after its second 受診歴, these entries.
const QStringList kLogOfDrugInfo = {
    u"PDF患者名一致: YZK_00001X.pdf"_s, u"PDF抽出件数: 4"_s,          u"PDF: さくら内科医院=2024-10"_s,
    u"PDF: さくら内科医院=2024-09"_s,   u"PDF: みどり薬局=2024-08"_s, u"PDF: 東京中央病院=2024-07"_s,
};

SavedDrugPdfContext Yamada(const QString& selfInstCd = {}, const QString& kikanName = {}) {
  return {u"00001"_s, u"山田　太郎"_s, selfInstCd, kikanName};
}

TPrescription Record(const QString& name, const QString& code) {
  return {name, code, u"20240710"_s, {}};
}

}  // namespace

using DrugPdfMergeTest = SavedPdfFolderTest;

TEST_F(DrugPdfMergeTest, logsTheFileAndItsEntriesAndAddsTheInstitutionsNotYetListed) {
  copyFixture("druginfo.pdf", u"YZK_00001X.pdf"_s);
  TainLists lists;
  lists.treatmentMonths = {u"みなと中央病院=2024-06"_s, u"東京中央病院=2024-07"_s};
  MergeSavedDrugPdf(lists, Yamada());
  EXPECT_EQ(logMessages(), kLogOfDrugInfo);
  // みどり薬局 is a pharmacy, 東京中央病院=2024-07 was there already.
  EXPECT_EQ(lists.treatmentMonths, (QStringList{u"みなと中央病院=2024-06"_s, u"東京中央病院=2024-07"_s,
                                                u"さくら内科医院=2024-10"_s, u"さくら内科医院=2024-09"_s}));
}

TEST_F(DrugPdfMergeTest, dropsTheClinicsOwnNamesOnlyWhenItsCodeIsSet) {
  copyFixture("druginfo.pdf", u"YZK_00001X.pdf"_s);
  const QList<TPrescription> records = {
      Record(u"東京中央"_s, u"1311234567"_s),        // own code: its name drops 東京中央病院
      Record(u""_s, u"1301234567"_s),                // own code, no name: drops nothing
      Record(u"さくら内科医院"_s, u"1310000101"_s),  // another institution's code
  };
  const QString sakura10 = u"さくら内科医院=2024-10"_s, sakura09 = u"さくら内科医院=2024-09"_s,
                tokyo = u"東京中央病院=2024-07"_s;
  const struct {
    SavedDrugPdfContext context;
    QList<TPrescription> records;
    QStringList added;
  } cases[] = {
      {Yamada(), records, {sakura10, sakura09, tokyo}},
      {Yamada(u""_s, u"さくら内科"_s), records, {sakura10, sakura09, tokyo}},
      {Yamada(u"1234567"_s, u"さくら内科"_s), {}, {tokyo}},
      {Yamada(u"1234567"_s, u""_s), records, {sakura10, sakura09}},
      {Yamada(u"1234567"_s, u"さくら内科"_s), records, {}},
      {Yamada(u"7654321"_s, u"見本台"_s), records, {sakura10, sakura09, tokyo}},
  };
  for (const auto& c : cases) {
    TainLists lists;
    lists.prescriptions = c.records;
    MergeSavedDrugPdf(lists, c.context);
    EXPECT_EQ(lists.treatmentMonths, c.added)
        << c.context.selfInstCd.toStdString() << " " << c.context.kikanName.toStdString();
  }
}

TEST_F(DrugPdfMergeTest, anEntirelyDroppedDocumentStillLogsAllThreeKindsOfLines) {
  copyFixture("druginfo.pdf", u"YZK_00001X.pdf"_s);
  TainLists lists;
  MergeSavedDrugPdf(lists, Yamada(u"1"_s, u"院"_s));
  EXPECT_EQ(lists.treatmentMonths, QStringList());
  EXPECT_EQ(logMessages(), kLogOfDrugInfo);
}

TEST_F(DrugPdfMergeTest, skipsACandidateThatDoesNotNameThePatientAndTakesTheNext) {
  copyFixture("nodate.pdf", u"YZK_a_00001X.pdf"_s);
  copyFixture("checkup.pdf", u"YZK_00002X.pdf"_s);  // names 山田　太郎, but another patient's key
  copyFixture("druginfo.pdf", u"YZK_b_00001X.pdf"_s);
  TainLists lists;
  MergeSavedDrugPdf(lists, Yamada());
  ASSERT_FALSE(logMessages().isEmpty());
  EXPECT_EQ(logMessages().first(), u"PDF患者名一致: YZK_b_00001X.pdf"_s);
  EXPECT_EQ(lists.treatmentMonths.size(), 3);
}

TEST_F(DrugPdfMergeTest, withoutAQualifyingFileNothingIsLoggedOrAdded) {
  copyFixture("druginfo.pdf", u"YZK_00001X.pdf"_s);
  copyFixture("druginfo.pdf", u"TKK_00002X.pdf"_s);
  const SavedDrugPdfContext contexts[] = {
      {u"00001"_s, u""_s, u""_s, u""_s},             // no name never qualifies
      {u"00001"_s, u"佐藤　花子"_s, u""_s, u""_s},   // another name
      {u"00002"_s, u"山田　太郎"_s, u""_s, u""_s},   // only a check-up file
      {u"00001 "_s, u"山田　太郎"_s, u""_s, u""_s},  // the key takes the number as held
      {u""_s, u"山田　太郎"_s, u""_s, u""_s},
  };
  for (const auto& context : contexts) {
    TainLists lists;
    lists.treatmentMonths = {u"ひかり眼科=2024-01"_s};
    MergeSavedDrugPdf(lists, context);
    EXPECT_EQ(lists.treatmentMonths, QStringList{u"ひかり眼科=2024-01"_s}) << context.patientId.toStdString();
  }
  EXPECT_EQ(logMessages(), QStringList());
}

TEST_F(DrugPdfMergeTest, aDocumentWhoseCMapCannotBeReadRaisesItsErrorBeforeAnyLogLine) {
  writeFile(u"pdf/YZK_00001X.pdf"_s, PdfWithStreams({Zlib(BfCharCMap({"<1FFFF> <0041>"}))}));
  TainLists lists;
  EXPECT_THROW(MergeSavedDrugPdf(lists, Yamada()), CMapRangeError);
  EXPECT_EQ(logMessages(), QStringList());
  EXPECT_EQ(lists.treatmentMonths, QStringList());
}
