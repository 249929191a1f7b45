#pragma once

#include "demo_data.h"

// The fixed cast of the demo: people, institutions and drugs. Dates are added by MakeDemoData.
QList<DemoPatient> DemoPatients();
QList<Department> DemoDepartments();
// Patients beyond the catalog, numbered from `firstId`, with made-up names: the same ones every time.
QList<DemoPatient> MadeUpPatients(int firstId, int count);

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
OwnItem OwnDrug(const QString& key, const QString& quantity);
QString DrugIdClass(const QString& key);

}  // namespace demo
