#include <gtest/gtest.h>

#include <QDir>

#include "core/core_error.h"
#include "core/ini_file.h"
#include "drug_info_fixture.h"
#include "patients/patient_cache.h"

class ReceptionListTest : public DrugInfoTest {
 protected:
  void SetUp() override {
    DrugInfoTest::SetUp();
    orca.configure();
    answerList({});
    logic->FormShow();
    WaitUntilIdle(*logic);
    orca.clearRecord();
  }
};

TEST_F(ReceptionListTest, patientReceivedTwiceIsListedTwiceAndCachedOnce) {
  answerList({{QStringLiteral("7"), QStringLiteral("甲")},
              {QStringLiteral("8"), QStringLiteral("乙")},
              {QStringLiteral("7"), QStringLiteral("甲")}});
  logic->LoadPatientList();
  WaitUntilIdle(*logic);
  EXPECT_EQ(rows(),
            (QStringList{QStringLiteral("1|7|甲|"), QStringLiteral("2|8|乙|"), QStringLiteral("3|7|甲|")}));
  EXPECT_EQ(ReadCacheLines(GetCacheFilePath()),
            (QStringList{QStringLiteral("7,甲"), QStringLiteral("8,乙")}));
}

TEST_F(ReceptionListTest, receivingModeListsOpenReceptionsButCachesEveryPatient) {
  answerList({{QStringLiteral("1"), QStringLiteral("甲"), QStringLiteral("10:00:00")},
              {QStringLiteral("2"), QStringLiteral("乙")},
              {QStringLiteral("3"), QStringLiteral("丙"), QStringLiteral("11:00:00")},
              {QStringLiteral("4"), QStringLiteral("丁")}});
  logic->BtnKaikeiMiClick();
  WaitUntilIdle(*logic);  // 受付中: loads the list
  EXPECT_EQ(rows(), (QStringList{QStringLiteral("1|2|乙|"), QStringLiteral("2|4|丁|")}));
  EXPECT_EQ(ReadCacheLines(GetCacheFilePath()).size(), 4);
}

TEST_F(ReceptionListTest, receivingModeWithEveryReceptionBilledShowsTheBlankRow) {
  answerList({{QStringLiteral("1"), QStringLiteral("甲"), QStringLiteral("10:00:00")},
              {QStringLiteral("2"), QStringLiteral("乙"), QStringLiteral("10:30:00")}});
  logic->BtnKaikeiMiClick();
  WaitUntilIdle(*logic);  // 受付中: loads the list
  EXPECT_EQ(rows(), QStringList{QStringLiteral("|||")});
  EXPECT_EQ(ReadCacheLines(GetCacheFilePath()),
            (QStringList{QStringLiteral("1,甲"), QStringLiteral("2,乙")}));
}

TEST_F(ReceptionListTest, failedRequestKeepsTheGridSilently) {
  answerList({{QStringLiteral("7"), QStringLiteral("甲")}});
  logic->LoadPatientList();
  WaitUntilIdle(*logic);
  orca.answer(kAcceptPath, HttpAction::Status(500));
  logic->BtnPrevDayClick();
  WaitUntilIdle(*logic);
  EXPECT_EQ(rows(), QStringList{QStringLiteral("1|7|甲|")});
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ReceptionListTest, answerWithoutReceptionsEmptiesTheGrid) {
  answerList({{QStringLiteral("7"), QStringLiteral("甲")}, {QStringLiteral("8"), QStringLiteral("乙")}});
  logic->LoadPatientList();
  WaitUntilIdle(*logic);
  orca.answer(kAcceptPath,
              HttpAction::Ok("<xmlio2>\n  <Api_Result type=\"string\">21</Api_Result>\n</xmlio2>\n"));
  logic->LoadPatientList();
  WaitUntilIdle(*logic);
  EXPECT_EQ(rows(), QStringList{QStringLiteral("|||")});
}

// Patient numbers are text: digits lose their leading zeros, any other number stays as written,
// and a reception without a number (a patient not yet registered) is no row.
TEST_F(ReceptionListTest, patientNumbersAreNormalised) {
  orca.answer(kAcceptPath, HttpAction::Ok("<Acceptance_Id type=\"string\">1</Acceptance_Id>\n"
                                          "<Patient_ID type=\"string\">00012</Patient_ID>\n"
                                          "<Acceptance_Id type=\"string\">2</Acceptance_Id>\n"
                                          "<Patient_ID type=\"string\"></Patient_ID>\n"
                                          "<Acceptance_Id type=\"string\">3</Acceptance_Id>\n"
                                          "<Patient_ID type=\"string\">x9</Patient_ID>\n"
                                          "<Acceptance_Id type=\"string\">4</Acceptance_Id>\n"
                                          "<Patient_ID type=\"string\">02024000123</Patient_ID>\n"
                                          "<Acceptance_Id type=\"string\">5</Acceptance_Id>\n"));
  logic->LoadPatientList();
  WaitUntilIdle(*logic);
  EXPECT_EQ(rows(), (QStringList{QStringLiteral("1|12||"), QStringLiteral("2|x9||"),
                                 QStringLiteral("3|2024000123||")}));
  EXPECT_FALSE(QFile::exists(GetCacheFilePath())) << "no names, nothing to cache";
}

TEST_F(ReceptionListTest, dayButtonsMoveTheDateAndReload) {
  struct Step {
    void (DrugInfoLogic::*handler)();
    const char* label;
    const char* day;
  } steps[] = {{&DrugInfoLogic::BtnPrevDayClick, "2024年04月30日", "2024-04-30"},
               {&DrugInfoLogic::BtnNextDayClick, "2024年05月01日", "2024-05-01"},
               {&DrugInfoLogic::BtnNextDayClick, "2024年05月02日", "2024-05-02"},
               {&DrugInfoLogic::BtnTodayClick, "2024年05月01日", "2024-05-01"}};
  for (const Step& step : steps) {
    logic->controls().EditSearch.text = QStringLiteral("123");
    logic->controls().MemoTain.lines = QStringList{QStringLiteral("他院薬歴")};
    (logic.get()->*step.handler)();
    WaitUntilIdle(*logic.get());
    SCOPED_TRACE(step.day);
    EXPECT_EQ(logic->controls().LabelDate.text, QString::fromUtf8(step.label));
    EXPECT_TRUE(
        acceptanceBodies().constLast().contains(QStringLiteral(">%1<").arg(QString::fromLatin1(step.day))));
    EXPECT_EQ(logic->controls().EditSearch.text, QString());
    EXPECT_EQ(logic->controls().MemoTain.lines, QStringList{QStringLiteral("他院薬歴")});
  }
  EXPECT_EQ(acceptanceRequests(), 4);
}

TEST_F(ReceptionListTest, explicitLoadsWarnWhenNotConfigured) {
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("URL"), QStringLiteral("   "));
  logic->GetWebORCAInfo();
  WaitUntilIdle(*logic);
  logic->controls().GridPatient.setCell(1, 1, QStringLiteral("7"));
  void (DrugInfoLogic::*handlers[])() = {&DrugInfoLogic::BtnPrevDayClick, &DrugInfoLogic::BtnNextDayClick,
                                         &DrugInfoLogic::BtnTodayClick, &DrugInfoLogic::BtnKaikeiMiClick};
  for (auto handler : handlers) (logic.get()->*handler)();
  WaitUntilIdle(*logic.get());
  ASSERT_EQ(ui.messages.size(), 4u);
  for (const auto& [kind, text] : ui.messages) {
    EXPECT_EQ(kind, MessageKind::Warning);
    EXPECT_EQ(text, kNotConfigured);
  }
  logic->TimerRefreshTimer();
  WaitUntilIdle(*logic);
  EXPECT_EQ(ui.messages.size(), 4u) << "the timer stays silent";
  EXPECT_TRUE(orca.requests().isEmpty());
  EXPECT_EQ(logic->controls().GridPatient.cell(1, 1), QStringLiteral("7"));
}

TEST_F(ReceptionListTest, workIsShownWhileOrcaAnswersAndGoneAfterwards) {
  answerList({{QStringLiteral("7"), QStringLiteral("甲")}});
  logic->LoadPatientList();
  EXPECT_TRUE(logic->working());
  EXPECT_TRUE(logic->controls().workLabel.visible);
  EXPECT_EQ(logic->controls().workLabel.text, QStringLiteral("受付一覧"));
  ASSERT_TRUE(WaitUntilIdle(*logic));
  EXPECT_FALSE(logic->controls().workLabel.visible);
  EXPECT_EQ(logic->controls().workLabel.text, QString());
  EXPECT_FALSE(logic->working());
}

// A cache that cannot be written ends nothing: the list stands and is probed, painting is restored, and
// the user is told once in a box of its own, not at every refresh and not as an error.
TEST_F(ReceptionListTest, cacheWriteFailureIsToldOnceWhileTheListStandsAndPaintingIsRestored) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("PatientCache.csv")));
  answerList({{QStringLiteral("7"), QStringLiteral("甲")}});
  ui.events.clear();
  logic->TimerRefreshTimer();
  WaitUntilIdle(*logic);
  logic->TimerRefreshTimer();
  WaitUntilIdle(*logic);
  EXPECT_TRUE(ui.errors.isEmpty()) << ui.errors.join(QLatin1Char('\n')).toStdString();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages.front().first, MessageKind::Warning);
  EXPECT_TRUE(ui.messages.front().second.startsWith(QStringLiteral("患者キャッシュに書き込めません。\r\n") +
                                                    QDir::toNativeSeparators(GetCacheFilePath()) +
                                                    QStringLiteral("\r\n原因: ")))
      << ui.messages.front().second.toStdString();
  EXPECT_EQ(rows(), QStringList{QStringLiteral("1|7|甲|")});
  EXPECT_EQ(orca.requestedPaths().filter(QStringLiteral("onlinedruggetv2")).size(), 1)
      << "probed, as any list";
  EXPECT_FALSE(logic->working());
  EXPECT_EQ(ui.events.constLast(), QStringLiteral("resume GridPatient"));
  EXPECT_EQ(ui.events.count(QStringLiteral("suspend GridPatient")),
            ui.events.count(QStringLiteral("resume GridPatient")));
}
