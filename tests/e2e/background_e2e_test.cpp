// The window's work in the background against a simulator that answers slowly and in a shuffled
// order: what a superseded or closed job leaves behind, what a refresh asks for, and the log and
// dump files whatever order the answers come in.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QThread>

#include "core/clock.h"
#include "core/ini_file.h"
#include "e2e_fixture.h"
#include "usecases/patient_grid.h"

namespace {

const QString kListDump = QStringLiteral("Res_api01rv2_acceptlstv2_class_03.txt");

class BackgroundE2e : public EndToEndTest {
 protected:
  EndToEndRoad road() const override {
    return {"slowAndShuffled",
            4,
            {QStringLiteral("--latency"), QStringLiteral("30"), QStringLiteral("--jitter"),
             QStringLiteral("30")}};
  }

  int rowOf(const QString& number) const {
    return static_cast<int>(PatientNumbersOf(logic->controls().GridPatient).indexOf(number)) + 1;
  }
  void openRow(int row) {
    logic->GridPatientSelectCell(1, row);
    logic->GridPatientDblClick();
  }
  // What the right-hand panes and the patient labels show.
  QStringList panes() const {
    const DrugInfoControls& c = logic->controls();
    QStringList shown{c.patientNumberLabel.text, c.patientNameLabel.text, c.LabelAge.text,
                      c.LabelSelfMonth.text,     c.LabelTainName.text,    c.LabelTainMonth.text};
    for (int row = 0; row < c.GridInstitution.rowCount(); ++row)
      for (int col = 0; col < c.GridInstitution.colCount(); ++col) shown << c.GridInstitution.cell(col, row);
    return shown + c.MemoTain.lines + c.MemoSelf.lines;
  }
  QStringList logLines() const {
    QFile log(path(QStringLiteral("Log.txt")));
    if (!log.open(QIODevice::ReadOnly)) return {};
    return QString::fromLocal8Bit(log.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  }
  int requestsLogged() const { return static_cast<int>(logLines().filter(QStringLiteral(" API: ")).size()); }
  QMap<QString, QByteArray> dumps() const {
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(dir_.path()).entryList({QStringLiteral("Res_*.txt")})) {
      QFile file(path(name));
      if (!file.open(QIODevice::ReadOnly)) continue;
      // The simulator stamps every answer with the time it was made. The probes after an opening ask
      // every unmarked row side by side, so a probe's path holds the "no data" answer of whichever row
      // was asked last, which names its patient as ORCA does.
      static const QRegularExpression stamp(QStringLiteral("<Information_Time[^<]*</Information_Time>"));
      static const QRegularExpression patient(
          QStringLiteral("<Patient_Information type=\"record\">.*</Patient_Information>"),
          QRegularExpression::DotMatchesEverythingOption | QRegularExpression::InvertedGreedinessOption);
      QString text = QString::fromUtf8(file.readAll()).remove(stamp);
      if (text.contains(QStringLiteral("<Api_Result type=\"string\">E50</Api_Result>"))) text.remove(patient);
      files.insert(name, text.toUtf8());
    }
    return files;
  }
};

}  // namespace

TEST_F(BackgroundE2e, aPatientOpenedWhileAnotherLoadsShowsOnlyTheSecond) {
  logic->FormShow();
  WaitUntilIdle(*logic);
  const int first = rowOf(QStringLiteral("1"));
  const int second = rowOf(QStringLiteral("3"));
  ASSERT_GT(first, 0);
  ASSERT_GT(second, 0);
  openRow(second);
  ASSERT_TRUE(WaitUntilIdle(*logic));
  const QStringList alone = panes();
  ASSERT_EQ(alone.at(0), QStringLiteral("3"));

  openRow(first);
  QThread::msleep(40);
  QCoreApplication::processEvents();  // the first patient's answers are on their way
  ASSERT_TRUE(logic->working());
  openRow(second);
  ASSERT_TRUE(WaitUntilIdle(*logic));
  EXPECT_EQ(panes(), alone);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(ui.errors.isEmpty());
  EXPECT_TRUE(logLines().filter(QStringLiteral(" Cancelled")).size() > 0)
      << "the first patient's requests were aborted, and the log says so";
}

TEST_F(BackgroundE2e, closingTheWindowMidLoadLeavesNoRequestAndNoMessage) {
  logic->FormShow();
  QThread::msleep(10);
  QCoreApplication::processEvents();
  ASSERT_TRUE(logic->working());
  logic->FormClose();
  EXPECT_FALSE(logic->working());
  EXPECT_EQ(logic->client().requestsInFlight(), 0);
  const QStringList gridBefore = rows();
  for (int i = 0; i < 20; ++i) {  // longer than the simulator takes to answer
    QThread::msleep(10);
    QCoreApplication::processEvents();
  }
  EXPECT_EQ(rows(), gridBefore);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(ui.errors.isEmpty());
  EXPECT_EQ(logLines().filter(QStringLiteral("ResponseCode=")).size(), 0) << "no answer was taken in";
}

// Marks are never taken back, and an unmarked patient is probed again only as the schedule says: a
// refresh in the same minute reads the list alone, one a minute later probes every unmarked one.
TEST_F(BackgroundE2e, aRefreshProbesOnlyThePatientsNotMarkedYetWhenTheirProbeIsDue) {
  logic->FormShow();
  WaitUntilIdle(*logic);
  const QStringList listed = rows();
  int unmarked = 0;
  for (const QString& row : listed) unmarked += row.endsWith(QLatin1Char('|')) ? 1 : 0;
  ASSERT_GT(unmarked, 0);

  struct Refresh {
    int secondsLater;
    int requests;
  } refreshes[] = {{30, 1}, {60, 1 + 3 * unmarked}, {90, 1}, {120, 1 + 3 * unmarked}};
  for (const Refresh& refresh : refreshes) {
    const QDateTime moment(today, QTime(10, 0).addSecs(refresh.secondsLater));
    SetClockForTesting([moment] { return moment; });
    const int before = requestsLogged();
    logic->TimerRefreshTimer();
    WaitUntilIdle(*logic);
    EXPECT_EQ(rows(), listed);
    EXPECT_EQ(requestsLogged() - before, refresh.requests)
        << refresh.secondsLater << " s later: the list, and three probes per unmarked patient when due";
  }
}

// One request's lines stay together, and each dump file holds the answer of the request sent last
// on its path, exactly as when the requests go one at a time.
TEST_F(BackgroundE2e, logLinesAndDumpFilesAreTheSameAsOneAtATime) {
  logic->FormShow();
  WaitUntilIdle(*logic);
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PARALLEL"), QStringLiteral("1"));
  openRow(rowOf(QStringLiteral("1")));
  ASSERT_TRUE(WaitUntilIdle(*logic));
  QMap<QString, QByteArray> oneAtATime = dumps();
  oneAtATime.remove(kListDump);  // the list is not asked for again
  const QStringList shown = panes();

  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PARALLEL"), QStringLiteral("4"));
  QFile::remove(path(QStringLiteral("Log.txt")));
  for (const QString& name : oneAtATime.keys()) QFile::remove(path(name));
  openRow(rowOf(QStringLiteral("1")));
  ASSERT_TRUE(WaitUntilIdle(*logic));
  EXPECT_EQ(panes(), shown);
  QMap<QString, QByteArray> sideBySide = dumps();
  sideBySide.remove(kListDump);
  EXPECT_EQ(sideBySide, oneAtATime);

  const QStringList lines = logLines();
  ASSERT_FALSE(lines.isEmpty());
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (!lines.at(i).contains(QStringLiteral(" API: "))) continue;
    ASSERT_LT(i + 1, lines.size());
    EXPECT_TRUE(lines.at(i + 1).contains(QStringLiteral(" ResponseCode=200")))
        << lines.at(i + 1).toStdString();
  }
}
