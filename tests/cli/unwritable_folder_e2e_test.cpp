// rinmed-cli against orca-sim while the program folder takes no more writes: standard error says why
// once, whatever the number of requests or listings that meet it, and the exit status is 1.
#include <QElapsedTimer>
#include <QFile>

#include "core/ini_file.h"
#include "core/write_trouble.h"
#include "sim_and_cli.h"
#include "sim_control.h"
#include "write_failures.h"

namespace {

constexpr qint64 kRoom = 1024 * 1024;  // what a file of the command may grow to; its log stays below

class UnwritableFolderE2e : public SimAndCli {
 protected:
  // Started with every file of the command limited to kRoom bytes, or with its log on a full disk.
  void start(QProcess& cli, const QStringList& arguments, bool limited) {
#ifdef Q_OS_LINUX
    if (limited) cli.setChildProcessModifier([] { FileSizeLimit::Apply(kRoom); });
#else
    Q_UNUSED(limited);
#endif
    cli.start(RINMED_CLI_EXECUTABLE, arguments + QStringList{"--folder", dir_.path()});
    ASSERT_TRUE(cli.waitForStarted());
  }
  // The box the window would show, as the command says it.
  static QString Said(OwnFile file, const QString& where, const QString& reason) {
    QString text = "警告: " + WriteTroubleText(file, where, reason) + '\n';
    return text.replace("\r\n", "\n");
  }
  // Qt warns that the device the test put in the log's place cannot seek to its end.
  static QString WithoutSeekWarnings(const QByteArray& err) {
    QStringList lines = QString::fromUtf8(err).split('\n');
    lines.removeIf([](const QString& line) { return line.startsWith("QIODevice::seek"); });
    return lines.join('\n');
  }
  void fillCacheBeyondRoom() {
    writeFile("PatientCache.csv", QByteArray(2 * kRoom, 'x') + "\r\n");
  }
};

// The day's list printed whole though the cache cannot take its patients; a log on a full disk lets no
// request through. Each is said once; once the folder takes writes again the same command is silent.
TEST_F(UnwritableFolderE2e, listSaysTheCauseOnceAndPrintsWhatItCan) {
  if (!kRealWriteFailures) GTEST_SKIP() << "needs /dev/full and RLIMIT_FSIZE";
  const struct {
    const char* what;
    bool fullLog;  // else the cache is beyond the room left
    QString said;
    bool printsTheList;
  } cases[] = {
      {"a cache beyond the room left", false,
       Said(OwnFile::PatientCache, path("PatientCache.csv"), kFileTooLargeReason), true},
      {"a log on a full disk", true, Said(OwnFile::Log, path("Log.txt"), kFullDeviceReason), false},
  };
  for (const auto& c : cases) {
    QFile::remove(path("PatientCache.csv"));
    QFile::remove(path("Log.txt"));
    if (c.fullLog) {
      ASSERT_TRUE(ReplaceWithFullDevice(path("Log.txt")));
    } else {
      fillCacheBeyondRoom();
    }
    QProcess troubled;
    start(troubled, {"list", "--check"}, !c.fullLog);
    ASSERT_TRUE(troubled.waitForFinished(120000)) << c.what;
    const QString out = QString::fromUtf8(troubled.readAllStandardOutput());
    EXPECT_EQ(WithoutSeekWarnings(troubled.readAllStandardError()), c.said) << c.what;
    EXPECT_EQ(troubled.exitCode(), 1) << c.what;

    if (c.fullLog) QFile::remove(path("Log.txt"));
    const CliRun after = runCli({"list", "--check"});
    EXPECT_EQ(after.err, "") << c.what;
    EXPECT_EQ(after.exitCode, 0) << c.what;
    EXPECT_EQ(out, c.printsTheList ? after.out : QString()) << c.what;
  }
}

// watch lists the day again after a pushed reception; the cache that takes none of the patients is
// said at the first listing, not at every one.
TEST_F(UnwritableFolderE2e, watchSaysTheCauseOnceNotAtEveryListing) {
  if (!kRealWriteFailures) GTEST_SKIP() << "needs RLIMIT_FSIZE";
  fillCacheBeyondRoom();
  QProcess cli;
  start(cli, {"watch"}, true);
  QString out;
  const auto listings = [&](int count) {
    QElapsedTimer clock;
    clock.start();
    while (out.count("\n\n") < count && clock.elapsed() < 30000 && cli.state() == QProcess::Running) {
      cli.waitForReadyRead(100);
      out += QString::fromUtf8(cli.readAllStandardOutput());
    }
    return out.count("\n\n");
  };
  ASSERT_EQ(listings(1), 1) << cli.readAllStandardError().toStdString();
  const QString api = IFReadIniStr("PARAMA", "URL", "");
  ASSERT_EQ(CallSim(api.left(api.indexOf("/api/")), "/sim/accept", 5), 200);
  ASSERT_EQ(listings(2), 2) << cli.readAllStandardError().toStdString();
  cli.terminate();
  ASSERT_TRUE(cli.waitForFinished(10000));
  // Said at the first listing, before the push link's own lines; never again.
  const QString err = QString::fromUtf8(cli.readAllStandardError());
  const QString said = Said(OwnFile::PatientCache, path("PatientCache.csv"), kFileTooLargeReason);
  EXPECT_TRUE(err.startsWith(said)) << err.toStdString();
  EXPECT_EQ(err.count("患者キャッシュ"), 1) << err.toStdString();
  EXPECT_EQ(cli.exitCode(), 1);
}

}  // namespace
