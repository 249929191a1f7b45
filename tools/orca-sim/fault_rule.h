#pragma once

#include <QList>
#include <QString>
#include <optional>

// A chosen misbehaviour: "KEY=ACTION". KEY is a call name or path ("onlinedruggetv2",
// "/api/api01rv2/acceptlstv2"), a patient number ("3", "00003"), or both ("onlinemedgetv2:4").
// ACTION is an HTTP status ("500", "401", "404" …), "drop" (close without answer), "garbage"
// (bytes that are not HTTP), "badxml" (status 200 with a cut-off document) or "wait:MS"; "ACTION*N" does
// it to the first N matching requests only, the others being answered as usual; "ACTION%P" to P in a
// hundred of them, drawn at random. KEY "*" is any request.
struct FaultRule {
  enum Kind { Status, Drop, Garbage, BadXml, Wait };
  QString call;     // empty: any call
  int patient = 0;  // 0: any patient
  Kind kind = Status;
  int value = 0;    // the status, or the wait in milliseconds
  int times = 0;    // how many matching requests it applies to; 0: all of them
  int percent = 0;  // how many in a hundred matching requests it applies to; 0: all of them

  bool matches(const QString& callName, const QString& path, int requestPatient) const;
};

std::optional<FaultRule> ParseFaultRule(const QString& text, QString* error);
