#include "interaction_master.h"

namespace {

// Invented pairs of the demo catalog's codes; they mean nothing medically.
const QList<DemoInteraction>& Master() {
  static const QList<DemoInteraction> master{
      {QStringLiteral("699000111"), QStringLiteral("699000106"),
       QStringLiteral("S900001")},  // warfarin, loxoprofen
      {QStringLiteral("699000110"), QStringLiteral("699000109"),
       QStringLiteral("S900002")},  // bisoprolol, brotizolam
      {QStringLiteral("699000108"), QStringLiteral("699000117"),
       QStringLiteral("*******")},  // famotidine, magnesium
  };
  return master;
}

// Invented texts, marked as such where they show.
const QList<DemoSymptom>& Symptoms() {
  static const QList<DemoSymptom> symptoms{
      {QStringLiteral("S900001"), QStringLiteral("（架空）出血しやすくなるおそれ。併用時は凝固能を確認する"),
       QStringLiteral("（架空）作用の増強")},
      {QStringLiteral("S900002"), QStringLiteral("（架空）ふらつきが強まるおそれ"),
       QStringLiteral("（架空）作用の相加")},
  };
  return symptoms;
}

}  // namespace

QList<DemoInteraction> DemoInteractionsOf(const QString& code) {
  QList<DemoInteraction> found;
  for (const DemoInteraction& i : Master()) {
    if (i.codeA == code) found << i;
    if (i.codeB == code) found << DemoInteraction{i.codeB, i.codeA, i.interactCode};
  }
  return found;
}

DemoSymptom DemoSymptomOf(const QString& interactCode) {
  for (const DemoSymptom& s : Symptoms()) {
    if (s.code == interactCode) return s;
  }
  return DemoSymptom{interactCode, QString(), QString()};
}
