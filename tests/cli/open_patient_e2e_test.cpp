#include <gtest/gtest.h>

#include <QDate>
#include <QRegularExpression>
#include <algorithm>
#include <functional>
#include <memory>

#include "core/clock.h"
#include "core/ini_file.h"
#include "druginfo/drug_info_logic.h"
#include "grid_rows.h"
#include "ownhistory/age.h"
#include "recording_ui.h"
#include "sim_and_cli.h"
#include "wait_until_idle.h"

namespace {

const QString kNotFound = QStringLiteral("該当する患者が見つかりませんでした。");

QString MonthLabel(const QDate& day) {
  return day.toString(QStringLiteral("yyyy年MM月"));
}

QStringList Rows(const StringGrid& grid) {
  return GridRows(grid, QLatin1Char('\t'));
}

// What rinmed-cli patient prints, made from the window's controls.
QString Sections(const DrugInfoControls& c) {
  QStringList lines{QStringLiteral("== 受診歴 ==")};
  lines << Rows(c.GridInstitution) << QStringLiteral("== 他院 ==") << c.MemoTain.lines
        << QStringLiteral("== 自院薬歴 ==") << c.LabelSelfMonth.text << c.MemoSelf.lines
        << QStringLiteral("== 年齢 ==") << c.LabelAge.text;
  return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

}  // namespace

class OpenPatientE2e : public SimAndCli, public testing::WithParamInterface<EndToEndRoad> {
 protected:
  EndToEndRoad road() const override { return GetParam(); }
  void SetUp() override {
    SimAndCli::SetUp();
    if (HasFatalFailure()) return;
    // The window is what rinmed-cli's output is held against: no list read in between because a push
    // link came up.
    IFWriteIniStr("PARAMA", "PUSH", "0");
    IFWriteIniStr("PARAMA", "PREPARE", "0");
    logic = std::make_unique<DrugInfoLogic>(ui);
    logic->FormShow();
    WaitUntilIdle(*logic);  // loads today's list, which also fills the patient cache
    ui.messages.clear();
  }

  void search(int kind, const QString& text) {
    logic->controls().ComboBoxSearch.itemIndex = kind;
    logic->ComboBoxSearchChange();
    WaitUntilIdle(*logic);
    logic->controls().EditSearch.text = text;
    EXPECT_TRUE(logic->EditSearchKeyPress(QChar(13)));
    WaitUntilIdle(*logic);
  }

  QStringList patientRows() const {
    QStringList rows = Rows(logic->controls().GridPatient);
    rows.removeFirst();
    return rows;
  }

  RecordingUi ui;
  std::unique_ptr<DrugInfoLogic> logic;
};

TEST_P(OpenPatientE2e, patientWithBothHistoriesPrintsWhatTheWindowShows) {
  search(0, QStringLiteral(" 1 "));
  ASSERT_TRUE(ui.messages.empty());
  const DrugInfoControls& c = logic->controls();
  EXPECT_EQ(patientRows(), QStringList{QStringLiteral("1\t1\t山田　太郎\t◎")});
  EXPECT_EQ(c.patientNumberLabel.text, QStringLiteral("1"));
  EXPECT_EQ(c.patientNameLabel.text, QStringLiteral("山田　太郎"));

  const QStringList grid = Rows(c.GridInstitution);
  QStringList months = grid.first().split('\t');
  EXPECT_EQ(months.takeFirst(), QStringLiteral("医療機関名"));
  QStringList newestFirst = months;
  std::sort(newestFirst.begin(), newestFirst.end(), std::greater<>());
  EXPECT_EQ(months, newestFirst);
  EXPECT_GE(months.size(), 12);
  EXPECT_EQ(grid.filter(QRegularExpression(QStringLiteral("^さくら坂内科クリニック\t.*○"))).size(), 1);
  EXPECT_TRUE(grid.last().startsWith(QStringLiteral("特定健診\t")) && grid.last().contains('T'));
  EXPECT_TRUE(grid.filter(QStringLiteral("見本台内科クリニック")).isEmpty());  // the clinic itself
  EXPECT_TRUE(grid.filter(QStringLiteral("薬局")).isEmpty());
  EXPECT_EQ(c.PanelTopGrid.height, std::min<int>(grid.size(), 10) * 19 + 30);
  EXPECT_EQ(c.LabelTainName.text, QStringLiteral("他院"));
  EXPECT_FALSE(c.BtnBack.visible);
  ASSERT_FALSE(c.MemoTain.lines.isEmpty());
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}\\.\\d\\d\\.\\d\\d　\\S"))
                  .match(c.MemoTain.lines.first())
                  .hasMatch());
  EXPECT_EQ(c.LabelTainMonth.text,
            MonthLabel(QDate::fromString(logic->tainLists()->monthList.last() + "-01", Qt::ISODate)));

  // Billed today, so the own history starts with today.
  EXPECT_EQ(c.LabelSelfMonth.text, MonthLabel(QDate::currentDate()));
  ASSERT_FALSE(c.MemoSelf.lines.isEmpty());
  EXPECT_EQ(c.MemoSelf.lines.first(), QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")));
  EXPECT_TRUE(c.MemoSelf.lines.filter(QStringLiteral("日分")).size() > 0);
  EXPECT_EQ(c.LabelAge.text, AgeLabelText(QStringLiteral("1952-03-14"), QDate::currentDate()));

  const CliRun cli = runCli({"patient", "1"});
  EXPECT_EQ(cli.exitCode, 0);
  EXPECT_EQ(cli.err, QString());
  EXPECT_EQ(cli.out, Sections(c));
  EXPECT_FALSE(cli.out.contains('\r'));
}

TEST_P(OpenPatientE2e, detailViewAndBackRedrawWithoutRequests) {
  search(0, QStringLiteral("1"));
  const QStringList overview = logic->controls().MemoTain.lines;
  const StringGrid& grid = logic->controls().GridInstitution;
  int row = 1;
  while (row < grid.rowCount() && grid.cell(0, row) != QStringLiteral("みなと中央病院")) ++row;
  ASSERT_LT(row, grid.rowCount());
  logic->GridInstitutionDblClick(3, row);
  WaitUntilIdle(*logic);
  EXPECT_TRUE(logic->controls().BtnBack.visible);
  EXPECT_EQ(logic->controls().LabelTainName.text, QStringLiteral("みなと中央病院"));
  EXPECT_EQ(logic->controls().LabelTainMonth.text, QString());
  const QStringList detail = logic->controls().MemoTain.lines;
  // One in-house day a month: a dated block for every "○" of the row.
  int receipts = 0;
  for (int col = 1; col < grid.colCount(); ++col) receipts += grid.cell(col, row) == QStringLiteral("○");
  EXPECT_GE(receipts, 2);
  EXPECT_EQ(detail.filter(QStringLiteral("　みなと中央病院")).size(), receipts);
  logic->BtnBackClick();
  WaitUntilIdle(*logic);
  EXPECT_FALSE(logic->controls().BtnBack.visible);
  EXPECT_EQ(logic->controls().MemoTain.lines, overview);
}

TEST_P(OpenPatientE2e, currentMonthWithoutRecordsStepsBack) {
  search(0, QStringLiteral("3"));
  ASSERT_TRUE(ui.messages.empty());
  const QDate lastVisit = QDate::currentDate().addDays(-40);
  const DrugInfoControls& c = logic->controls();
  EXPECT_EQ(c.LabelSelfMonth.text, MonthLabel(lastVisit));
  EXPECT_EQ(logic->selfMonth(), lastVisit.toString(QStringLiteral("yyyy-MM")));
  ASSERT_FALSE(c.MemoSelf.lines.isEmpty());
  EXPECT_EQ(c.MemoSelf.lines.first(), lastVisit.toString(QStringLiteral("yyyy.MM.dd")));

  const CliRun cli = runCli({"patient", "3"});
  EXPECT_EQ(cli.exitCode, 0);
  EXPECT_EQ(cli.out, Sections(c));

  // "翌月" from there lands on the same month again: the months after it show nothing.
  logic->BtnSelfNextMonthClick();
  WaitUntilIdle(*logic);
  EXPECT_EQ(c.LabelSelfMonth.text, MonthLabel(lastVisit));
  logic->BtnSelfPrevMonthClick();
  WaitUntilIdle(*logic);
  EXPECT_EQ(c.LabelSelfMonth.text, MonthLabel(QDate::currentDate().addDays(-75)));
}

// ORCA answers the acts of one visit: the day of two departments and the day of two visits to one
// show every visit's drugs in the day's one block; a drug whose unit has no name shows without one.
TEST_P(OpenPatientE2e, everyVisitOfADayShowsInTheDaysOneBlock) {
  search(0, QStringLiteral("01003"));
  ASSERT_TRUE(ui.messages.empty());
  EXPECT_EQ(patientRows(), QStringList{QStringLiteral("1\t1003\t北村　和夫\t")});
  const QDate today = QDate::currentDate();
  const QDate twoDepartments = today.addDays(-10);
  const QDate twoVisits = today.addDays(-3);
  const QStringList twoDepartmentsBlock{twoDepartments.toString(QStringLiteral("yyyy.MM.dd")),
                                        QStringLiteral("アムロジピン錠５ｍｇ　1錠"),
                                        QStringLiteral("　　28日分"),
                                        QStringLiteral("センノシド錠１２ｍｇ　2"),
                                        QStringLiteral("ロキソプロフェンＮａ錠６０ｍｇ　3錠"),
                                        QStringLiteral("レバミピド錠１００ｍｇ　3錠"),
                                        QStringLiteral("　　14日分"),
                                        QStringLiteral("ロキソプロフェンＮａテープ１００ｍｇ　14枚")};
  const QStringList twoVisitsBlock{twoVisits.toString(QStringLiteral("yyyy.MM.dd")),
                                   QStringLiteral("ファモチジン錠２０ｍｇ　2錠"),
                                   QStringLiteral("　　7日分"),
                                   QStringLiteral("カルボシステイン錠５００ｍｇ　3錠"),
                                   QStringLiteral("アセトアミノフェン錠２００ｍｇ　1錠"),
                                   QStringLiteral("　　5日分")};
  auto month = [](const QDate& day) { return day.toString(QStringLiteral("yyyy-MM")); };
  const DrugInfoControls& c = logic->controls();
  if (month(twoVisits) != month(today)) {
    // Early in a month both days lie in the one before, where the opening steps back to.
    EXPECT_EQ(c.LabelSelfMonth.text, MonthLabel(twoDepartments));
    EXPECT_EQ(c.MemoSelf.lines, twoVisitsBlock + QStringList{QString()} + twoDepartmentsBlock);
  } else if (month(twoDepartments) != month(today)) {
    EXPECT_EQ(c.LabelSelfMonth.text, MonthLabel(today));
    EXPECT_EQ(c.MemoSelf.lines, twoVisitsBlock);
    logic->BtnSelfPrevMonthClick();
    WaitUntilIdle(*logic);
    EXPECT_EQ(c.LabelSelfMonth.text, MonthLabel(twoDepartments));
    EXPECT_EQ(c.MemoSelf.lines, twoDepartmentsBlock);
  } else {
    EXPECT_EQ(c.LabelSelfMonth.text, MonthLabel(today));
    EXPECT_EQ(c.MemoSelf.lines, twoVisitsBlock + QStringList{QString()} + twoDepartmentsBlock);
  }
}

TEST_P(OpenPatientE2e, patientUnknownToOrcaIsReportedAndChangesNothing) {
  const QStringList before = patientRows();
  search(0, QStringLiteral("99999"));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].first, MessageKind::Information);
  EXPECT_EQ(ui.messages[0].second, kNotFound);
  EXPECT_EQ(patientRows(), before);
  EXPECT_EQ(logic->controls().patientNumberLabel.text, QStringLiteral("カルテ番号"));

  const CliRun cli = runCli({"patient", "99999"});
  EXPECT_EQ(cli.exitCode, 1);
  EXPECT_EQ(cli.out, QString());
  EXPECT_EQ(cli.err, QStringLiteral("情報: ") + kNotFound + QLatin1Char('\n'));
}

TEST_P(OpenPatientE2e, nameSearchWithOneHitOpensThePatient) {
  search(1, QStringLiteral("花子"));
  ASSERT_TRUE(ui.messages.empty());
  EXPECT_EQ(patientRows(), QStringList{QStringLiteral("1\t2\t佐藤　花子\t◎")});
  EXPECT_EQ(logic->controls().patientNameLabel.text, QStringLiteral("佐藤　花子"));
  EXPECT_FALSE(logic->controls().MemoTain.lines.isEmpty());
  EXPECT_FALSE(logic->controls().MemoSelf.lines.isEmpty());
}

TEST_P(OpenPatientE2e, nameSearchWithSeveralHitsListsThemInCacheOrder) {
  search(1, QStringLiteral("山"));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(patientRows(),
            (QStringList{QStringLiteral("1\t1\t山田　太郎\t◎"), QStringLiteral("2\t13\t山口　修\t"),
                         QStringLiteral("3\t8\t山本　さくら\t◎"), QStringLiteral("4\t19\t山崎　隆\t")}));
  EXPECT_EQ(logic->controls().patientNumberLabel.text, QStringLiteral("カルテ番号"));
  EXPECT_TRUE(logic->controls().MemoTain.lines.isEmpty());
}

TEST_P(OpenPatientE2e, listPrintsTheDayWithItsMarks) {
  const CliRun all = runCli({"list"});
  EXPECT_EQ(all.exitCode, 0);
  const QStringList lines = all.out.split('\n');
  ASSERT_EQ(lines.size(), 24);  // header, 22 receptions, the final line break
  EXPECT_EQ(lines[0], QStringLiteral("\tカルテ番号\t患者氏名\tマイナ"));
  EXPECT_EQ(lines[1], QStringLiteral("1\t1\t山田　太郎\t◎"));
  EXPECT_EQ(lines[2], QStringLiteral("2\t10\t小林　恵子\t"));
  EXPECT_EQ(lines.mid(0, 23), Rows(logic->controls().GridPatient));

  const CliRun inProgress = runCli({"list", QDate::currentDate().toString(Qt::ISODate), "--in-progress"});
  EXPECT_EQ(inProgress.exitCode, 0);
  EXPECT_EQ(inProgress.out.split('\n').mid(1, 2),
            (QStringList{QStringLiteral("1\t3\t鈴木　一郎\t◎"), QStringLiteral("2\t16\t木村　和子\t")}));

  const CliRun otherDay = runCli({"list", "2001-01-01"});
  EXPECT_EQ(otherDay.exitCode, 0);
  EXPECT_EQ(otherDay.out, QStringLiteral("\tカルテ番号\t患者氏名\tマイナ\n"));
}

TEST(RinmedCli, helpAndWrongCommandLines) {
  QProcess cli;
  cli.start(RINMED_CLI_EXECUTABLE, {"--help"});
  ASSERT_TRUE(cli.waitForFinished(10000));
  EXPECT_EQ(cli.exitCode(), 0);
  const QString help = QString::fromUtf8(cli.readAllStandardOutput());
  EXPECT_TRUE(help.contains("list [yyyy-mm-dd] [--in-progress]") && help.contains("patient NUMBER") &&
              help.contains("watch [yyyy-mm-dd] [--in-progress]"));

  for (const QStringList& wrong :
       {QStringList{"frobnicate"}, QStringList{"patient"}, QStringList{"list", "5/1"}}) {
    cli.start(RINMED_CLI_EXECUTABLE, wrong);
    ASSERT_TRUE(cli.waitForFinished(10000));
    EXPECT_EQ(cli.exitCode(), 2) << wrong.join(' ').toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Roads, OpenPatientE2e, testing::ValuesIn(kEveryRoad), RoadName);
INSTANTIATE_TEST_SUITE_P(Servers, OpenPatientE2e, testing::ValuesIn(kServerKinds), RoadName);
