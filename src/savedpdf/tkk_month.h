#pragma once

#include <QString>
#include <optional>

#include "tainhistory/tain_lists.h"

// The check-up month "yyyy-mm" of a saved check-up PDF: the examination date printed in it, or,
// when it prints none, the month of the file's last modification in local time. Raises what
// ExtractTextFromPdf raises.
QString GetTkkMonth(const QString& path);

// The month of the patient's saved check-up PDF: of the first check-up PDF carrying the patient's
// key, whatever name it prints; nothing without one.
std::optional<QString> CheckUpPdfMonthOf(const QString& patientId);

// What the grid's check-up row falls back on: the saved PDF's month, read only when the online
// answer gave no check-up date.
std::optional<QString> CheckUpFallbackOf(const TainLists& lists, const QString& patientId);
