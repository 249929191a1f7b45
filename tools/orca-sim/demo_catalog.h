#pragma once

#include "demo_data.h"

// The fixed cast of the demo: people, institutions and drugs. Dates are added by MakeDemoData.
QList<DemoPatient> DemoPatients();
QList<Department> DemoDepartments();

namespace demo {

extern const Institution kSakurazaka, kMinatoHospital, kAobaOrtho, kHikariEye, kKomorebiDental, kKirariKids,
    kKandSClinic, kMidoriPharmacy, kHimawariPharmacy;

OnlineDrug Drug(const QString& key, const QString& quantity, const QString& times);
OwnItem OwnDrug(const QString& key, const QString& quantity);
QString DrugIdClass(const QString& key);

}  // namespace demo
