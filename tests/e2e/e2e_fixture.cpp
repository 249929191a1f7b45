#include "e2e_fixture.h"

#include "core/clock.h"
#include "core/ini_file.h"
#include "grid_rows.h"

void EndToEndTest::SetUp() {
  TempProgramFolder::SetUp();
  today = QDate::currentDate();
  const QDateTime moment(today, QTime(10, 0));
  SetClockForTesting([moment] { return moment; });
  const EndToEndRoad how = road();
  simUrl = sim.start(today, how.simArguments);
  ASSERT_FALSE(simUrl.isEmpty()) << "orca-sim did not start";
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("URL"), simUrl + QStringLiteral("/api/"));
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("APIUSER"), QStringLiteral("ormaster"));
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("APIKEY"), QStringLiteral("ormaster"));
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("KIKANCD"), QStringLiteral("1234567"));
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PARALLEL"), QString::number(how.parallel));
  // The list's own loads, with nothing pushed in between; the live list has tests of its own.
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PUSH"), QStringLiteral("0"));
  // Nor any patient prepared ahead of the openings, whose requests the tests count; the prepared day has
  // tests of its own.
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PREPARE"), QStringLiteral("0"));
  logic = std::make_unique<DrugInfoLogic>(ui);
}

QStringList EndToEndTest::rows() const {
  return GridRows(logic->controls().GridPatient, QLatin1Char('|'), 1);
}
