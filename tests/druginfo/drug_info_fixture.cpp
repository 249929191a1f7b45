#include "drug_info_fixture.h"

#include "core/clock.h"
#include "core/ini_file.h"
#include "grid_rows.h"

void DrugInfoTest::SetUp() {
  TempProgramFolder::SetUp();
  setClock(QDate(2024, 5, 1));
  // The scripted server answers what each test asks for; no patient is prepared ahead of its openings.
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PREPARE"), QStringLiteral("0"));
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
  return GridRows(logic->controls().GridPatient, QLatin1Char('|'), 1);
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
