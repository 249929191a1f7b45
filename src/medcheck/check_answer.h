#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// ORCA's answer to the interaction check, as far as the check reads it.
struct ContraHit {
  QString code;  // the partner drug
  QString name;
  QString interactCode;     // the symptom's code; ******* for the clinic's own check master
  QString administerDate;   // the partner's last day in the clinic's records; blank for a requested one
  QString administerClass;  // "1": the partner is one of the requested drugs
};

struct ContraDrugResult {
  QString code;
  QString name;
  QString result;  // Medical_Result, given only for a drug ORCA could not check ("20")
  QString resultMessage;
  QList<ContraHit> hits;
};

struct ContraSymptom {
  QString code;
  QString content;  // symptoms and measures
  QString detail;   // mechanism
};

struct ContraAnswer {
  QString apiResult;  // "00" done, "K1" done with a warning, anything else an error
  QString apiResultMessage;
  QList<ContraDrugResult> drugs;  // in request order
  QList<ContraSymptom> symptoms;

  bool checked() const { return apiResult == QLatin1String("00") || apiResult == QLatin1String("K1"); }
};

// Reads the answer line by line, as ORCA writes one element a line. A free text that runs on over
// further lines is read whole, its line breaks as blanks.
ContraAnswer ReadContraindicationAnswer(const QStringList& answerLines);
