#pragma once

#include "demo_data.h"

// The fixed cast of the demo: people, institutions and drugs. Dates are added by MakeDemoData.
QList<DemoPatient> DemoPatients();
QList<Department> DemoDepartments();
// Patients beyond the catalog, numbered from `firstId`, with made-up names: the same ones every time.
QList<DemoPatient> MadeUpPatients(int firstId, int count);

// The medication check's demo patients, numbered above any busy day's made-up ones and received on
// no day, so that every other answer stays as it was: one ingredient from two institutions, and an
// interacting pair across institutions.
constexpr int kDuplicatePatient = 1001;
constexpr int kInteractionPatient = 1002;
QList<DemoPatient> DemoCheckPatients();
// The patient of several visits a day, received on no day like the medication check's.
constexpr int kVisitsPatient = 1003;
QList<DemoPatient> DemoVisitsPatient();
// The name typed at reception for today's patient not yet registered.
QString DemoWalkInName();

struct ReceptionSeed {
  int patient;
  QString department;
  bool billed;
};
// The demo's receptions of today and of yesterday, in reception order.
QList<ReceptionSeed> DemoTodaySeeds();
QList<ReceptionSeed> DemoYesterdaySeeds();
// What the clinic prescribes a patient in a department at each visit.
QList<OwnOrder> DemoRegimen(int patient, const QString& department);

namespace demo {

extern const Institution kSakurazaka, kMinatoHospital, kAobaOrtho, kHikariEye, kKomorebiDental, kKirariKids,
    kKandSClinic, kMidoriPharmacy, kHimawariPharmacy;

OnlineDrug Drug(const QString& key, const QString& quantity, const QString& times);
// The catalog's name of a drug code; empty for a code the demo's price master does not hold.
QString DemoDrugName(const QString& code);
OwnItem OwnDrug(const QString& key, const QString& quantity);
QString DrugIdClass(const QString& key);

}  // namespace demo
