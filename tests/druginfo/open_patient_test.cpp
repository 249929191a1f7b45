#include <gtest/gtest.h>

#include <QDir>

#include "core/ini_file.h"
#include "drug_info_fixture.h"
#include "patients/patient_cache.h"

namespace {

const QString kPatientGet = QStringLiteral("api01rv2/patientgetv2?id=");
const QString kDrug = QStringLiteral("api01rv2/onlinedruggetv2");
const QString kSpec = QStringLiteral("api01rv2/onlinespecgetv2");
const QString kMed = QStringLiteral("api01rv2/onlinemedgetv2");
const QString kMonth = QStringLiteral("api01rv2/medicalgetv2?class=03");
const QString kNotFound = QStringLiteral("該当する患者が見つかりませんでした。");

HttpAction PatientAnswer(const QString& wholeNameLines) {
  return HttpAction::Ok(
      ("<xmlio2>\n  <patientinfores type=\"record\">\n" + wholeNameLines + "  </patientinfores>\n</xmlio2>\n")
          .toUtf8());
}

QString WholeName(const QString& name) {
  return QStringLiteral("    <WholeName type=\"string\">%1</WholeName>\n").arg(name);
}

}  // namespace

class OpenPatientTest : public DrugInfoTest {
 protected:
  void SetUp() override {
    DrugInfoTest::SetUp();
    orca.configure();
    answerList({{QStringLiteral("7"), QStringLiteral("甲")}, {QStringLiteral("8"), QStringLiteral("乙")}});
    logic->FormShow();
    WaitUntilIdle(*logic);
    orca.clearRecord();
    // The drug information names the patient's birth date and one month; the rest answers empty.
    orca.answer(kDrug, HttpAction::Ok("<xmlio2>\n    <BirthDate type=\"string\">2000-05-01</BirthDate>\n" +
                                      kOneMonthListed + "</xmlio2>\n"));
    orca.answer(kSpec, HttpAction::Ok("<xmlio2>\n</xmlio2>\n"));
    orca.answer(kMed, HttpAction::Ok("<xmlio2>\n</xmlio2>\n"));
    orca.answer(kMonth, HttpAction::Ok("<xmlio2>\n</xmlio2>\n"));
  }

  void searchFor(int kind, const QString& text) {
    logic->controls().ComboBoxSearch.itemIndex = kind;
    logic->controls().EditSearch.text = text;
    logic->BtnSearchClick();
    WaitUntilIdle(*logic);
  }

  // Request kinds in order, consecutive repeats folded: "drug x13".
  QStringList road() const {
    QStringList kinds;
    for (const QString& path : orca.requestedPaths()) {
      const QString kind = path.section(QLatin1Char('/'), 1).section(QLatin1Char(' '), 0, 0);
      if (!kinds.isEmpty() && kinds.last().section(QLatin1Char(' '), 0, 0) == kind) {
        const int n = kinds.last().section(QLatin1Char('x'), -1).toInt();
        kinds.last() = kind + QStringLiteral(" x") + QString::number(n < 1 ? 2 : n + 1);
      } else {
        kinds << kind;
      }
    }
    return kinds;
  }
};

TEST_F(OpenPatientTest, doubleClickOpensTheRowInTheFixedOrder) {
  oneRequestAtATime();
  // A minute after the list was probed, so that the probe pass after the opening asks again.
  setClock(QDate(2024, 5, 1), QTime(10, 1));
  logic->controls().LabelTainMonth.text = QStringLiteral("2023年01月");
  logic->GridPatientSelectCell(1, 2);
  WaitUntilIdle(*logic);
  logic->GridPatientDblClick();
  WaitUntilIdle(*logic);
  // phase 1, then phase 2 for 2024-03 and the eleven other months back from 2024-05
  EXPECT_EQ(road(),
            (QStringList{QStringLiteral("onlinedruggetv2 x13"), QStringLiteral("onlinespecgetv2"),
                         QStringLiteral("onlinemedgetv2 x2"), QStringLiteral("medicalgetv2?class=03 x7"),
                         // marks: every row of the grid, drug information first
                         QStringLiteral("onlinedruggetv2 x2")}));
  const DrugInfoControls& c = logic->controls();
  EXPECT_EQ(logic->patientId(), QStringLiteral("8"));
  EXPECT_EQ(c.patientNumberLabel.text, QStringLiteral("8"));
  EXPECT_EQ(c.patientNameLabel.text, QStringLiteral("乙"));
  EXPECT_EQ(c.LabelAge.text, QStringLiteral("24歳"));  // the clock stands on 2024-05-01
  EXPECT_EQ(rows(), (QStringList{QStringLiteral("1|7|甲|◎"), QStringLiteral("2|8|乙|◎")}));
  // The double-click leaves the other institutions' month as it was.
  EXPECT_EQ(logic->tainMonth(), QString());
  EXPECT_EQ(c.LabelTainMonth.text, QStringLiteral("2023年01月"));
  EXPECT_EQ(c.LabelTainName.text, QStringLiteral("他院"));
  EXPECT_EQ(c.PanelTopGrid.height, 68);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(logic->working());
}

TEST_F(OpenPatientTest, doubleClickWithoutASelectedRowDoesNothing) {
  logic->GridPatientDblClick();
  WaitUntilIdle(*logic);
  EXPECT_TRUE(orca.requests().isEmpty());
  EXPECT_EQ(logic->controls().patientNumberLabel.text, QStringLiteral("カルテ番号"));
}

// A patient found by number opens though the cache cannot take them; the user is told once, not at
// every search.
TEST_F(OpenPatientTest, aPatientFoundByNumberOpensThoughTheCacheCannotBeWritten) {
  ASSERT_TRUE(QDir().rename(GetCacheFilePath(), path(QStringLiteral("kept.csv"))));
  ASSERT_TRUE(QDir().mkdir(GetCacheFilePath()));  // a folder in the file's place takes no new version
  orca.answer(kPatientGet + QStringLiteral("12"), PatientAnswer(WholeName(QStringLiteral("山田　太郎"))));
  orca.answer(kPatientGet + QStringLiteral("13"), PatientAnswer(WholeName(QStringLiteral("佐藤　花子"))));
  searchFor(0, QStringLiteral("12"));
  EXPECT_EQ(logic->controls().patientNameLabel.text, QStringLiteral("山田　太郎"));
  searchFor(0, QStringLiteral("13"));
  EXPECT_EQ(logic->controls().patientNameLabel.text, QStringLiteral("佐藤　花子"));
  EXPECT_EQ(rows(), QStringList{QStringLiteral("1|13|佐藤　花子|◎")});
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages.front().first, MessageKind::Warning);
  EXPECT_TRUE(ui.messages.front().second.startsWith(QStringLiteral("患者キャッシュに書き込めません。")));
  EXPECT_TRUE(ui.errors.isEmpty()) << ui.errors.join(QLatin1Char('\n')).toStdString();
}

// A number typed with leading zeros is the patient the list shows without them.
TEST_F(OpenPatientTest, searchByNumberPutsThePatientAloneInTheGridAndOpensIt) {
  orca.answer(
      kPatientGet + QStringLiteral("12"),
      PatientAnswer(WholeName(QString()) + WholeName(QStringLiteral(" 山田　太郎 ")) + WholeName("後")));
  searchFor(0, QStringLiteral("  0012 "));
  ASSERT_TRUE(ui.messages.empty());
  const HttpRequest first = orca.requests().first();  // a copy: requests() gives a list of its own
  EXPECT_EQ(first.method, "GET");
  EXPECT_EQ(first.target, "/api/api01rv2/patientgetv2?id=12");
  EXPECT_EQ(road().first(), QStringLiteral("patientgetv2?id=12"));
  EXPECT_EQ(rows(), QStringList{QStringLiteral("1|12|山田　太郎|◎")});
  EXPECT_EQ(logic->controls().GridPatient.row(), 1);
  EXPECT_EQ(logic->patientRow(), 1);
  EXPECT_EQ(logic->controls().patientNumberLabel.text, QStringLiteral("12"));
  EXPECT_EQ(logic->controls().patientNameLabel.text, QStringLiteral("山田　太郎"));
  EXPECT_EQ(ReadCacheLines(GetCacheFilePath()).last(), QStringLiteral("12,山田　太郎"));
  // The month list ends with the completed months: twelve back from 2024-05, after 2024-03.
  EXPECT_EQ(logic->tainMonth(), QStringLiteral("2023-06"));
  EXPECT_EQ(logic->controls().LabelTainMonth.text, QStringLiteral("2023年06月"));

  // A number that is not digits alone goes as written.
  orca.answer(kPatientGet + QStringLiteral("A0012"), PatientAnswer(WholeName(QStringLiteral("英字　患者"))));
  searchFor(0, QStringLiteral(" A0012 "));
  ASSERT_TRUE(ui.messages.empty());
  EXPECT_EQ(rows(), QStringList{QStringLiteral("1|A0012|英字　患者|◎")});
}

TEST_F(OpenPatientTest, failedSearchesShowTheirBoxAndChangeNothing) {
  struct Case {
    const char* name;
    int kind;
    std::function<void()> arrange;
    MessageKind box;
    QString text;
  };
  const QList<Case> cases{
      {"no url", 0, [] { IFWriteIniStr("PARAMA", "URL", " "); }, MessageKind::Warning,
       QStringLiteral("WebORCAの設定がされていません。設定してください。")},
      {"no answer", 0, [this] { orca.answer(kPatientGet + "5", HttpAction::Status(500)); },
       MessageKind::Warning, QStringLiteral("患者情報を取得できませんでした。")},
      {"no name", 0, [this] { orca.answer(kPatientGet + "5", PatientAnswer(WholeName(" "))); },
       MessageKind::Information, kNotFound},
      {"no cache", 1, [this] { QFile::remove(GetCacheFilePath()); }, MessageKind::Information,
       QStringLiteral("患者キャッシュがありません。\r\n受付一覧を読み込むと自動的に蓄積されます。")},
      {"no hit", 1, [] {}, MessageKind::Information, kNotFound},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    orca.configure();
    SavePatientCache(QStringLiteral("7"), QStringLiteral("甲"));
    c.arrange();
    logic->GetWebORCAInfo();
    WaitUntilIdle(*logic);
    ui.messages.clear();
    searchFor(c.kind, c.kind == 0 ? QStringLiteral("5") : QStringLiteral("ｺｳ"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].first, c.box);
    EXPECT_EQ(ui.messages[0].second, c.text);
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("1|7|甲|"), QStringLiteral("2|8|乙|")}));
    EXPECT_EQ(logic->controls().patientNumberLabel.text, QStringLiteral("カルテ番号"));
  }
}

TEST_F(OpenPatientTest, blankSearchTextDoesNothingWithEitherKind) {
  for (int kind : {0, 1}) {
    searchFor(kind, QStringLiteral("  \t "));
    EXPECT_TRUE(orca.requests().isEmpty());
    EXPECT_TRUE(ui.messages.empty());
  }
}

TEST_F(OpenPatientTest, nameSearchFindsPlainSubstringsAfterTheFirstComma) {
  writeFile(QStringLiteral("PatientCache.csv"),
            "\xEF\xBB\xBF"
            "1,山田　太郎\r\n2,ヤマダ\r\n3,山田,花子\r\nnocomma山田\r\n");
  searchFor(1, QStringLiteral("山田"));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(rows(), (QStringList{QStringLiteral("1|1|山田　太郎|◎"), QStringLiteral("2|3|山田,花子|◎")}));
  EXPECT_TRUE(orca.requestedPaths().filter(QStringLiteral("patientgetv2")).isEmpty());
  EXPECT_EQ(logic->controls().patientNumberLabel.text, QStringLiteral("カルテ番号"));

  // One hit asks ORCA again; a patient ORCA no longer knows is not found.
  orca.answer(kPatientGet + QStringLiteral("3"), PatientAnswer(QString()));
  searchFor(1, QStringLiteral(",花"));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].second, kNotFound);
  EXPECT_EQ(orca.requestedPaths().last(), QStringLiteral("api01rv2/patientgetv2?id=3"));
}

TEST_F(OpenPatientTest, enterSearchesAndIsSwallowedOtherKeysAreNot) {
  orca.answer(kPatientGet + "5", PatientAnswer(QString()));
  logic->controls().EditSearch.text = QStringLiteral("5");
  EXPECT_FALSE(logic->EditSearchKeyPress(QLatin1Char('a')));
  WaitUntilIdle(*logic);
  EXPECT_TRUE(orca.requests().isEmpty());
  EXPECT_TRUE(logic->EditSearchKeyPress(QChar(13)));
  WaitUntilIdle(*logic);
  EXPECT_EQ(orca.requestedPaths(), QStringList{QStringLiteral("api01rv2/patientgetv2?id=5")});
}

TEST_F(OpenPatientTest, switchingTheSearchKindEmptiesTheTextSetsTheInputMethodAndFocuses) {
  DrugInfoControls& c = logic->controls();
  for (const auto& [index, mode] : {std::pair{1, ImeMode::Hiragana}, std::pair{0, ImeMode::Closed}}) {
    c.EditSearch.text = QStringLiteral("123");
    c.ComboBoxSearch.itemIndex = index;
    ui.events.clear();
    logic->ComboBoxSearchChange();
    WaitUntilIdle(*logic);
    EXPECT_EQ(c.EditSearch.text, QString());
    EXPECT_EQ(c.EditSearch.imeMode, mode);
    EXPECT_EQ(ui.events, QStringList{QStringLiteral("focus EditSearch")});
  }
}
