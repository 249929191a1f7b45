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

// The element's value as ElementValue reads it, on one line: a value that ran on over several lines
// (or held a CR or a tab) must not break the rows and lines it is shown in.
bool Value(const QString& line, const char* element, QString* value) {
  if (!ElementValue(line, QLatin1String(element), value)) return false;
  for (const QChar c : {QChar(u'\r'), QChar(u'\n'), QChar(u'\t')}) value->replace(c, QLatin1Char(' '));
  *value = TrimBlanksAndControls(*value);  // a decoded &#13; can end the value
  return true;
}

// The answer's fields of one drug result, read into the last one begun.
void ReadDrugField(const QString& line, ContraDrugResult& drug) {
  QString v;
  if (Value(line, "Medication_Name", &v)) drug.name = v;
  if (Value(line, "Medical_Result", &v)) drug.result = v;
  if (Value(line, "Medical_Result_Message", &v)) drug.resultMessage = v;
  if (Value(line, "Contra_Code", &v)) drug.hits << ContraHit{v, {}, {}, {}, {}};
  if (drug.hits.isEmpty()) return;
  ContraHit& hit = drug.hits.last();
  if (Value(line, "Contra_Name", &v)) hit.name = v;
  if (Value(line, "Interact_Code", &v)) hit.interactCode = v;
  if (Value(line, "Administer_Date", &v)) hit.administerDate = v;
  if (Value(line, "Administer_Class", &v)) hit.administerClass = v;
}

void ReadSymptomField(const QString& line, ContraSymptom& symptom) {
  QString v;
  if (Value(line, "Symptom_Content", &v)) symptom.content = v;
  if (Value(line, "Symptom_Detail", &v)) symptom.detail = v;
}

}  // namespace

ContraAnswer ReadContraindicationAnswer(const QStringList& answerLines) {
  ContraAnswer answer;
  QString v;
  for (const QString& line : JoinRunOnValues(answerLines)) {
    if (Value(line, "Api_Result", &v)) answer.apiResult = v;
    if (Value(line, "Api_Result_Message", &v)) answer.apiResultMessage = v;
    // The symptoms come after the drugs; the patient's record and the month before them.
    if (Value(line, "Symptom_Code", &v)) answer.symptoms << ContraSymptom{v, {}, {}};
    if (!answer.symptoms.isEmpty()) {
      ReadSymptomField(line, answer.symptoms.last());
      continue;
    }
    if (Value(line, "Medication_Code", &v)) answer.drugs << ContraDrugResult{v, {}, {}, {}, {}};
    if (!answer.drugs.isEmpty()) ReadDrugField(line, answer.drugs.last());
  }
  return answer;
}
