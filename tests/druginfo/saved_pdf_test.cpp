// The window's saved-PDF roads: the two buttons, the drug-information PDF in a patient's load
// and the check-up PDF in the grid.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/ini_file.h"
#include "drug_info_fixture.h"
#include "pdf_builder.h"
#include "windowmodel/handler_runner.h"

using namespace Qt::StringLiterals;

namespace {

const QString kSelectPatient = u"患者を選択してください。"_s;
const QString kNoDrugPdf = u"該当患者の薬剤PDFが見つかりませんでした。"_s;
const QString kNoCheckUpPdf = u"該当患者の特定健診PDFが見つかりませんでした。"_s;

}  // namespace

class SavedPdfTest : public DrugInfoTest {
 protected:
  void SetUp() override {
    DrugInfoTest::SetUp();
    ASSERT_TRUE(QDir(dir_.path()).mkdir(u"pdf"_s));
    IFWriteIniStr(u"PARAMA"_s, u"SAVETXT"_s, pdfFolder());
    logic->FormShow();
    WaitUntilIdle(*logic);
    ui.messages.clear();
  }

  QString pdfFolder() const { return path(u"pdf"_s); }
  void copyFixture(const char* fixture, const QString& name) const {
    writeFile(u"pdf/"_s + name, FixtureBytes(fixture));
  }
  // Opens the patient as a search by number does, with ORCA knowing nothing of the patient but the
  // name and the given check-up answer; the grid is drawn from them and the saved PDFs.
  void openPatient(const QString& number, const QByteArray& checkUpAnswer) {
    orca.configure();
    orca.answer(
        u"api01rv2/patientgetv2?id="_s + number,
        HttpAction::Ok("<xmlio2>\n    <WholeName type=\"string\">試験　患者</WholeName>\n</xmlio2>\n"));
    orca.answer(u"api01rv2/onlinedruggetv2"_s, HttpAction::Ok("<xmlio2>\n</xmlio2>\n"));
    orca.answer(u"api01rv2/onlinespecgetv2"_s, HttpAction::Ok(checkUpAnswer));
    logic->GetWebORCAInfo();
    WaitUntilIdle(*logic);
    logic->controls().ComboBoxSearch.itemIndex = 0;
    logic->controls().EditSearch.text = number;
    logic->BtnSearchClick();
    WaitUntilIdle(*logic);
    ASSERT_TRUE(ui.messages.empty());
  }
  QStringList gridRow(int row) const {
    const StringGrid& g = logic->controls().GridInstitution;
    QStringList cells;
    for (int col = 0; col < g.colCount(); ++col) cells << g.cell(col, row);
    return cells;
  }
};

TEST_F(SavedPdfTest, buttonsOpenTheFileOrShowTheirMessage) {
  copyFixture("druginfo.pdf", u"YZK_12345X.pdf"_s);
  const QString file = pdfFolder() + u"/YZK_12345X.pdf"_s;
  using Click = void (DrugInfoLogic::*)();
  const struct {
    const char* what;
    QString saveTxt, patientId;  // the patient opened before the click; "" for none
    Click click;
    QStringList opened;
    std::vector<std::pair<MessageKind, QString>> messages;
  } cases[] = {
      {"missing folder, no patient", path(u"nowhere"_s), u""_s, &DrugInfoLogic::BtnPDFYClick, {}, {}},
      {"no patient",
       pdfFolder(),
       u""_s,
       &DrugInfoLogic::BtnPDFTClick,
       {},
       {{MessageKind::Warning, kSelectPatient}}},
      {"drug PDF", pdfFolder(), u"12345"_s, &DrugInfoLogic::BtnPDFYClick, {file}, {}},
      {"no check-up PDF",
       pdfFolder(),
       u"12345"_s,
       &DrugInfoLogic::BtnPDFTClick,
       {},
       {{MessageKind::Information, kNoCheckUpPdf}}},
      {"other patient",
       pdfFolder(),
       u"1234"_s,
       &DrugInfoLogic::BtnPDFYClick,
       {},
       {{MessageKind::Information, kNoDrugPdf}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    IFWriteIniStr(u"PARAMA"_s, u"SAVETXT"_s, pdfFolder());
    ui.messages.clear();
    if (!c.patientId.isEmpty()) openPatient(c.patientId, "<xmlio2>\n</xmlio2>\n");
    ASSERT_EQ(logic->patientId(), c.patientId);
    IFWriteIniStr(u"PARAMA"_s, u"SAVETXT"_s, c.saveTxt);
    ui.opened.clear();
    ui.messages.clear();
    (logic.get()->*c.click)();
    WaitUntilIdle(*logic.get());
    EXPECT_EQ(ui.opened, c.opened);
    EXPECT_EQ(ui.messages, c.messages);
  }
}

TEST_F(SavedPdfTest, theLoadMergesTheDrugPdfWithTheClinicsCodeAndNameOfTheMoment) {
  orca.configure();
  logic->GetWebORCAInfo();
  WaitUntilIdle(*logic);
  // Typed with its leading zeros, the number is the patient the list shows as 1.
  orca.answer(u"api01rv2/patientgetv2?id=1"_s,
              HttpAction::Ok("<xmlio2>\n    <WholeName type=\"string\">山田　太郎</WholeName>\n</xmlio2>\n"));
  orca.answer(u"api01rv2/onlinedruggetv2"_s, HttpAction::Ok("<xmlio2>\n</xmlio2>\n"));
  orca.answer(u"api01rv2/onlinespecgetv2"_s, HttpAction::Ok("<xmlio2>\n</xmlio2>\n"));
  orca.answer(u"api01rv2/onlinemedgetv2"_s, HttpAction::Ok("<xmlio2>\n</xmlio2>\n"));
  orca.answer(u"api01rv2/medicalgetv2?class=03"_s, HttpAction::Ok("<xmlio2>\n</xmlio2>\n"));
  // Entries: さくら内科医院 2024-10 and 2024-09, みどり薬局 2024-08, 東京中央病院 2024-07.
  copyFixture("druginfo.pdf", u"YZK_1X.pdf"_s);
  const struct {
    QString kikanCd, kikanName;
    QStringList grid;
  } cases[] = {
      // Without an own code the clinic's name excludes nothing; the pharmacy never shows.
      {u""_s,
       u"さくら内科"_s,
       {u"医療機関名|2024-10|2024-09|2024-07"_s, u"さくら内科医院|*|*|"_s, u"東京中央病院|||*"_s}},
      {u"1234567"_s, u"さくら内科"_s, {u"医療機関名|2024-07"_s, u"東京中央病院|*"_s}},
      {u"1234567"_s,
       u""_s,
       {u"医療機関名|2024-10|2024-09|2024-07"_s, u"さくら内科医院|*|*|"_s, u"東京中央病院|||*"_s}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE((c.kikanCd + u' ' + c.kikanName).toStdString());
    // Changed with the window open: the next patient's load reads them.
    IFWriteIniStr(u"PARAMA"_s, u"KIKANCD"_s, c.kikanCd);
    IFWriteIniStr(u"PARAMA"_s, u"KIKANNAME"_s, c.kikanName);
    logic->controls().ComboBoxSearch.itemIndex = 0;
    logic->controls().EditSearch.text = u"00001"_s;
    logic->BtnSearchClick();
    WaitUntilIdle(*logic);
    ASSERT_TRUE(ui.messages.empty());
    QStringList grid;
    for (int row = 0; row < logic->controls().GridInstitution.rowCount(); ++row)
      grid << gridRow(row).join(u'|');
    EXPECT_EQ(grid, c.grid);
  }
}

TEST_F(SavedPdfTest, theGridTakesTheCheckUpMonthFromThePdfAndAnUnreadablePdfEndsTheHandler) {
  copyFixture("checkup.pdf", u"TKK_12345X.pdf"_s);  // 実施日　2024/05/10
  openPatient(u"12345"_s, "<xmlio2>\n</xmlio2>\n");
  EXPECT_EQ(gridRow(0), (QStringList{u"医療機関名"_s, u"2024-05"_s}));
  EXPECT_EQ(gridRow(1), (QStringList{u"特定健診"_s, u"T"_s}));

  // Online check-up dates take precedence over the PDF.
  openPatient(u"12345"_s,
              "<xmlio2>\n  <EffectiveTime type=\"string\">2024-03-02</EffectiveTime>\n</xmlio2>\n");
  EXPECT_EQ(gridRow(1), (QStringList{u"特定健診"_s, u"T"_s}));
  EXPECT_EQ(gridRow(0), (QStringList{u"医療機関名"_s, u"2024-03"_s}));

  openPatient(u"12345"_s, "<xmlio2>\n</xmlio2>\n");
  writeFile(u"pdf/TKK_12345X.pdf"_s, PdfWithStreams({Zlib(BfCharCMap({"<10000> <0041>"}))}));
  QString reported;
  RunReportingErrors([&] { logic->BtnBackClick(); },
                     [&](const QString& typeName, const QString&) { reported = typeName; });
  EXPECT_EQ(reported, u"CMapRangeError"_s);
}
