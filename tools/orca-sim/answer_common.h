#pragma once

#include <QDateTime>
#include <QString>

#include "demo_data.h"
#include "xml_tree.h"

// The record every answer starts with: date, time, result, message and, for the older calls, Reskey.
XmlNode ResultRecord(const QString& name, const QDateTime& now, const QString& result, const QString& message,
                     const QString& reskey = QString());
XmlNode PatientBrief(const DemoPatient& patient);
XmlNode QualificationRecord(const DemoPatient& patient);

// A patient number as ORCA accepts it: digits only, leading zeros optional. 0 when it is not one.
int PatientNumber(const QString& text);

// "yyyy-MM" → first of that month; invalid → null date.
QDate ParseMonth(const QString& text);
QDate ParseDay(const QString& text);
QString Ymd(const QDate& date);
QString Ym(const QDate& date);
QString Day2(const QDate& date);

extern const QString kDone;  // 処理終了
