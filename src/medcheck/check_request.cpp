#include "medcheck/check_request.h"

#include "medcheck/ingredient_key.h"
#include "orca/patient_number.h"
#include "orca/request_template.h"

namespace {

// Each source's drug once: refills of the same drug are one entry, the newest.
void AddUnchecked(QList<UncheckedDrug>& unchecked, QStringList& seen, const DrugInView& d,
                  const QString& reason) {
  const QString key = d.sourceKey + QLatin1Char('\n') + d.drug.code + QLatin1Char('\n') + d.drug.name;
  if (seen.contains(key)) return;
  seen << key;
  unchecked << UncheckedDrug{d.drug, reason};
}

}  // namespace

bool IsCheckableCode(const QString& code) {
  return IsNineDigitCode(code) && code.startsWith(u'6');
}

QString UnknownCodeFormReason(const QString& code) {
  return QStringLiteral("ORCAで確認できない薬剤コードです（%1）").arg(code);
}

QString BeyondLimitReason() {
  return QStringLiteral("一度に確認できる%1剤を超えたため確認していません").arg(kMostCheckedCodes);
}

CodeSelection SelectCodes(const QList<DrugInView>& drugs) {
  CodeSelection selection;
  QStringList distinct;
  for (const DrugInView& d : drugs) {
    if (IsCheckableCode(d.drug.code) && !distinct.contains(d.drug.code)) distinct << d.drug.code;
  }
  selection.codes = distinct.mid(0, kMostCheckedCodes);
  QStringList seen;
  for (const DrugInView& d : drugs) {
    if (d.drug.code.isEmpty()) {
      AddUnchecked(selection.unchecked, seen, d, kNoCodeReason);
    } else if (!IsCheckableCode(d.drug.code)) {
      AddUnchecked(selection.unchecked, seen, d, UnknownCodeFormReason(d.drug.code));
    } else if (!selection.codes.contains(d.drug.code)) {
      AddUnchecked(selection.unchecked, seen, d, BeyondLimitReason());
    }
  }
  return selection;
}

QString ContraindicationCheckBody(const QString& patientId, const QString& performMonth, int checkTermMonths,
                                  const QStringList& codes) {
  QString body =
      QStringLiteral(
          "<data>  <contraindication_checkreq type=\"record\">"
          "    <Request_Number type=\"string\">01</Request_Number>"
          "    <Patient_ID type=\"string\">") +
      EscapeXmlText(NormalisePatientNumber(patientId)) +
      QStringLiteral("</Patient_ID>    <Perform_Month type=\"string\">") + EscapeXmlText(performMonth) +
      QStringLiteral("</Perform_Month>    <Check_Term type=\"string\">") + QString::number(checkTermMonths) +
      QStringLiteral("</Check_Term>    <Medical_Information type=\"array\">");
  for (const QString& code : codes) {
    body += QStringLiteral(
                "      <Medical_Information_child type=\"record\">"
                "        <Medication_Code type=\"string\">") +
            EscapeXmlText(code) + QStringLiteral("</Medication_Code>      </Medical_Information_child>");
  }
  return body + QStringLiteral("    </Medical_Information>  </contraindication_checkreq></data>");
}
