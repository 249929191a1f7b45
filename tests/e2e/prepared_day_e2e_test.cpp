// Today's waiting patients prepared in the background, against the orca-sim executable answering every
// request after 100 ms, with push notifications on and the refresh timer at an hour: each reception the
// simulator pushes is opened and checked before anyone asks, a double-click then shows it without a
// request, and the list shows every check's outcome.
#include <gtest/gtest.h>

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <algorithm>

#include "core/clock.h"
#include "core/ini_file.h"
#include "e2e_fixture.h"
#include "sim_control.h"
#include "usecases/patient_grid.h"
#include "wait_until.h"

namespace {

constexpr int kPreparedWithinMs = 90000;  // a slow machine's limit; the tests assert no speed

struct Sent {
  QString path;
  QString body;
  bool background;
};

class PreparedDayE2e : public EndToEndTest {
 protected:
  EndToEndRoad road() const override {
    EndToEndRoad how = GetParam();
    how.simArguments += QStringList{QStringLiteral("--receptions"), QStringLiteral("0"),
                                    QStringLiteral("--latency"), QStringLiteral("100")} +
                        extraSimArguments();
    return how;
  }
  virtual QStringList extraSimArguments() const { return {}; }

  void SetUp() override {
    EndToEndTest::SetUp();
    if (HasFatalFailure()) return;
    IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PUSH"), QStringLiteral("1"));
    IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("REFRESH"), QStringLiteral("3600"));
    IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PREPARE"), QStringLiteral("1"));
    QObject::connect(&logic->client(), &OrcaClient::requestSent,
                     [this](const QString& path, const QString& body, bool background) {
                       sent.append({path, body, background});
                     });
  }
  void TearDown() override {
    EXPECT_TRUE(ui.messages.empty()) << "nothing of the prepared day shows a box";
    EXPECT_TRUE(ui.errors.isEmpty()) << ui.errors.join(QLatin1Char('\n')).toStdString();
    EndToEndTest::TearDown();
  }

  void open() {
    logic->FormShow();
    ASSERT_TRUE(WaitUntil([this] { return logic->push().status().state == PushState::Connected; }));
    ASSERT_TRUE(settled());
  }
  bool settled() const {
    return WaitUntil([this] { return !logic->liveReload().reloadPending() && !logic->working(); });
  }
  void accept(int patient) { ASSERT_EQ(CallSim(simUrl, QStringLiteral("/sim/accept"), patient), 200); }
  // Kept and not being prepared again (a pushed event that comes after the list which began the
  // preparation has it made once more).
  bool preparedSoon(const QString& number) const {
    return WaitUntil([&] { return logic->prepared().ready(number) != nullptr; }, kPreparedWithinMs);
  }
  int rowOf(const QString& number) const {
    return static_cast<int>(PatientNumbersOf(logic->controls().GridPatient).indexOf(number)) + 1;
  }
  void openRow(const QString& number) {
    const int row = rowOf(number);
    ASSERT_GE(row, 1) << number.toStdString();
    logic->GridPatientSelectCell(1, row);
    logic->GridPatientDblClick();
  }
  // Everything the right-hand panes, the patient labels and the check's indicator show.
  QStringList panes() const {
    const DrugInfoControls& c = logic->controls();
    QStringList shown{c.patientNumberLabel.text,
                      c.patientNameLabel.text,
                      c.LabelAge.text,
                      c.LabelSelfMonth.text,
                      c.LabelTainName.text,
                      c.LabelTainMonth.text,
                      c.BtnBack.visible ? QStringLiteral("back") : QStringLiteral("no back"),
                      QString::number(c.PanelTopGrid.height),
                      c.LabelMedCheck.text,
                      c.LabelMedCheck.toolTip,
                      QString::number(static_cast<int>(c.LabelMedCheck.tone))};
    for (int row = 0; row < c.GridInstitution.rowCount(); ++row)
      for (int col = 0; col < c.GridInstitution.colCount(); ++col) shown << c.GridInstitution.cell(col, row);
    return shown + c.MemoTain.lines + c.MemoSelf.lines;
  }
  int sentExceptLists(qsizetype from = 0) const {
    return static_cast<int>(std::count_if(sent.cbegin() + from, sent.cend(), [](const Sent& s) {
      return !s.path.contains(QStringLiteral("acceptlstv2"));
    }));
  }
  void preparingOff() {
    IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PREPARE"), QStringLiteral("0"));
    logic->GetWebORCAInfo();
  }

  QList<Sent> sent;
};

// The rest needs one road only: what preparing does is the same on each, as it goes one request at a
// time; one at a time the order the simulator sees is the order the requests were sent in.
class PreparedDayOneAtATime : public PreparedDayE2e {};

// A pushed reception is prepared; its double-click shows every pane at once, with no request, exactly
// as the road shows them with preparing off, and the corner says it was prepared.
TEST_P(PreparedDayE2e, aPushedReceptionOpensAtOnceAsTheRoadShowsIt) {
  open();
  accept(1);
  ASSERT_TRUE(preparedSoon(QStringLiteral("1")));
  ASSERT_TRUE(settled());
  const qsizetype before = sent.size();
  openRow(QStringLiteral("1"));
  EXPECT_EQ(sent.size(), before) << "nothing is asked between the double-click and the panes";
  const QStringList prepared = panes();
  EXPECT_FALSE(logic->controls().MemoTain.lines.isEmpty());
  EXPECT_EQ(logic->controls().LabelPrepared.text, QStringLiteral("準備済み（1分以内）"));
  EXPECT_TRUE(logic->controls().LabelPrepared.visible);
  ASSERT_TRUE(WaitUntilIdle(*logic));
  EXPECT_EQ(panes(), prepared) << "what follows the opening changes no pane";

  // The month buttons work as after any opening.
  const QString month = logic->controls().LabelSelfMonth.text;
  logic->BtnSelfPrevMonthClick();
  ASSERT_TRUE(WaitUntilIdle(*logic));
  EXPECT_NE(logic->controls().LabelSelfMonth.text, month);
  EXPECT_GT(sent.size(), before);

  preparingOff();
  EXPECT_EQ(logic->prepared().keptCount(), 0);
  openRow(QStringLiteral("1"));
  EXPECT_FALSE(logic->controls().LabelPrepared.visible);
  ASSERT_TRUE(WaitUntilIdle(*logic));
  EXPECT_EQ(panes(), prepared);
}

// Demo patients 1001 and 1002 have findings, patient 1 none: red, red and green icons in their name
// cells, each with the indicator's text as its tool tip, the grid's texts and widths as they were.
TEST_P(PreparedDayE2e, theListShowsEveryPreparedPatientsCheck) {
  open();
  for (int patient : {1001, 1002, 1}) accept(patient);
  for (const char* number : {"1001", "1002", "1"}) ASSERT_TRUE(preparedSoon(QString::fromLatin1(number)));
  ASSERT_TRUE(settled());
  const StringGrid& grid = logic->controls().GridPatient;
  StringGrid plain(4, 2);
  ResetPatientGrid(plain);
  EXPECT_EQ(grid.colWidths(), plain.colWidths());
  EXPECT_EQ(grid.rowCells(0), plain.rowCells(0));
  const struct {
    const char* number;
    CellIcon icon;
  } expected[] = {{"1001", CellIcon::Red}, {"1002", CellIcon::Red}, {"1", CellIcon::Green}};
  for (const auto& e : expected) {
    const QString number = QString::fromLatin1(e.number);
    const int row = rowOf(number);
    EXPECT_EQ(grid.cellIcon(2, row), e.icon) << e.number;
    EXPECT_EQ(grid.cellIcon(1, row), CellIcon::None) << e.number;
    const QString toolTip = grid.cellToolTip(2, row);
    ASSERT_TRUE(preparedSoon(number));
    openRow(number);
    EXPECT_EQ(toolTip, logic->controls().LabelMedCheck.text) << e.number;
    EXPECT_FALSE(toolTip.isEmpty());
    ASSERT_TRUE(WaitUntilIdle(*logic));
  }
  EXPECT_EQ(grid.cell(2, rowOf(QStringLiteral("1"))), QStringLiteral("山田　太郎"));
}

// A search by the number of a prepared patient needs no request either: they stand alone in the list and
// their panes show at once.
TEST_P(PreparedDayOneAtATime, aSearchByNumberOfAPreparedPatientAsksNothing) {
  open();
  accept(1002);
  ASSERT_TRUE(preparedSoon(QStringLiteral("1002")));
  ASSERT_TRUE(settled());
  const qsizetype before = sent.size();
  logic->controls().ComboBoxSearch.itemIndex = static_cast<int>(SearchKind::PatientNumber);
  logic->controls().EditSearch.text = QStringLiteral("01002");
  logic->BtnSearchClick();
  EXPECT_EQ(sent.size(), before);
  EXPECT_EQ(rows(), QStringList{QStringLiteral("1|1002|小松　律子|◎")});
  EXPECT_EQ(logic->controls().patientNumberLabel.text, QStringLiteral("1002"));
  EXPECT_TRUE(logic->controls().LabelPrepared.visible);
  EXPECT_EQ(logic->controls().LabelMedCheck.tone, CheckTone::Alarm);
  EXPECT_FALSE(logic->controls().MemoTain.lines.isEmpty());
  ASSERT_TRUE(WaitUntilIdle(*logic));
}

TEST_P(PreparedDayOneAtATime, aBilledPatientKeepsNothing) {
  open();
  accept(1);
  ASSERT_TRUE(preparedSoon(QStringLiteral("1")));
  ASSERT_EQ(CallSim(simUrl, QStringLiteral("/sim/account"), 1), 200);
  EXPECT_TRUE(WaitUntil([this] { return logic->prepared().kept(QStringLiteral("1")) == nullptr; }));
  ASSERT_TRUE(settled());
  EXPECT_EQ(logic->controls().GridPatient.cellIcon(2, rowOf(QStringLiteral("1"))), CellIcon::None);
  EXPECT_EQ(logic->prepared().keptCount(), 0);
}

class PreparedDayLaterMark : public PreparedDayOneAtATime {
 protected:
  // Patient 6's online information reaches ORCA after the reception: the first probe goes unanswered.
  QStringList extraSimArguments() const override {
    return {QStringLiteral("--fail"), QStringLiteral("onlinedruggetv2:6=404*1")};
  }
};

TEST_P(PreparedDayLaterMark, aMarkFoundByALaterProbePreparesAgain) {
  open();
  accept(6);
  ASSERT_TRUE(preparedSoon(QStringLiteral("6")));
  ASSERT_TRUE(settled());
  EXPECT_TRUE(logic->controls().GridPatient.cell(3, rowOf(QStringLiteral("6"))).isEmpty())
      << "not marked yet";
  ASSERT_NE(logic->prepared().ready(QStringLiteral("6")), nullptr);

  // A minute later the probe pass after an opening asks again and finds the mark.
  const QDateTime later = Now().addSecs(60);
  SetClockForTesting([later] { return later; });
  logic->CheckTainPermission();
  ASSERT_TRUE(WaitUntil(
      [this] {
        const PreparedPatient* kept = logic->prepared().kept(QStringLiteral("6"));
        return kept && kept->preparedAt == Now() && !logic->prepared().running();
      },
      kPreparedWithinMs));
  EXPECT_FALSE(logic->controls().GridPatient.cell(3, rowOf(QStringLiteral("6"))).isEmpty());
  EXPECT_NE(logic->prepared().ready(QStringLiteral("6")), nullptr);
}

// Thirty receptions at once: the double-click's first request goes out before any further preparing
// request, behind at most the one in flight.
TEST_P(PreparedDayOneAtATime, anOpeningGoesAheadOfEveryWaitingPreparation) {
  open();
  QNetworkAccessManager manager;
  QList<QNetworkReply*> replies;
  for (int patient = 1; patient <= 30; ++patient) {
    QNetworkRequest request(QUrl(simUrl + QStringLiteral("/sim/accept")));
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
    request.setRawHeader("Authorization", "Basic " + QByteArray("ormaster:ormaster").toBase64());
    replies << manager.post(request, "Patient_ID=" + QByteArray::number(patient));
  }
  ASSERT_TRUE(WaitUntil(
      [&] { return std::all_of(replies.begin(), replies.end(), [](auto* r) { return r->isFinished(); }); }));
  qDeleteAll(replies);
  ASSERT_TRUE(WaitUntil([this] { return rows().size() == 30; }));
  ASSERT_TRUE(settled());
  ASSERT_TRUE(logic->prepared().running());
  QString waiting;
  for (const QString& number : PatientNumbersOf(logic->controls().GridPatient)) {
    if (!logic->prepared().kept(number) && !logic->prepared().preparing(number)) waiting = number;
  }
  ASSERT_FALSE(waiting.isEmpty());
  const qsizetype before = sent.size();
  openRow(waiting);
  ASSERT_TRUE(WaitUntil([&] { return sent.size() > before; }));
  EXPECT_FALSE(sent.at(before).background) << sent.at(before).path.toStdString();
  ASSERT_TRUE(WaitUntilIdle(*logic));
  EXPECT_EQ(logic->controls().patientNumberLabel.text, waiting);
  EXPECT_FALSE(logic->controls().LabelPrepared.visible);
}

// Opened while being prepared, the patient is taken over: every request is made once, the rest at the
// opening's pace, and the panes are those of the road.
TEST_P(PreparedDayOneAtATime, openingAPatientBeingPreparedAsksNothingTwice) {
  open();
  accept(1);
  ASSERT_TRUE(WaitUntil([this] {
    return logic->prepared().preparing(QStringLiteral("1")) &&
           std::count_if(sent.cbegin(), sent.cend(), [](const Sent& s) { return s.background; }) >= 3;
  }));
  openRow(QStringLiteral("1"));
  ASSERT_TRUE(WaitUntilIdle(*logic));
  const QStringList takenOver = panes();
  const int asked = sentExceptLists();  // the first listing's probe, and the patient's road once

  preparingOff();
  const qsizetype before = sent.size();
  openRow(QStringLiteral("1"));
  ASSERT_TRUE(WaitUntilIdle(*logic));
  EXPECT_EQ(panes(), takenOver);
  EXPECT_EQ(asked, 1 + sentExceptLists(before));
}

// A double-click that comes just as the patient's preparation ends (after its last step, before the
// next preparation begins) shows what it brought.
TEST_P(PreparedDayOneAtATime, anOpeningJustAsThePreparationEndsShowsWhatItBrought) {
  open();
  bool clicked = false;
  QObject::connect(&logic->prepared(), &PreparedDay::changed, [&] {
    if (clicked || !logic->prepared().kept(QStringLiteral("1"))) return;
    clicked = true;
    QMetaObject::invokeMethod(
        &logic->prepared(), [this] { openRow(QStringLiteral("1")); }, Qt::QueuedConnection);
  });
  accept(1);
  ASSERT_TRUE(WaitUntil([&] { return clicked; }, kPreparedWithinMs));
  ASSERT_TRUE(WaitUntil([this] { return !logic->controls().MemoTain.lines.isEmpty(); }));
  EXPECT_EQ(logic->controls().patientNumberLabel.text, QStringLiteral("1"));
  ASSERT_TRUE(WaitUntilIdle(*logic));
}

TEST_P(PreparedDayOneAtATime, preparingOffSendsNothingAhead) {
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PREPARE"), QStringLiteral("0"));
  open();
  accept(1);
  ASSERT_TRUE(WaitUntil([this] { return rows().size() == 1; }));
  ASSERT_TRUE(settled());
  Pass(500);
  EXPECT_TRUE(std::none_of(sent.cbegin(), sent.cend(), [](const Sent& s) { return s.background; }));
  EXPECT_EQ(logic->controls().GridPatient.cellIcon(2, 1), CellIcon::None);
  EXPECT_EQ(logic->prepared().keptCount(), 0);
  const qsizetype before = sent.size();
  openRow(QStringLiteral("1"));
  ASSERT_TRUE(WaitUntilIdle(*logic));
  EXPECT_GT(sent.size(), before);
  EXPECT_FALSE(logic->controls().LabelPrepared.visible);
}

TEST_P(PreparedDayOneAtATime, closingMidPreparationLeavesNothingInFlight) {
  open();
  accept(1);
  ASSERT_TRUE(WaitUntil([this] { return logic->prepared().preparing(QStringLiteral("1")); }));
  logic->FormClose();
  EXPECT_EQ(logic->client().requestsInFlight(), 0);
  EXPECT_EQ(logic->client().requestsWaiting(), 0);
  EXPECT_FALSE(logic->prepared().running());
  const qsizetype before = sent.size();
  Pass(500);
  EXPECT_EQ(sent.size(), before);
}

// What is kept is shown for ten minutes, then prepared again while its icon stays; changed settings
// and midnight drop it all.
TEST_P(PreparedDayOneAtATime, whatIsKeptAgesAndGoes) {
  open();
  accept(1);
  ASSERT_TRUE(preparedSoon(QStringLiteral("1")));
  ASSERT_TRUE(WaitUntil([this] { return !logic->prepared().running(); }));
  const QDateTime prepared = Now();
  const struct {
    const char* what;
    qint64 afterSeconds;
    bool ready;
  } ages[] = {{"nine minutes", 9 * 60 + 59, true}, {"ten minutes", 10 * 60, false}};
  for (const auto& age : ages) {
    const QDateTime at = prepared.addSecs(age.afterSeconds);
    SetClockForTesting([at] { return at; });
    EXPECT_EQ(logic->prepared().ready(QStringLiteral("1")) != nullptr, age.ready) << age.what;
    EXPECT_NE(logic->prepared().kept(QStringLiteral("1")), nullptr) << age.what;
  }
  logic->prepared().review();
  EXPECT_TRUE(logic->prepared().preparing(QStringLiteral("1")));
  ASSERT_TRUE(WaitUntil([this] { return logic->prepared().ready(QStringLiteral("1")) != nullptr; },
                        kPreparedWithinMs));

  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("KIKANNAME"), QStringLiteral("別の医院"));
  logic->GetWebORCAInfo();
  EXPECT_EQ(logic->prepared().keptCount(), 0);
  logic->LoadPatientList();  // the next list prepares again
  ASSERT_TRUE(preparedSoon(QStringLiteral("1")));

  const QDateTime midnight(today.addDays(1), QTime(0, 0, 1));
  SetClockForTesting([midnight] { return midnight; });
  logic->prepared().review();
  EXPECT_EQ(logic->prepared().keptCount(), 0);
  EXPECT_FALSE(logic->prepared().running()) << "the day shown is no longer today";
}

INSTANTIATE_TEST_SUITE_P(EveryRoad, PreparedDayE2e, testing::ValuesIn(kEveryRoad), RoadName);
INSTANTIATE_TEST_SUITE_P(OneAtATime, PreparedDayOneAtATime, testing::Values(kEveryRoad[0]), RoadName);
INSTANTIATE_TEST_SUITE_P(OneAtATime, PreparedDayLaterMark, testing::Values(kEveryRoad[0]), RoadName);

}  // namespace
