#include "ownhistory/day_visits.h"

#include "orca/response_reader.h"

namespace {

struct ListedVisit {
  QString date;
  DayVisit visit;
};

}  // namespace

QList<DayVisit> DayVisits(const QStringList& dayQueryLines, const QString& day) {
  const QString visitStart = QStringLiteral("<Medical_List_Information_child");
  QList<ListedVisit> listed;
  ListedVisit current;
  // A visit's values must not carry over to the next visit.
  auto flush = [&listed, &current] {
    if (!current.visit.department.isEmpty()) listed.append(current);
    current = ListedVisit();
  };
  QString value;
  for (const QString& line : dayQueryLines) {
    if (line.contains(visitStart)) flush();
    if (ElementValue(line, QStringLiteral("Perform_Date"), &value)) current.date = value;
    if (ElementValue(line, QStringLiteral("Department_Code"), &value)) current.visit.department = value;
    if (ElementValue(line, QStringLiteral("Sequential_Number"), &value))
      current.visit.sequentialNumber = value;
  }
  flush();

  QList<DayVisit> visits;
  for (const ListedVisit& v : std::as_const(listed)) {
    if (v.date == day && !visits.contains(v.visit)) visits.append(v.visit);
  }
  if (visits.isEmpty() && !listed.isEmpty()) visits.append(listed.first().visit);
  return visits;
}
