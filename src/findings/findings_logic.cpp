#include "findings/findings_logic.h"

#include "windowmodel/print_lines.h"

FindingsLogic::FindingsLogic(FindingsUi& ui, MedicationCheck check, QString patientLine)
    : ui_(ui), check_(std::move(check)), patientLine_(std::move(patientLine)) {
  controls_.LabelPatient.text = patientLine_;
  controls_.LabelPatient.visible = !patientLine_.isEmpty();
  controls_.LabelStatus.text = StatusLines(check_).join(QLatin1Char('\n'));
  controls_.statusTone = IndicatorOf(check_).tone;
  controls_.TreeFindings = FindingGroups(check_);
}

QStringList FindingsLogic::reportLines() const {
  QStringList lines;
  if (!patientLine_.isEmpty()) lines << patientLine_;
  return lines + FindingsTextLines(check_);
}

void FindingsLogic::BtnCopyClick() {
  QString text;
  for (const QString& line : reportLines()) text += line + QStringLiteral("\r\n");
  ui_.SetClipboardText(text);
}

void FindingsLogic::BtnPrintClick() {
  PrintLines(ui_, reportLines());
}
