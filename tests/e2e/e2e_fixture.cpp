#include "e2e_fixture.h"

#include "core/clock.h"
#include "core/ini_file.h"

void EndToEndTest::SetUp() {
  TempProgramFolder::SetUp();
  today = QDate::currentDate();
  const QDateTime moment(today, QTime(10, 0));
  SetClockForTesting([moment] { return moment; });
  const QString url = sim.start(today);
  ASSERT_FALSE(url.isEmpty()) << "orca-sim did not start";
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("URL"), url + QStringLiteral("/api/"));
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("APIUSER"), QStringLiteral("ormaster"));
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("APIKEY"), QStringLiteral("ormaster"));
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("KIKANCD"), QStringLiteral("1234567"));
  logic = std::make_unique<DrugInfoLogic>(ui);
}

QStringList EndToEndTest::rows() const {
  QStringList result;
  const StringGrid& grid = logic->controls().GridPatient;
  for (int row = 1; row < grid.rowCount(); ++row) {
    QStringList cells;
    for (int col = 0; col < 4; ++col) cells << grid.cell(col, row);
    result << cells.join(QLatin1Char('|'));
  }
  return result;
}
