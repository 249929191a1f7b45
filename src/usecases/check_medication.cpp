#include "usecases/check_medication.h"

#include "core/clock.h"
#include "medcheck/check_answer.h"
#include "medcheck/check_request.h"
#include "medcheck/check_settings.h"
#include "medcheck/drug_in_view.h"
#include "medcheck/duplicates.h"
#include "medcheck/interactions.h"
#include "orca/orca_client.h"
#include "usecases/open_patient.h"

namespace {

const QString kTainUnread = QStringLiteral("他院の薬剤情報を取得できませんでした");
const QString kOwnUnread = QStringLiteral("自院の薬歴を取得できなかったため、自院の薬剤とは照合していません");

QString TransportFailure(const OrcaAnswer& answer) {
  if (answer.status != 0) return QStringLiteral("ORCAがHTTP %1を返しました").arg(answer.status);
  if (!answer.error.isEmpty()) return QStringLiteral("ORCAから応答がありません（%1）").arg(answer.error);
  return QStringLiteral("ORCAから応答がありません");
}

QString OrcaFailure(const ContraAnswer& answer) {
  if (answer.apiResult.isEmpty()) return QStringLiteral("ORCAの回答を読めませんでした");
  QString text = QStringLiteral("ORCAの結果コード ") + answer.apiResult;
  if (!answer.apiResultMessage.isEmpty()) text += QStringLiteral("：") + answer.apiResultMessage;
  return text;
}

bool AnyOtherInstitutionSent(const QList<DrugInView>& drugs, const QStringList& codes) {
  for (const DrugInView& d : drugs) {
    if (!d.ownClinic && codes.contains(d.drug.code)) return true;
  }
  return false;
}

}  // namespace

MedicationCheckInput CheckInputOf(const QString& patientId, const OpenedPatient& opened) {
  MedicationCheckInput input;
  input.patientId = patientId;
  input.otherInstitutionsRead = opened.drugs.phase1Answered;
  input.prescList = opened.lists.prescriptions;
  if (opened.self) {
    input.ownDays = opened.self->days;
    input.ownDaysRead = opened.self->whole;
    input.ownMonthLabel = opened.self->monthLabel;
  }
  return input;
}

namespace {

Task<MedicationCheck> CheckDrugsInView(OrcaClient& client, MedicationCheckInput input) {
  const QDate today = Today();
  MedicationCheck check;
  check.checkedOn = today;
  const QList<DrugInView> drugs =
      InCheckWindow(DrugsOfRecords(input.prescList, input.ownDays, client.connection().ownInstitutionCode),
                    today, CheckWindowDays());
  check.findings = FindDuplicates(drugs);
  if (!input.otherInstitutionsRead) {
    check.failure = kTainUnread;
    co_return check;
  }

  const CodeSelection selection = SelectCodes(drugs);
  check.unchecked = selection.unchecked;
  // The clinic's drugs among themselves are ORCA's to warn about when they are entered.
  if (!AnyOtherInstitutionSent(drugs, selection.codes)) co_return check;

  const QString body = ContraindicationCheckBody(input.patientId, today.toString(QStringLiteral("yyyy-MM")),
                                                 CheckTermMonths(), selection.codes);
  const OrcaAnswer answer = co_await client.post(kContraindicationCheckPath, body);
  if (!answer.ok()) {
    check.failure = TransportFailure(answer);
    co_return check;
  }
  const ContraAnswer read = ReadContraindicationAnswer(answer.lines());
  if (!read.checked()) {
    check.failure = OrcaFailure(read);
    co_return check;
  }
  if (read.apiResult == QLatin1String("K1")) {
    check.warning = read.apiResultMessage.isEmpty() ? QStringLiteral("ORCAの警告 K1") : read.apiResultMessage;
  }
  const InteractionOutcome outcome = ReadInteractions(read, drugs, selection.codes);
  check.findings += outcome.findings;
  check.unchecked += outcome.unchecked;
  co_return check;
}

}  // namespace

// The clinic's own drugs that could not be read are said to be unconfirmed, so that a check
// without them never passes for one without findings.
Task<MedicationCheck> CheckMedication(OrcaClient& client, MedicationCheckInput input) {
  const bool ownDaysRead = input.ownDaysRead;
  const QString ownMonthLabel = input.ownMonthLabel;
  MedicationCheck check = co_await CheckDrugsInView(client, std::move(input));
  if (!ownDaysRead) {
    CheckedDrug own;
    own.name = QStringLiteral("自院の処方（%1）").arg(ownMonthLabel);
    own.source = kOwnClinic;
    check.unchecked << UncheckedDrug{own, kOwnUnread};
  }
  co_return check;
}
