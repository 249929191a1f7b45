#include "orca_sim_process.h"

#include <QRegularExpression>

OrcaSimProcess::~OrcaSimProcess() {
  if (process_.state() != QProcess::NotRunning) {
    process_.kill();
    process_.waitForFinished();
  }
}

QString OrcaSimProcess::start(const QDate& today, const QStringList& extraArguments) {
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.start(QStringLiteral(ORCA_SIM_EXECUTABLE),
                 QStringList{QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--today"),
                             today.toString(Qt::ISODate)} +
                     extraArguments);
  static const QRegularExpression line(
      QStringLiteral("^orca-sim listening on (https?://127\\.0\\.0\\.1:[0-9]+)\\n$"));
  while (process_.canReadLine() || process_.waitForReadyRead(10000)) {
    if (!process_.canReadLine()) continue;
    const QRegularExpressionMatch m = line.match(QString::fromUtf8(process_.readLine()));
    return m.hasMatch() ? m.captured(1) : QString();
  }
  return {};
}
