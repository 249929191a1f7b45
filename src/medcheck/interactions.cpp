#include "medcheck/interactions.h"

#include <QHash>
#include <QSet>

namespace {

struct Side {
  CheckedDrug drug;
  QString sourceKey;
  bool ownClinic = false;
};

// The drugs in view with the code, each source's newest once.
QList<Side> SidesOf(const QList<DrugInView>& drugs, const QString& code) {
  QList<Side> sides;
  QStringList sources;
  for (const DrugInView& d : drugs) {
    if (d.drug.code != code || sources.contains(d.sourceKey)) continue;
    sources << d.sourceKey;
    sides << Side{d.drug, d.sourceKey, d.ownClinic};
  }
  return sides;
}

QList<Side> PartnersOf(const ContraHit& hit, const QList<DrugInView>& drugs) {
  if (hit.administerClass == QLatin1String("1")) {
    QList<Side> inView = SidesOf(drugs, hit.code);
    if (!inView.isEmpty()) return inView;
    return {Side{CheckedDrug{hit.name, hit.code, QString(), QDate(), 0}, QString(), false}};
  }
  // Out of the clinic's own billing records at this ORCA.
  const QDate last = QDate::fromString(hit.administerDate, Qt::ISODate);
  return {Side{CheckedDrug{hit.name, hit.code, kOwnClinic, last, 0}, kOwnClinic, true}};
}

QString PairKey(const Side& a, const Side& b, const QString& interactCode) {
  QString ka = a.drug.code + QLatin1Char('@') + a.sourceKey;
  QString kb = b.drug.code + QLatin1Char('@') + b.sourceKey;
  if (kb < ka) std::swap(ka, kb);
  return ka + QLatin1Char('|') + kb + QLatin1Char('|') + interactCode;
}

Finding InteractionOf(const Side& x, const Side& y, const ContraHit& hit,
                      const QHash<QString, ContraSymptom>& symptoms) {
  Finding f;
  f.kind = FindingKind::Interaction;
  f.drugs = {x.drug, y.drug};
  f.clinicMaster = hit.interactCode == kClinicMasterCode;
  const ContraSymptom symptom = symptoms.value(hit.interactCode);
  f.subject = f.clinicMaster && symptom.content.isEmpty() ? kClinicMasterSubject : symptom.content;
  f.mechanism = symptom.detail;
  return f;
}

}  // namespace

QString RefusedByOrcaReason(const QString& result, const QString& message) {
  const QString why = message.isEmpty() ? result : result + QLatin1Char(' ') + message;
  return QStringLiteral("ORCAで確認できませんでした（%1）").arg(why);
}

InteractionOutcome ReadInteractions(const ContraAnswer& answer, const QList<DrugInView>& drugs,
                                    const QStringList& sentCodes) {
  InteractionOutcome outcome;
  QHash<QString, ContraSymptom> symptoms;
  for (const ContraSymptom& s : answer.symptoms) symptoms.insert(s.code, s);

  // Hits among the drugs sent first, so that a partner both sent and in the records keeps the day
  // and days of the drug in view.
  QSet<QString> seen;
  for (const bool amongSent : {true, false}) {
    for (const ContraDrugResult& result : answer.drugs) {
      for (const ContraHit& hit : result.hits) {
        if ((hit.administerClass == QLatin1String("1")) != amongSent) continue;
        const QList<Side> partners = PartnersOf(hit, drugs);
        for (const Side& x : SidesOf(drugs, result.code)) {
          for (const Side& y : partners) {
            if (x.ownClinic && y.ownClinic) continue;
            const QString key = PairKey(x, y, hit.interactCode);
            if (seen.contains(key)) continue;
            seen.insert(key);
            outcome.findings << InteractionOf(x, y, hit, symptoms);
          }
        }
      }
    }
  }

  QStringList answered;
  for (const ContraDrugResult& result : answer.drugs) {
    answered << result.code;
    if (result.result.isEmpty() || result.result == QLatin1String("00")) continue;
    for (const Side& s : SidesOf(drugs, result.code)) {
      outcome.unchecked << UncheckedDrug{s.drug, RefusedByOrcaReason(result.result, result.resultMessage)};
    }
  }
  for (const QString& code : sentCodes) {
    if (answered.contains(code)) continue;
    for (const Side& s : SidesOf(drugs, code)) outcome.unchecked << UncheckedDrug{s.drug, kNotAnsweredReason};
  }
  return outcome;
}
