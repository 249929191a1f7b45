// Feeds arbitrary answers of ORCA's interaction check through the medication check: the results and
// hits read from the answer, the findings and unchecked drugs they give for a fixed set of drugs in
// view, and the report, rows and indicator made of them.
//   parts: the contraindicationcheckv2 answer
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "medcheck/check_answer.h"
#include "medcheck/check_indicator.h"
#include "medcheck/check_request.h"
#include "medcheck/drug_in_view.h"
#include "medcheck/findings_report.h"
#include "medcheck/interactions.h"
#include "orca/response_reader.h"

namespace {

TDrugItem Line(const char* name, const char* code, int times) {
  return TDrugItem{QString::fromUtf8(name),
                   QStringLiteral("1"),
                   QStringLiteral("錠"),
                   times,
                   QStringLiteral("21"),
                   QString::fromLatin1(code),
                   QString()};
}

// The drugs of the demo's interacting patient, one source each and the clinic's own.
const QList<DrugInView>& Drugs() {
  static const QList<DrugInView> drugs = DrugsOfRecords(
      {{QStringLiteral("みなと中央病院"),
        QStringLiteral("1310000202"),
        QStringLiteral("20250531"),
        {Line("ワルファリン", "699000111", 28)}},
       {QStringLiteral("あおば整形外科医院"),
        QStringLiteral("1310000303"),
        QStringLiteral("20250607"),
        {Line("ロキソプロフェン", "699000106", 14), Line("架空エキス", "699999001", 14)}},
       {QStringLiteral("さくら坂内科クリニック"),
        QStringLiteral("1310000101"),
        QStringLiteral("20250523"),
        {Line("ファモチジン", "699000108", 28)}}},
      {{QStringLiteral("2025-05-15"),
        {TSelfDrug{QStringLiteral("酸化マグネシウム"), QStringLiteral("2"), QStringLiteral("錠"), 14,
                   QStringLiteral("210"), QStringLiteral("699000117")}}}},
      QStringLiteral("1234567"));
  return drugs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const FuzzInput input(data, size);
  const ContraAnswer answer = ReadContraindicationAnswer(ResponseLines(input.part(0)));
  const CodeSelection sent = SelectCodes(Drugs());
  const InteractionOutcome outcome = ReadInteractions(answer, Drugs(), sent.codes);

  MedicationCheck check;
  check.findings = outcome.findings;
  check.unchecked = sent.unchecked + outcome.unchecked;
  if (!answer.checked()) check.failure = QStringLiteral("ORCA ") + answer.apiResult;
  if (answer.apiResult == QLatin1String("K1")) check.warning = answer.apiResultMessage;
  for (const Finding& f : check.findings) {
    FUZZ_CHECK(f.drugs.size() == 2);
    // A pair of two of the clinic's own drugs is never a finding.
    FUZZ_CHECK(f.drugs[0].source != kOwnClinic || f.drugs[1].source != kOwnClinic);
  }
  // Whatever the answer holds, a row keeps its columns and its line.
  for (const QString& row : FindingRows(check))
    FUZZ_CHECK(row.count(QLatin1Char('\t')) == 8 && !row.contains(u'\n'));
  for (const QString& row : UncheckedRows(check))
    FUZZ_CHECK(row.count(QLatin1Char('\t')) == 5 && !row.contains(u'\n'));
  for (const QString& line : FindingsTextLines(check))
    FUZZ_CHECK(!line.contains(u'\n') && !line.contains(u'\r'));
  FUZZ_CHECK(!IndicatorOf(check).text.isEmpty());
  return 0;
}
