#include <QSet>

#include "answer_common.h"
#include "answers.h"

namespace {

// An error answer. ORCA fills in the patient during its input checks, so every answer after the
// patient lookup and the check for a missing month names the patient.
OrcaAnswer Refused(const QString& record, const QDateTime& now, const char* code, const char* message,
                   const DemoPatient* p = nullptr) {
  XmlNode r = ResultRecord(record, now, QLatin1String(code), QString::fromUtf8(message));
  if (p) r.add(PatientBrief(*p));
  return {r};
}

// The checks all three online calls make before searching, in ORCA's order. `months`: the call reads
// MeTrMonth (required by Request_Number 02). Returns the patient, or nothing with `error` filled in.
const DemoPatient* CheckOnlineRequest(const DemoData& data, const RequestBody& body, const QString& record,
                                      bool months, const QDateTime& now, OrcaAnswer* error) {
  if (!body.readable) {
    *error = Refused(record, now, "E98", "リクエストが読み込めません");
    return nullptr;
  }
  const QString number = body.value(QStringLiteral("Request_Number"));
  if (number != QLatin1String("01") && number != QLatin1String("02")) {
    *error = Refused(record, now, "E91", "リクエスト番号が不正です");
    return nullptr;
  }
  const QString id = body.value(QStringLiteral("Patient_ID"));
  if (id.isEmpty()) {
    *error = Refused(record, now, "E01", "患者番号の設定がありません");
    return nullptr;
  }
  const DemoPatient* p = data.patient(PatientNumber(id));
  if (!p) {
    *error = Refused(record, now, "E10", "患者番号に該当する患者が存在しません");
    return nullptr;
  }
  const QString month = body.value(QStringLiteral("MeTrMonth"));
  if (months && number == QLatin1String("02") && month.isEmpty()) {
    *error = Refused(record, now, "E02", "診療年月の設定がありません");
    return nullptr;
  }
  if (months && !month.isEmpty() && !ParseMonth(month).isValid()) {
    *error = Refused(record, now, "E11", "診療年月が不正です", p);
    return nullptr;
  }
  const QString inOut = body.value(QStringLiteral("InOut"));
  if (!inOut.isEmpty() && inOut != QLatin1String("1") && inOut != QLatin1String("2") &&
      inOut != QLatin1String("4")) {
    *error = Refused(record, now, "E12", "入外区分が不正です", p);
    return nullptr;
  }
  return p;
}

OrcaAnswer NoData(const QString& record, const QDateTime& now, const DemoPatient& p) {
  return Refused(record, now, "E50", "該当データがありません", &p);
}

XmlNode InstitutionItem(const Institution& at, const Institution& by, const QString& inOut) {
  return XmlNode::Item(
      {XmlNode::Val(QStringLiteral("MeTrDiHCd"), at.code), XmlNode::Val(QStringLiteral("MeTrDiHNm"), at.name),
       XmlNode::Val(QStringLiteral("PrlsHCd"), by.code), XmlNode::Val(QStringLiteral("PrlsHNm"), by.name),
       XmlNode::Val(QStringLiteral("InOut"), inOut)});
}

// Months a month list holds at most. ORCA stops as soon as it has started the sixth month, so that month
// keeps only its first institution.
constexpr int kListMonths = 6;

// Month list of onlinedruggetv2 and onlinemedgetv2 (Request_Number 01): the months up to the start month
// that have data, newest first, however far back; per month the institutions, once each, in the order of
// their first day. The start month is the one asked, or the previous month when none is (so an empty
// request never sees this month). The top-level MeTrMonth repeats the request's month, not a found one,
// and is written before the search, so "no data" has it too.
template <typename Entry, typename Pick>
OrcaAnswer MonthList(const RequestBody& body, const QString& record, const QDateTime& now,
                     const DemoPatient& p, const QList<Entry>& entries, Pick pick) {
  const QString asked = body.value(QStringLiteral("MeTrMonth"));
  const QDate today = now.date();
  const QDate start =
      asked.isEmpty() ? QDate(today.year(), today.month(), 1).addMonths(-1) : ParseMonth(asked);
  const QDate end = start.addMonths(1);
  const QString inOut = body.value(QStringLiteral("InOut"));
  QList<QString> months;  // newest first
  for (qsizetype i = entries.size() - 1; i >= 0 && months.size() < kListMonths; --i) {
    const Entry& e = entries[i];
    if (e.patientId != p.id || e.date >= end || (!inOut.isEmpty() && e.inOut != inOut)) continue;
    if (!months.contains(Ym(e.date))) months << Ym(e.date);
  }
  XmlNode list = XmlNode::Arr(QStringLiteral("MeTrMonth_Information"));
  for (const QString& month : months) {
    XmlNode institutions = XmlNode::Arr(QStringLiteral("MeTrD_Inf"));
    QSet<QString> seen;
    for (const Entry& e : entries) {
      if (e.patientId != p.id || Ym(e.date) != month) continue;
      if (!inOut.isEmpty() && e.inOut != inOut) continue;
      const XmlNode item = pick(e);
      QString key;
      for (const XmlNode& value : item.children) key += value.value + QLatin1Char('|');
      if (seen.contains(key)) continue;
      seen.insert(key);
      institutions.add(item);
      if (list.children.size() == kListMonths - 1) break;
    }
    list.add(XmlNode::Item({XmlNode::Val(QStringLiteral("MeTrMonth"), month), institutions}));
  }
  if (list.children.isEmpty()) {
    XmlNode r = NoData(record, now, p).root;
    r.add(QStringLiteral("MeTrMonth"), asked);
    return {r};
  }
  XmlNode r = ResultRecord(record, now, QStringLiteral("000"), kDone);
  r.add(PatientBrief(p)).add(QStringLiteral("MeTrMonth"), asked).add(list);
  return {r};
}

XmlNode DrugLine(const OnlineDrug& d) {
  return XmlNode::Item(
      {XmlNode::Val(QStringLiteral("MeTrIdCl"), d.idClass), XmlNode::Val(QStringLiteral("UsageN"), d.usage),
       XmlNode::Val(QStringLiteral("DrugC"), d.code), XmlNode::Val(QStringLiteral("DrugN"), d.name),
       XmlNode::Val(QStringLiteral("IngreN"), d.ingredient), XmlNode::Val(QStringLiteral("Unit"), d.unit),
       XmlNode::Val(QStringLiteral("Qua1"), d.quantity), XmlNode::Val(QStringLiteral("OnDose"), d.dose),
       XmlNode::Val(QStringLiteral("Times"), d.times)});
}

OrcaAnswer DrugMonth(const DemoData& data, const RequestBody& body, const QDateTime& now,
                     const DemoPatient& p) {
  const QString record = QStringLiteral("onlinedruggetres");
  const QString asked = body.value(QStringLiteral("MeTrMonth"));
  const QString inOut = body.value(QStringLiteral("InOut"));
  const QString at = body.value(QStringLiteral("MeTrDiHCd"));
  const QString by = body.value(QStringLiteral("PrlsHCd"));
  XmlNode byInOut = XmlNode::Arr(QStringLiteral("MeTrMonthInf"));
  for (const QString& kind : {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4")}) {
    XmlNode days = XmlNode::Arr(QStringLiteral("DiDateInf"));
    for (const DrugEvent& e : data.drugEvents) {
      if (e.patientId != p.id || Ym(e.date) != asked || e.inOut != kind) continue;
      if ((!inOut.isEmpty() && inOut != kind) || (!at.isEmpty() && e.dispenser.code != at) ||
          (!by.isEmpty() && e.prescriber.code != by)) {
        continue;
      }
      XmlNode lines = XmlNode::Arr(QStringLiteral("DrugInf"));
      for (const OnlineDrug& d : e.drugs) lines.add(DrugLine(d));
      days.add(XmlNode::Item(
          {XmlNode::Val(QStringLiteral("DiDay"), Day2(e.date)),
           XmlNode::Val(QStringLiteral("PrDate"), e.prescribed.isValid() ? Ymd(e.prescribed) : QString()),
           XmlNode::Val(QStringLiteral("MeTrDiHCd"), e.dispenser.code),
           XmlNode::Val(QStringLiteral("MeTrDiHNm"), e.dispenser.name),
           XmlNode::Val(QStringLiteral("PrlsHCd"), e.prescriber.code),
           XmlNode::Val(QStringLiteral("PrlsHNm"), e.prescriber.name),
           XmlNode::Rec(QStringLiteral("DrugInfs"), {lines})}));
    }
    if (days.children.isEmpty()) continue;
    byInOut.add(XmlNode::Item(
        {XmlNode::Val(QStringLiteral("InOut"), kind), XmlNode::Rec(QStringLiteral("DiDateInfs"), {days})}));
  }
  if (byInOut.children.isEmpty()) {
    // "Nothing found" echoes the month and the filters asked for into the first list item.
    XmlNode r = NoData(record, now, p).root;
    r.add(QStringLiteral("MeTrMonth"), asked);
    const XmlNode echo = XmlNode::Item(
        {XmlNode::Val(QStringLiteral("InOut"), inOut),
         XmlNode::Rec(QStringLiteral("DiDateInfs"),
                      {XmlNode::Arr(QStringLiteral("DiDateInf"),
                                    {XmlNode::Item({XmlNode::Val(QStringLiteral("MeTrDiHCd"), at),
                                                    XmlNode::Val(QStringLiteral("PrlsHCd"), by)})})})});
    r.add(XmlNode::Arr(QStringLiteral("MeTrMonthInf"), {echo}));
    return {r};
  }
  XmlNode r = ResultRecord(record, now, QStringLiteral("000"), kDone);
  r.add(PatientBrief(p)).add(QStringLiteral("MeTrMonth"), asked).add(QualificationRecord(p)).add(byInOut);
  return {r};
}

// onlinemedgetv2 Request_Number 02: one document item per treatment day of the institution asked for.
OrcaAnswer TreatmentDays(const DemoData& data, const RequestBody& body, const QDateTime& now,
                         const DemoPatient& p) {
  const QString record = QStringLiteral("onlinemedgetres");
  const QString asked = body.value(QStringLiteral("MeTrMonth"));
  const QString at = body.value(QStringLiteral("MeTrDiHCd"));
  if (at.isEmpty()) return Refused(record, now, "E14", "医療機関コードの設定がありません", &p);
  const QString rootName = at.mid(2, 1) == QLatin1String("3") ? QStringLiteral("xml_onlinemedgetv2res3")
                                                              : QStringLiteral("xml_onlinemedgetv2res2");
  const QString inOut = body.value(QStringLiteral("InOut"));
  const QString by = body.value(QStringLiteral("PrlsHCd"));
  XmlNode root = XmlNode::Arr(rootName);
  for (const TreatmentDay& t : data.treatments) {
    if (t.patientId != p.id || Ym(t.date) != asked || t.institution.code != at) continue;
    if ((!inOut.isEmpty() && t.inOut != inOut) || !by.isEmpty()) continue;
    XmlNode acts = XmlNode::Arr(QStringLiteral("MeTrInf"));
    for (const TreatmentAct& a : t.acts) {
      acts.add(XmlNode::Item(
          {XmlNode::Val(QStringLiteral("MeTrIdCl"), a.idClass),
           XmlNode::Val(QStringLiteral("SinInfCd"), a.code), XmlNode::Val(QStringLiteral("SinInfN"), a.name),
           XmlNode::Val(QStringLiteral("Unit"), a.unit), XmlNode::Val(QStringLiteral("Qua1"), a.quantity),
           XmlNode::Val(QStringLiteral("Times"), a.times)}));
    }
    XmlNode day =
        XmlNode::Rec(QStringLiteral("DiDateInf"), {XmlNode::Val(QStringLiteral("DiDate"), Ymd(t.date)),
                                                   XmlNode::Rec(QStringLiteral("MeTrInfs"), {acts})});
    XmlNode month = XmlNode::Rec(QStringLiteral("MeTrMonthInf"),
                                 {XmlNode::Val(QStringLiteral("InOut"), t.inOut),
                                  XmlNode::Val(QStringLiteral("MeTrDiHCd"), t.institution.code),
                                  XmlNode::Val(QStringLiteral("MeTrDiHNm"), t.institution.name),
                                  XmlNode::Rec(QStringLiteral("DiDateInfs"), {day})});
    XmlNode doc = ResultRecord(QStringLiteral("data"), now, QStringLiteral("000"), kDone);
    doc.add(PatientBrief(p)).add(QualificationRecord(p)).add(month);
    root.add(XmlNode::Item({doc}));
  }
  if (root.children.isEmpty()) {
    root.add(XmlNode::Item({NoData(QStringLiteral("data"), now, p).root}));
  }
  return {root, false, false};
}

}  // namespace

OrcaAnswer AnswerOnlineDrug(const DemoData& data, const RequestBody& body, const QDateTime& now) {
  const QString record = QStringLiteral("onlinedruggetres");
  OrcaAnswer error;
  const DemoPatient* p = CheckOnlineRequest(data, body, record, true, now, &error);
  if (!p) return error;
  if (body.value(QStringLiteral("Request_Number")) == QLatin1String("02"))
    return DrugMonth(data, body, now, *p);
  return MonthList(body, record, now, *p, data.drugEvents, [](const DrugEvent& e) {
    XmlNode item = InstitutionItem(e.dispenser, e.prescriber, QString());
    item.children.removeLast();  // the drug list names no InOut per institution
    return item;
  });
}

OrcaAnswer AnswerOnlineMed(const DemoData& data, const RequestBody& body, const QDateTime& now) {
  const QString record = QStringLiteral("onlinemedgetres");
  OrcaAnswer error;
  const DemoPatient* p = CheckOnlineRequest(data, body, record, true, now, &error);
  if (!p) return error;
  if (body.value(QStringLiteral("Request_Number")) == QLatin1String("02"))
    return TreatmentDays(data, body, now, *p);
  return MonthList(body, record, now, *p, data.treatments, [](const TreatmentDay& t) {
    return InstitutionItem(t.institution, Institution{}, t.inOut);
  });
}

OrcaAnswer AnswerOnlineSpec(const DemoData& data, const RequestBody& body, const QDateTime& now) {
  const QString record = QStringLiteral("onlinespecgetres");
  OrcaAnswer error;
  const DemoPatient* p = CheckOnlineRequest(data, body, record, false, now, &error);
  if (!p) return error;
  const QString asked = body.value(QStringLiteral("EffectiveTime"));
  if (!asked.isEmpty() && !ParseDay(asked).isValid()) {
    return Refused(record, now, "E11", "実施日が不正です", p);
  }
  const bool results = body.value(QStringLiteral("Request_Number")) == QLatin1String("02");
  XmlNode list = results ? XmlNode::Arr(QStringLiteral("SpecificHealthCheckupInfo"))
                         : XmlNode::Arr(QStringLiteral("EffectiveTime_Information"));
  for (qsizetype i = data.checkups.size() - 1; i >= 0; --i) {  // newest first
    const Checkup& c = data.checkups[i];
    if (c.patientId != p->id) continue;
    if (!results) {
      list.add(XmlNode::Item({XmlNode::Val(QStringLiteral("EffectiveTime"), Ymd(c.date))}));
      continue;
    }
    if (!asked.isEmpty() && Ymd(c.date) != asked) continue;
    XmlNode items = XmlNode::Arr(QStringLiteral("HealthCheckupResultAndQuestionInfo"));
    for (const CheckupItem& it : c.items) {
      items.add(XmlNode::Item({XmlNode::Val(QStringLiteral("ItemCode"), it.code),
                               XmlNode::Val(QStringLiteral("ItemName"), it.name),
                               XmlNode::Val(QStringLiteral("DataType"), it.dataType),
                               XmlNode::Val(QStringLiteral("DataValue"), it.value),
                               XmlNode::Val(QStringLiteral("Unit"), it.unit)}));
    }
    list.add(XmlNode::Item({XmlNode::Val(QStringLiteral("EffectiveTime"), Ymd(c.date)),
                            XmlNode::Rec(QStringLiteral("HealthCheckupResultAndQuestionInfos"), {items})}));
  }
  if (list.children.isEmpty()) return NoData(record, now, *p);
  XmlNode r = ResultRecord(record, now, QStringLiteral("000"), kDone);
  r.add(PatientBrief(*p)).add(QStringLiteral("Req_EffectiveTime"), asked);
  if (results) r.add(QualificationRecord(*p));
  r.add(list);
  return {r};
}
