#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One drug prescribed by the clinic on one day, as the day-and-department answer lists it.
struct TSelfDrug {
  QString Name;
  QString Suryo;  // quantity
  QString Tani;   // unit
  int Days = 0;   // the order group's count, 0 when not a number
  QString MedClass;
  QString Code;  // Medication_Code: the medication check sends it to ORCA
};

// The drugs behind one day's block of the history.
struct SelfDayDrugs {
  QString day;  // "yyyy-mm-dd"
  QList<TSelfDrug> drugs;
};

// The drugs of a day-and-department answer in answer order. The group's class and count carry
// over to every later drug until the answer names new ones; a drug is complete on its unit line,
// or, when it has none, at the end of its record or at the next drug's code.
QList<TSelfDrug> ReadSelfDrugs(const QStringList& answerLines);

// The day's block of the history: the date with full stops, then the drugs grouped by their
// count, the largest first, each group followed by its "日分" line where it applies. No drugs, no
// block.
QStringList SelfDayBlock(const QString& day, const QList<TSelfDrug>& drugs);

// Appends the day's block to `memo`, an empty line before it when the memo already has lines.
void AppendSelfDayBlock(const QString& day, const QList<TSelfDrug>& drugs, QStringList& memo);

// Appends the day's block of a day-and-department answer to `memo`, an empty line before it when
// the memo already has lines.
void ParseMedicalGet02(const QStringList& answerLines, const QString& day, QStringList& memo);
