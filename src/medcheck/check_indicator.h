#pragma once

#include <QString>

#include "medcheck/medication_check.h"

// How urgent a text of the check is; the view gives each its colour.
enum class CheckTone {
  Neutral,  // nothing known yet
  Clear,    // 所見なし
  Caution,  // drugs left 未確認
  Alarm,    // findings, or a check that could not be done: red
};

// The outcome at a glance, for a label in the drug-information window: the number of findings of
// each kind, the check's failure, the unchecked drugs — or 所見なし when there is none of these.
struct CheckIndicator {
  QString text;
  CheckTone tone = CheckTone::Neutral;
  QString toolTip;
  bool opensFindings = false;  // a click opens the findings window
  bool operator==(const CheckIndicator&) const = default;
};

CheckIndicator IndicatorOf(const MedicationCheck& check);
// While the check runs, and before any patient is opened.
CheckIndicator RunningIndicator();
CheckIndicator IdleIndicator();

// The kinds as the indicator, the list and the rows name them.
QString KindLabel(FindingKind kind);
