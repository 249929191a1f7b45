#pragma once

#include <QList>
#include <QString>

// One drug line of a dispensing event, as the drug information delivers it.
struct TDrugItem {
  QString SryName;  // drug name
  QString Suryo;    // quantity, as delivered
  QString Tani;     // unit of the quantity
  qint32 Kai = 0;   // days supplied; 0 when the answer gives no whole number
  QString SryKbn;   // class code of the line (21x: oral); not shown
  QString DrugC;    // the 9-digit receipt-computer drug code, the one ORCA's own checks know
  QString IngreN;   // ingredient name, as delivered; may be empty
};

// One dispensing or prescription event of another institution on one day.
struct TPrescription {
  QString InstitutionName;  // the prescriber when one is given, the dispensing institution otherwise
  QString InstitutionCd;
  QString PrescDate;  // yyyymmdd
  QList<TDrugItem> Drugs;
};
