#pragma once

#include <QDate>
#include <QString>
#include <optional>

// The calendar age in whole years on `today`: a birthday counts from the day itself, and one on
// 29 February from 1 March in common years. Nothing for a birth date after today.
std::optional<int> CalendarAge(const QDate& birthDate, const QDate& today);

// `LabelAge`'s text for a birth date "yyyy-mm-dd": the age and "歳", or empty when the date is
// missing, not a date or later than today.
QString AgeLabelText(const QString& birthDate, const QDate& today);
