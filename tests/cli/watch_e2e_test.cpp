// rinmed-cli watch as a process against orca-sim: the list printed once, and again after a reception pushed.
#include <QElapsedTimer>
#include <QTimer>

#include "core/ini_file.h"
#include "sim_and_cli.h"
#include "sim_control.h"

namespace {

class WatchE2e : public SimAndCli {
 protected:
  // Reads what the command printed until `listings` listings (each ending with an empty line) came.
  QStringList listings(QProcess& cli, int listings) {
    QElapsedTimer clock;
    clock.start();
    while (out_.count("\n\n") < listings && clock.elapsed() < 30000 && cli.state() == QProcess::Running) {
      cli.waitForReadyRead(100);
      out_ += QString::fromUtf8(cli.readAllStandardOutput());
    }
    return out_.split("\n\n", Qt::SkipEmptyParts);
  }

  int simAccept(int patient) {
    const QString api = IFReadIniStr("PARAMA", "URL", "");
    return CallSim(api.left(api.indexOf("/api/")), "/sim/accept", patient);
  }

  QString out_;
};

TEST_F(WatchE2e, printsTheListAgainAfterAPushedReceptionAndEndsCleanlyWhenAskedTo) {
  QProcess cli;
  cli.start(RINMED_CLI_EXECUTABLE, {"watch", "--folder", dir_.path()});
  ASSERT_TRUE(cli.waitForStarted());
  const QStringList first = listings(cli, 1);
  ASSERT_EQ(first.size(), 1) << cli.readAllStandardError().toStdString();
  EXPECT_EQ(first[0], runCli({"list"}).out.chopped(1));

  ASSERT_EQ(simAccept(5), 200);
  const QStringList both = listings(cli, 2);
  ASSERT_EQ(both.size(), 2) << cli.readAllStandardError().toStdString();
  const QStringList before = both[0].split('\n');
  const QStringList after = both[1].split('\n');
  ASSERT_EQ(after.size(), before.size() + 1);
  EXPECT_EQ(after.mid(0, before.size()), before);
  EXPECT_EQ(after.last(), QString("%1\t5\t田中　健二\t◎").arg(before.size()));

  cli.terminate();
  ASSERT_TRUE(cli.waitForFinished(10000));
  EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(cli.exitCode(), 0);
  EXPECT_EQ(out_.count("\n\n"), 2) << "nothing printed but the two listings";
  const QString log = QString::fromLocal8Bit(readFile("Log.txt"));
  EXPECT_TRUE(log.contains("Push: 接続しました ws://127.0.0.1:")) << log.toStdString();
  EXPECT_TRUE(log.contains("Push: 終了しました"));
}

// Without push notifications the list is read at the refresh interval, as the window's timer reads it,
// and printed again when it changed; standard error says once why.
TEST_F(WatchE2e, withoutPushNotificationsItReadsTheListAtTheRefreshInterval) {
  IFWriteIniStr("PARAMA", "PUSH", "0");
  IFWriteIniStr("PARAMA", "REFRESH", "10");
  QProcess cli;
  cli.start(RINMED_CLI_EXECUTABLE, {"watch", "--folder", dir_.path()});
  ASSERT_TRUE(cli.waitForStarted());
  ASSERT_EQ(listings(cli, 1).size(), 1) << cli.readAllStandardError().toStdString();
  ASSERT_EQ(simAccept(5), 200);
  const QStringList both = listings(cli, 2);
  ASSERT_EQ(both.size(), 2) << cli.readAllStandardError().toStdString();
  EXPECT_TRUE(both[1].endsWith("\t5\t田中　健二\t◎"));
  cli.terminate();
  ASSERT_TRUE(cli.waitForFinished(10000));
  EXPECT_EQ(cli.exitCode(), 0);
  EXPECT_EQ(
      QString::fromUtf8(cli.readAllStandardError()),
      "watch: push notifications are off (PUSH=0 in user.ini): the list is read every 10 s (REFRESH)\n");
  EXPECT_EQ(runCli({"watch", "5/1"}).exitCode, 2);
}

}  // namespace
