#include "sim_state.h"

#include <QFile>
#include <QTime>
#include <cstdio>
#include <utility>

#include "live_receptions.h"

namespace {
const char* const kDateFormat = "yyyy-MM-dd";
}

void RecordChange(const QString& file, const QDate& date, const QString& change) {
  if (file.isEmpty()) return;
  QFile out(file);
  const QByteArray line =
      (date.toString(QLatin1String(kDateFormat)) + QLatin1Char(' ') + change).toUtf8() + '\n';
  if (out.open(QIODevice::Append) && out.write(line) == line.size() && out.flush()) return;
  static bool told = false;
  if (!std::exchange(told, true))
    std::fprintf(stderr, "orca-sim: --state %s: %s\n", qPrintable(file), qPrintable(out.errorString()));
}

void ReplayChanges(const QString& file, const QDate& date, DemoData& d) {
  if (file.isEmpty()) return;
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) return;  // nothing kept yet
  const QByteArray day = date.toString(QLatin1String(kDateFormat)).toUtf8();
  while (!in.atEnd()) {
    const QList<QByteArray> words = in.readLine().trimmed().split(' ');
    if (words.size() < 3 || words[0] != day) continue;
    const int patient = words[2].toInt();
    if (words[1] == "accept") {
      AppendReception(d, patient);
    } else if (words[1] == "account" && words.size() == 4) {
      BillLastOpenReception(d, patient,
                            QTime::fromString(QString::fromLatin1(words[3]), QStringLiteral("HH:mm:ss")));
    }
  }
}
