#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include "tainhistory/prescription.h"
#include "medcheck/medication_check.h"
#include "ownhistory/self_drugs.h"

// One drug the check looks at: another institution's out of the online drug information, or the
// clinic's own out of the month its history shows.
struct DrugInView {
  CheckedDrug drug;    // name, code, source, day, days supplied
  QString ingredient;  // as delivered; the clinic's own records name none
  QString sourceKey;   // one source: the institution's code (its name without one), or 自院
  bool ownClinic = false;
  bool oral = false;  // class 21x, whose count is a number of days even when it is 1
  int count = 0;      // days or times, as delivered

  // The last day the supply covers; a null day is unknown.
  QDate lastDay() const { return drug.day.isValid() ? drug.day.addDays(qMax(drug.days, 1) - 1) : QDate(); }
};

// Days supplied, as the history texts decide their "日分" line: a count is days for an oral class,
// and for the others when it is more than one. Anything else counts on its day only.
int SupplyDays(int count, bool oral);

// Every drug line of the records, the other institutions' first. An event under the clinic's own
// code is the clinic's (自院), as in the history text, which leaves it out of the other
// institutions'. Lines without name and code are left out.
QList<DrugInView> DrugsOfRecords(const QList<TPrescription>& prescList, const QList<SelfDayDrugs>& ownDays,
                                 const QString& selfInstCd);

// The drugs whose supply covers `today` or ended at most `windowDays` days before it, newest day
// first (an unknown day first of all, as it cannot be ruled out).
QList<DrugInView> InCheckWindow(const QList<DrugInView>& drugs, const QDate& today, int windowDays);
