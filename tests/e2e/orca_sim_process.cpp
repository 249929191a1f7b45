#include "orca_sim_process.h"

#include <QRegularExpression>

OrcaSimProcess::~OrcaSimProcess() {
  kill();
}

QString OrcaSimProcess::start(const QDate& today, const QStringList& extraArguments) {
  arguments_ = QStringList{QStringLiteral("--today"), today.toString(Qt::ISODate)} + extraArguments;
  return launch(QStringList{QStringLiteral("--port"), QStringLiteral("0")} + arguments_);
}

void OrcaSimProcess::kill() {
  if (process_.state() != QProcess::NotRunning) {
    process_.kill();
    process_.waitForFinished();
  }
}

QString OrcaSimProcess::restart() {
  kill();
  return launch(QStringList{QStringLiteral("--port"), port_} + arguments_);
}

QString OrcaSimProcess::launch(const QStringList& arguments) {
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.start(QStringLiteral(ORCA_SIM_EXECUTABLE), arguments);
  static const QRegularExpression line(
      QStringLiteral("^orca-sim listening on (https?://127\\.0\\.0\\.1:([0-9]+))\\n$"));
  while (process_.canReadLine() || process_.waitForReadyRead(10000)) {
    if (!process_.canReadLine()) continue;
    const QRegularExpressionMatch m = line.match(QString::fromUtf8(process_.readLine()));
    if (!m.hasMatch()) return {};
    port_ = m.captured(2);
    if (arguments.contains(QStringLiteral("--push-port"))) {
      static const QRegularExpression push(QStringLiteral("^orca-sim push on (wss?://\\S+)\\n$"));
      if (!process_.canReadLine()) process_.waitForReadyRead(10000);
      pushUrl_ = push.match(QString::fromUtf8(process_.readLine())).captured(1);
    }
    return m.captured(1);
  }
  return {};
}
