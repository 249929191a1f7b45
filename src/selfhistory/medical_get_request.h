#pragma once

#include <QString>

// The three questions put to ORCA's medical-record call.
enum class MedicalGetClass {
  DayVisits,          // class 01: the visits, asked with a day
  DayDepartmentActs,  // class 02: the acts of one day in one department
  MonthOverview,      // class 03: the month's acts with their day flags, asked with a month
};

QString MedicalGetApiPath(MedicalGetClass kind);

// The one-line request body shared by the three classes. The values are escaped for XML, so that
// a patient number or a department code read from an answer cannot change the request's structure.
QString MedicalGetBody(const QString& patientId, const QString& performDate, const QString& departmentCode);
