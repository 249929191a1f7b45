// contraindicationcheckv2: the requested drugs checked against each other and against the patient's
// own records of the term, from the demo's interaction master.
#include <QRegularExpression>
#include <QSet>

#include "answer_common.h"
#include "answers.h"
#include "demo_catalog.h"
#include "interaction_master.h"

namespace {

const QString kRecord = QStringLiteral("contraindication_checkres");
const QString kReskey = QStringLiteral("Medical Info");
constexpr int kMostDrugs = 30;
constexpr int kMostSymptoms = 50;
constexpr int kSystemCheckMonths = 3;  // ORCA's own setting, used for a blank or zero term

OrcaAnswer Failure(const QDateTime& now, const char* code, const char* message) {
  return {ResultRecord(kRecord, now, QLatin1String(code), QString::fromUtf8(message), kReskey)};
}

// The codes asked for: the list ends at the first blank code, and ORCA reads thirty at most.
QStringList RequestedCodes(const RequestBody& body) {
  QStringList codes;
  for (const QHash<QString, QString>& item : body.items(QStringLiteral("Medical_Information"))) {
    const QString code = item.value(QStringLiteral("Medication_Code")).trimmed();
    if (code.isEmpty() || codes.size() == kMostDrugs) break;
    codes << code;
  }
  return codes;
}

bool KnownCode(const QString& code) {
  return code.size() == 9 && code.startsWith(QLatin1Char('6')) && !demo::DemoDrugName(code).isEmpty();
}

// The last day each drug code was given to the patient in [from, to], by the clinic's own records.
QHash<QString, QDate> GivenInTerm(const DemoData& data, int patient, const QDate& from, const QDate& to) {
  QHash<QString, QDate> last;
  for (const OwnVisit& v : data.visits) {
    if (v.patientId != patient || v.date < from || v.date > to) continue;
    for (const OwnOrder& o : v.orders) {
      for (const OwnItem& item : o.items) {
        if (!last.contains(item.code) || last[item.code] < v.date) last[item.code] = v.date;
      }
    }
  }
  return last;
}

XmlNode Hit(const QString& partner, const QString& interactCode, const QString& date, bool requested,
            bool before) {
  return XmlNode::Item(
      {XmlNode::Val(QStringLiteral("Contra_Code"), partner),
       XmlNode::Val(QStringLiteral("Contra_Name"), demo::DemoDrugName(partner)),
       XmlNode::Val(QStringLiteral("Interact_Code"), interactCode),
       XmlNode::Val(QStringLiteral("Administer_Date"), date),
       XmlNode::Val(QStringLiteral("Administer_Class"), requested ? QStringLiteral("1") : QString()),
       XmlNode::Val(QStringLiteral("Context_Class"),
                    before ? QStringLiteral("before") : QStringLiteral("after"))});
}

}  // namespace

OrcaAnswer AnswerContraindication(const DemoData& data, const RequestBody& body, const QDateTime& now) {
  if (!body.readable) return Failure(now, "98", "リクエストが読み込めません");
  const QString number = body.value(QStringLiteral("Request_Number"));
  if (number != QLatin1String("01") && number != QLatin1String("02"))
    return Failure(now, "91", "リクエスト番号が不正です");
  const QString id = body.value(QStringLiteral("Patient_ID"));
  if (id.isEmpty()) return Failure(now, "01", "患者番号の設定がありません");
  const DemoPatient* p = data.patient(PatientNumber(id));
  if (!p) return Failure(now, "10", "患者番号に該当する患者が存在しません");
  const QString asked = body.value(QStringLiteral("Perform_Month"));
  const QDate month = asked.isEmpty() ? QDate(now.date().year(), now.date().month(), 1) : ParseMonth(asked);
  if (!month.isValid()) return Failure(now, "11", "診療年月が不正です");
  const QString termText = body.value(QStringLiteral("Check_Term"));
  static const QRegularExpression digits(QStringLiteral("^[0-9]{1,3}$"));
  if (!termText.isEmpty() && !digits.match(termText).hasMatch())
    return Failure(now, "12", "チェック期間が不正です");
  const int term = termText.toInt() > 0 ? termText.toInt() : kSystemCheckMonths;

  const QStringList codes = RequestedCodes(body);
  QStringList valid;
  for (const QString& code : codes) {
    if (KnownCode(code)) valid << code;
  }
  if (valid.isEmpty()) return Failure(now, "14", "チェック対象の薬剤がありません");

  const QHash<QString, QDate> given =
      GivenInTerm(data, p->id, month.addMonths(-term), month.addMonths(1).addDays(-1));
  XmlNode results = XmlNode::Arr(QStringLiteral("Medical_Information"));
  QStringList symptomCodes;
  for (qsizetype at = 0; at < codes.size(); ++at) {
    const QString& code = codes[at];
    XmlNode result =
        XmlNode::Item({XmlNode::Val(QStringLiteral("Medication_Code"), code),
                       XmlNode::Val(QStringLiteral("Medication_Name"), demo::DemoDrugName(code))});
    if (!KnownCode(code)) {
      result.add(QStringLiteral("Medical_Result"), QStringLiteral("20"))
          .add(QStringLiteral("Medical_Result_Message"), QStringLiteral("医薬品マスタに存在しません"));
      results.add(result);
      continue;
    }
    XmlNode hits = XmlNode::Arr(QStringLiteral("Medical_Info"));
    for (const DemoInteraction& i : DemoInteractionsOf(code)) {
      const qsizetype partnerAt = codes.indexOf(i.codeB);
      if (partnerAt >= 0) hits.add(Hit(i.codeB, i.interactCode, QString(), true, partnerAt < at));
      if (given.contains(i.codeB)) hits.add(Hit(i.codeB, i.interactCode, Ymd(given[i.codeB]), false, true));
      if ((partnerAt >= 0 || given.contains(i.codeB)) && !symptomCodes.contains(i.interactCode))
        symptomCodes << i.interactCode;
    }
    result.add(hits);
    results.add(result);
  }

  XmlNode symptoms = XmlNode::Arr(QStringLiteral("Symptom_Information"));
  int listed = 0;
  for (const QString& code : symptomCodes) {
    const DemoSymptom s = DemoSymptomOf(code);
    if (s.content.isEmpty()) continue;  // the clinic's own master has no symptom entry
    if (++listed > kMostSymptoms) break;
    symptoms.add(XmlNode::Item({XmlNode::Val(QStringLiteral("Symptom_Code"), s.code),
                                XmlNode::Val(QStringLiteral("Symptom_Content"), s.content),
                                XmlNode::Val(QStringLiteral("Symptom_Detail"), s.detail)}));
  }
  XmlNode r = listed > kMostSymptoms ? ResultRecord(kRecord, now, QStringLiteral("K1"),
                                                    QStringLiteral("症状の件数が上限を超えました"), kReskey)
                                     : ResultRecord(kRecord, now, QStringLiteral("00"), kDone, kReskey);
  r.add(QStringLiteral("Perform_Month"), Ym(month)).add(PatientBrief(*p)).add(results).add(symptoms);
  return {r};
}
