#pragma once

#include <QString>
#include <optional>

// The check-up month "yyyy-mm" of a saved check-up PDF: the examination date printed in it, or,
// when it prints none, the month of the file's last modification in local time. Raises what
// ExtractTextFromPdf raises.
QString GetTkkMonth(const QString& path);

// The grid's check-up fallback for the patient (usable as CheckUpPdfMonth): the month of the
// first check-up PDF carrying the patient's key, whatever name it prints; nothing without one.
std::optional<QString> CheckUpPdfMonthOf(const QString& patientId);
