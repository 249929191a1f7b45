#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include "tainhistory/prescription.h"
#include "medcheck/drug_in_view.h"
#include "ownhistory/self_drugs.h"

// Records as the loaders leave them, written short.

// A drug line of the online drug information; class 21 is oral.
TDrugItem Line(const QString& name, const QString& code, const QString& ingredient, int times,
               const QString& cls = QStringLiteral("21"));
// One dispensing day of an institution.
TPrescription Dispensed(const QString& instCode, const QString& instName, const QDate& day,
                        const QList<TDrugItem>& drugs);
// A drug of the clinic's own history; class 210 is oral.
TSelfDrug OwnLine(const QString& name, const QString& code, int days,
                  const QString& cls = QStringLiteral("210"));
SelfDayDrugs OwnDay(const QDate& day, const QList<TSelfDrug>& drugs);

// A drug in view from a source ("自院" for the clinic), supplied for `days` days.
DrugInView InView(const QString& source, const QString& name, const QString& code, const QString& ingredient,
                  const QDate& day, int days);
// Newest first, as the check hands them on.
QList<DrugInView> NewestFirst(QList<DrugInView> drugs);
