#include "medcheck/check_answer.h"

#include <QRegularExpression>

#include "orca/response_reader.h"

namespace {

// A value whose closing tag is on a later line is joined with those lines, so that every line
// holds whole elements.
QStringList JoinRunOnValues(const QStringList& lines) {
  static const QRegularExpression opening(QStringLiteral("<([A-Za-z_][A-Za-z0-9_]*) type=\"string\">"));
  QStringList joined;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    QString line = lines[i];
    const QRegularExpressionMatch m = opening.match(line);
    if (m.hasMatch()) {
      const QString closing = QStringLiteral("</") + m.captured(1) + QLatin1Char('>');
      while (line.indexOf(closing, m.capturedEnd()) < 0 && i + 1 < lines.size()) {
        line += QLatin1Char('\n') + lines[++i];
      }
    }
    joined << line;
  }
  return joined;
}

QString OneLine(QString text) {
  for (const QChar c : {QChar(u'\r'), QChar(u'\n'), QChar(u'\t')}) text.replace(c, QLatin1Char(' '));
  return text;
}

// The answer's fields of one drug result, read into the last one begun.
void ReadDrugField(const QString& line, ContraDrugResult& drug) {
  QString v;
  if (ElementValue(line, QStringLiteral("Medication_Name"), &v)) drug.name = OneLine(v);
  if (ElementValue(line, QStringLiteral("Medical_Result"), &v)) drug.result = v;
  if (ElementValue(line, QStringLiteral("Medical_Result_Message"), &v)) drug.resultMessage = OneLine(v);
  if (ElementValue(line, QStringLiteral("Contra_Code"), &v)) drug.hits << ContraHit{v, {}, {}, {}, {}};
  if (drug.hits.isEmpty()) return;
  ContraHit& hit = drug.hits.last();
  if (ElementValue(line, QStringLiteral("Contra_Name"), &v)) hit.name = OneLine(v);
  if (ElementValue(line, QStringLiteral("Interact_Code"), &v)) hit.interactCode = v;
  if (ElementValue(line, QStringLiteral("Administer_Date"), &v)) hit.administerDate = v;
  if (ElementValue(line, QStringLiteral("Administer_Class"), &v)) hit.administerClass = v;
}

void ReadSymptomField(const QString& line, ContraSymptom& symptom) {
  QString v;
  if (ElementValue(line, QStringLiteral("Symptom_Content"), &v)) symptom.content = OneLine(v);
  if (ElementValue(line, QStringLiteral("Symptom_Detail"), &v)) symptom.detail = OneLine(v);
}

}  // namespace

ContraAnswer ReadContraindicationAnswer(const QStringList& answerLines) {
  ContraAnswer answer;
  QString v;
  for (const QString& line : JoinRunOnValues(answerLines)) {
    if (ElementValue(line, QStringLiteral("Api_Result"), &v)) answer.apiResult = v;
    if (ElementValue(line, QStringLiteral("Api_Result_Message"), &v)) answer.apiResultMessage = OneLine(v);
    // The symptoms come after the drugs; the patient's record and the month before them.
    if (ElementValue(line, QStringLiteral("Symptom_Code"), &v)) answer.symptoms << ContraSymptom{v, {}, {}};
    if (!answer.symptoms.isEmpty()) {
      ReadSymptomField(line, answer.symptoms.last());
      continue;
    }
    if (ElementValue(line, QStringLiteral("Medication_Code"), &v))
      answer.drugs << ContraDrugResult{v, {}, {}, {}, {}};
    if (!answer.drugs.isEmpty()) ReadDrugField(line, answer.drugs.last());
  }
  return answer;
}
