#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The department to ask the day's acts of, from the answer to the day query. ORCA answers that
// query with every visit of the day's month, so the visit dated `day` ("yyyy-mm-dd") names it;
// only when no visit carries that date does the first department of the answer stand in.
// Nothing when the answer names no department.
std::optional<QString> DayDepartment(const QStringList& dayQueryLines, const QString& day);
