#pragma once

#include <QDate>
#include <QList>
#include <QString>

struct Institution {
  QString code;  // ten digits; the third is 1 for medicine, 3 for dentistry, 4 for a pharmacy
  QString name;
};

struct DemoPatient {
  int id = 0;
  QString name, kana;
  QDate birth;
  QString sex;  // 1 male, 2 female
  QString zip, address, phone;
  QString insurerClass, insurerNumber, insurerName, cardSymbol, cardNumber, cardBranch;
};

struct Department {
  QString code, name, physicianCode, physicianName;
};

struct Reception {
  QDate date;
  QString time;
  QString department;
  int patientId = 0;     // 0: a patient not yet registered
  QString accountTime;   // empty while the reception is in progress
  QString walkInName{};  // the name typed at reception, for a patient not yet registered
};

// One drug line of the online drug information.
struct OnlineDrug {
  QString idClass;  // 21 internal, 22 as needed, 23 external
  QString code, name, unit, usage, quantity, times;
  QString ingredient;  // only the medication-check patients' drugs name one
  QString dose;        // per time (OnDose); none for eye drops and creams
};

struct DrugEvent {
  int patientId = 0;
  QDate date;        // dispensing or treatment day
  QDate prescribed;  // null when the dispenser prescribed itself
  Institution dispenser;
  Institution prescriber;  // empty for in-house dispensing
  QString inOut;
  QList<OnlineDrug> drugs;
};

struct TreatmentAct {
  QString idClass, code, name, unit, quantity, times;
};

struct TreatmentDay {
  int patientId = 0;
  QDate date;
  Institution institution;
  QString inOut;
  QList<TreatmentAct> acts;
};

struct CheckupItem {
  QString code, name, dataType, value, unit;
};

struct Checkup {
  int patientId = 0;
  QDate date;
  QList<CheckupItem> items;
};

struct OwnItem {
  QString code, name, quantity, unitCode, unitName;
};

// One order group of a visit; its number is the days supplied for drugs.
struct OwnOrder {
  QString medicalClass;  // three characters, "210" internal drugs …
  QString className;
  int number = 1;
  QList<OwnItem> items;
};

struct OwnVisit {
  int patientId = 0;
  QDate date;
  QString department;
  QString invoice;
  QList<OwnOrder> orders;
  int sequential = 1;  // the visit's number among the patient's visits to the department that day
};

// Everything the simulator answers from, made for one day.
struct DemoData {
  QDate today;
  Institution clinic;  // its code ends with the configured seven-digit code
  QList<Department> departments;
  QList<DemoPatient> patients;
  QList<Reception> receptions;  // in reception order
  QList<DrugEvent> drugEvents;  // by date
  QList<TreatmentDay> treatments;
  QList<Checkup> checkups;
  QList<OwnVisit> visits;  // by date, a day's visits to one department in the order of their numbers

  const DemoPatient* patient(int id) const;
  const Department* department(const QString& code) const;
};

// ORCA's reception list holds at most this many on premises.
constexpr int kMostReceptions = 1000;

// The same day, code and count always give the same data. `receptionsToday` replaces today's demo list
// with a busy day of that many receptions (made-up patients beyond the catalog's); -1 keeps the demo's.
DemoData MakeDemoData(const QDate& today, const QString& clinicCode, int receptionsToday = -1);

// "yyyy-MM" of the month k months before the month of `day`.
QString MonthBack(const QDate& day, int k);
// The given day of the month k months before `day`'s month, clamped to the month's length.
QDate DayOfMonthBack(const QDate& day, int k, int dayOfMonth);
QString PaddedPatientId(int id);
// The sequential number the next visit of the patient to the department on that day gets.
int NextSequentialNumber(const DemoData& d, int patient, const QDate& date, const QString& department);
