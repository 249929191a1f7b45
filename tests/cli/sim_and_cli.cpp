#include "sim_and_cli.h"

#include <QDate>
#include <QRegularExpression>

#include "core/ini_file.h"

void SimAndCli::SetUp() {
  TempProgramFolder::SetUp();
  const EndToEndRoad how = road();
  sim_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  sim_.start(ORCA_SIM_EXECUTABLE,
             QStringList{"--port", "0", "--today", QDate::currentDate().toString(Qt::ISODate)} +
                 how.simArguments + extraSimArguments());
  static const QRegularExpression listening("^orca-sim listening on (http://127\\.0\\.0\\.1:[0-9]+)\\n$");
  QString url;
  while (url.isEmpty() && (sim_.canReadLine() || sim_.waitForReadyRead(10000))) {
    if (!sim_.canReadLine()) continue;
    const QRegularExpressionMatch m = listening.match(QString::fromUtf8(sim_.readLine()));
    ASSERT_TRUE(m.hasMatch());
    url = m.captured(1);
  }
  ASSERT_FALSE(url.isEmpty()) << "orca-sim did not start";
  IFWriteIniStr("PARAMA", "URL", url + "/api/");
  IFWriteIniStr("PARAMA", "APIUSER", "ormaster");
  IFWriteIniStr("PARAMA", "APIKEY", "ormaster");
  IFWriteIniStr("PARAMA", "KIKANCD", "1234567");
  IFWriteIniStr("PARAMA", "PARALLEL", QString::number(how.parallel));
}

void SimAndCli::TearDown() {
  if (sim_.state() != QProcess::NotRunning) {
    sim_.kill();
    sim_.waitForFinished();
  }
  TempProgramFolder::TearDown();
}

CliRun RunCli(const QStringList& arguments) {
  QProcess cli;
  cli.start(RINMED_CLI_EXECUTABLE, arguments);
  CliRun run;
  if (!cli.waitForFinished(120000)) return run;
  run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
  run.out = QString::fromUtf8(cli.readAllStandardOutput());
  run.err = QString::fromUtf8(cli.readAllStandardError());
  return run;
}

CliRun SimAndCli::runCli(const QStringList& arguments) const {
  return RunCli(arguments + QStringList{"--folder", dir_.path()});
}
