#include "selfhistory/day_department.h"

#include "orca/response_reader.h"

std::optional<QString> DayDepartment(const QStringList& dayQueryLines, const QString& day) {
  const QString visitStart = QStringLiteral("<Medical_List_Information_child");
  std::optional<QString> first;
  QString visitDate;
  QString value;
  for (const QString& line : dayQueryLines) {
    // A visit's date must not carry over to the department of the next visit.
    if (line.contains(visitStart)) visitDate.clear();
    if (ElementValue(line, QStringLiteral("Perform_Date"), &value)) visitDate = value;
    if (!ElementValue(line, QStringLiteral("Department_Code"), &value)) continue;
    if (visitDate == day) return value;
    if (!first) first = value;
  }
  return first;
}
