#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "medcheck/check_indicator.h"
#include "medcheck/medication_check.h"

// The findings grouped by kind, as the findings window lists them and its copy and print write
// them: 成分重複, 相互作用, 未確認, each group only when it has entries.
struct FindingEntry {
  QString heading;
  QStringList details;
};
struct FindingGroup {
  QString title;
  CheckTone tone = CheckTone::Neutral;
  QList<FindingEntry> entries;
};
QList<FindingGroup> FindingGroups(const MedicationCheck& check);

// The lines above the groups: the indicator's text, then why the check failed, then ORCA's
// warning.
QStringList StatusLines(const MedicationCheck& check);

// The whole report for the clipboard and the printer: a title with the day checked, the status
// lines, then each group with its entries, details indented.
QStringList FindingsTextLines(const MedicationCheck& check);
QString FindingsText(const MedicationCheck& check);  // lines ended by CR LF

// Tab-separated rows, one per pair of drugs: kind, drug, source, day, days, partner, partner's
// source, symptom, mechanism. A duplicate pairs its newest source's drug with each other source's;
// its symptom column names the shared ingredient. Days are blank for a drug counted on its day.
QStringList FindingRows(const MedicationCheck& check);
// One per unchecked drug: 未確認, drug, source, day, days, reason.
QStringList UncheckedRows(const MedicationCheck& check);
// All that rinmed-cli check prints: the finding rows, the unchecked rows, then ORCA's warning
// ("警告", message) and a failure ("チェックできませんでした", reason); 所見なし alone when there is
// none of these.
QStringList CheckReportRows(const MedicationCheck& check);

// "2025.06.12", as the history texts write a day; an unknown day is blank.
QString DotDay(const QDate& day);
