#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "tainhistory/prescription.h"

// Answers written the way ORCA lays them out: declaration, one element per line, two spaces per
// level, empty values left out.

// A value line at the given depth, or nothing when the value is empty.
QString ValueLine(int depth, const QString& name, const QString& value);
// The declaration, <xmlio2> and the record `recordName` around the inner lines (written at depth 2).
QByteArray XmlIo2(const QString& recordName, const QStringList& innerLines);

struct SummaryInstitution {
  QString dispensingCd, dispensingNm, prescriberCd, prescriberNm;
};
struct SummaryMonth {
  QString month;
  QList<SummaryInstitution> institutions;
};
// A phase-1 drug-information answer; the institution fields in ORCA's order.
QByteArray DrugSummaryAnswer(const QString& birthDate, const QList<SummaryMonth>& months);

struct EventDrug {
  QString name, quantity, unit, times, classCode;
};
struct DayEvent {
  QString day, dispensingCd, dispensingNm, prescriberCd, prescriberNm;
  QList<EventDrug> drugs;
};
// A phase-2 answer with one MeTrMonthInf item.
QByteArray DrugEventsAnswer(const QString& month, const QList<DayEvent>& events);

TPrescription Presc(const QString& name, const QString& code, const QString& date,
                    const QList<TDrugItem>& drugs = {});
TDrugItem Drug(const QString& name, const QString& quantity, const QString& unit, int kai);
