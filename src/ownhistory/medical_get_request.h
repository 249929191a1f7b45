#pragma once

#include <QString>

// The three questions put to ORCA's medical-record call.
enum class MedicalGetClass {
  DayVisits,          // class 01: the visits, asked with a day
  DayDepartmentActs,  // class 02: the acts of one day in one department
  MonthOverview,      // class 03: the month's acts with their day flags, asked with a month
};

QString MedicalGetApiPath(MedicalGetClass kind);

// The one-line request body of the month overview and the day query. The values are escaped for
// XML, so that a patient number or a department code read from an answer cannot change the
// request's structure.
QString MedicalGetBody(const QString& patientId, const QString& performDate, const QString& departmentCode);

// The body asking for the acts of one visit: the same, with the visit's sequential number after its
// department (empty when the visit names none). ORCA takes a missing number for the first visit of
// the department that day.
QString MedicalGetActsBody(const QString& patientId, const QString& day, const QString& departmentCode,
                           const QString& sequentialNumber);
