#pragma once

#include <QString>

// Months of the own-institution history travel as "yyyy-mm".

// The month of the computer's date.
QString CurrentSelfMonth();

// `LabelSelfMonth`'s text for the month: "2024年05月"; empty for an empty month.
QString SelfMonthLabelText(const QString& selfMonth);

// The month `months` months after `selfMonth` (before it, for a negative count). An empty or
// unreadable month counts from the current month, so the month buttons always reach a month.
QString ShiftSelfMonth(const QString& selfMonth, int months);
inline QString PreviousSelfMonth(const QString& selfMonth) {
  return ShiftSelfMonth(selfMonth, -1);
}
inline QString NextSelfMonth(const QString& selfMonth) {
  return ShiftSelfMonth(selfMonth, 1);
}
