#include "drug_info_fixture.h"

#include "core/clock.h"
#include "core/ini_file.h"

void DrugInfoTest::SetUp() {
  TempProgramFolder::SetUp();
  setClock(QDate(2024, 5, 1));
  logic = std::make_unique<DrugInfoLogic>(ui);
}

void DrugInfoTest::setClock(const QDate& day, const QTime& time) {
  const QDateTime moment(day, time);
  SetClockForTesting([moment] { return moment; });
}

void DrugInfoTest::answerList(const QList<AnswerReception>& receptions) {
  orca.answer(kAcceptPath, HttpAction::Ok(AcceptanceAnswer(receptions)));
}

QStringList DrugInfoTest::rows() const {
  QStringList result;
  const StringGrid& grid = logic->controls().GridPatient;
  for (int row = 1; row < grid.rowCount(); ++row) {
    QStringList cells;
    for (int col = 0; col < 4; ++col) cells << grid.cell(col, row);
    result << cells.join(QLatin1Char('|'));
  }
  return result;
}

void DrugInfoTest::oneRequestAtATime() {
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PARALLEL"), QStringLiteral("1"));
  logic->GetWebORCAInfo();
  WaitUntilIdle(*logic);
}

QStringList DrugInfoTest::acceptanceBodies() const {
  QStringList bodies;
  for (const HttpRequest& r : orca.requests()) {
    if (r.target == "/api/api01rv2/acceptlstv2?class=03") bodies << QString::fromUtf8(r.body);
  }
  return bodies;
}
