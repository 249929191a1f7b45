#pragma once

#include <QList>
#include <QString>

// The demo's interaction master over the demo drug codes. Every pair and every symptom text here
// is INVENTED for the demo and the tests: none of it is medical information.
struct DemoInteraction {
  QString codeA, codeB;  // either order
  QString interactCode;  // S9xxxxx; ******* for a pair of the clinic's own check master
};
struct DemoSymptom {
  QString code, content, detail;
};

// The pairs the demo knows for a drug code, in master order, as the partner's code and the
// interaction code.
QList<DemoInteraction> DemoInteractionsOf(const QString& code);
// The symptom entry of an interaction code; an empty entry for the clinic's own master.
DemoSymptom DemoSymptomOf(const QString& interactCode);
