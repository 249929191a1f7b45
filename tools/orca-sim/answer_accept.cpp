#include "answer_common.h"
#include "answers.h"

namespace {

XmlNode InsuranceBrief(const DemoPatient& p) {
  XmlNode n = XmlNode::Rec(QStringLiteral("HealthInsurance_Information"));
  n.add(QStringLiteral("Insurance_Combination_Number"), QStringLiteral("0001"))
      .add(QStringLiteral("Insurance_Nondisplay"), QStringLiteral("N"))
      .add(QStringLiteral("InsuranceProvider_Class"), p.insurerClass)
      .add(QStringLiteral("InsuranceProvider_Number"), p.insurerNumber)
      .add(QStringLiteral("InsuranceProvider_WholeName"), p.insurerName)
      .add(QStringLiteral("HealthInsuredPerson_Symbol"), p.cardSymbol)
      .add(QStringLiteral("HealthInsuredPerson_Number"), p.cardNumber)
      .add(QStringLiteral("HealthInsuredPerson_Branch_Number"), p.cardBranch)
      .add(QStringLiteral("Certificate_StartDate"), QStringLiteral("2020-04-01"))
      .add(QStringLiteral("Certificate_ExpiredDate"), QStringLiteral("9999-12-31"));
  return n;
}

}  // namespace

OrcaAnswer AnswerAcceptList(const DemoData& data, const QString& cls, const RequestBody& body,
                            const QDateTime& now) {
  const QString name = QStringLiteral("acceptlstres");
  const QString reskey = QStringLiteral("Patient Info");
  if (cls != QLatin1String("01") && cls != QLatin1String("02") && cls != QLatin1String("03")) {
    return {ResultRecord(name, now, QStringLiteral("91"), QStringLiteral("処理区分未設定"), reskey)};
  }
  if (!body.readable) {
    return {
        ResultRecord(name, now, QStringLiteral("97"), QStringLiteral("送信内容に誤りがあります"), reskey)};
  }
  const QString asked = body.value(QStringLiteral("Acceptance_Date"));
  const QDate date = asked.isEmpty() ? now.date() : ParseDay(asked);
  if (!date.isValid()) {
    return {ResultRecord(name, now, QStringLiteral("11"), QStringLiteral("受付日付が不正です"), reskey)};
  }
  const QString department = body.value(QStringLiteral("Department_Code"));
  XmlNode record = ResultRecord(name, now, QStringLiteral("00"), kDone, reskey);
  record.add(QStringLiteral("Acceptance_Date"), Ymd(date));
  if (!department.isEmpty() && !data.department(department)) {
    record.children[2].value = QStringLiteral("12");
    record.children[3].value = QStringLiteral("診療科が存在しません");
    record.add(XmlNode::Arr(QStringLiteral("Acceptlst_Information"),
                            {XmlNode::Item({XmlNode::Val(QStringLiteral("Department_Code"), department)})}));
    return {record};
  }
  XmlNode list = XmlNode::Arr(QStringLiteral("Acceptlst_Information"));
  int acceptanceId = 0;
  for (const Reception& r : data.receptions) {
    if (r.date != date) continue;
    ++acceptanceId;  // numbered per day in reception order, whatever the filter
    const bool billed = !r.accountTime.isEmpty();
    if (!department.isEmpty() && r.department != department) continue;
    if ((cls == QLatin1String("01") && billed) || (cls == QLatin1String("02") && !billed)) continue;
    const DemoPatient* p = data.patient(r.patientId);  // none for a patient not yet registered
    const Department* d = data.department(r.department);
    XmlNode item = XmlNode::Item();
    item.add(QStringLiteral("Acceptance_Time"), r.time)
        .add(QStringLiteral("Acceptance_Id"), QStringLiteral("%1").arg(acceptanceId, 5, 10, QLatin1Char('0')))
        .add(QStringLiteral("Department_Code"), d->code)
        .add(QStringLiteral("Department_WholeName"), d->name)
        .add(QStringLiteral("Physician_Code"), d->physicianCode)
        .add(QStringLiteral("Physician_WholeName"), d->physicianName)
        .add(QStringLiteral("Medical_Information"), QStringLiteral("01"))
        .add(QStringLiteral("Claim_Infometion"), billed ? QStringLiteral("1") : QStringLiteral("0"))
        .add(QStringLiteral("Account_Time"), r.accountTime);
    if (p) {
      item.add(PatientBrief(*p)).add(InsuranceBrief(*p));
    } else {
      item.add(XmlNode::Rec(QStringLiteral("Patient_Information"),
                            {XmlNode::Val(QStringLiteral("WholeName"), r.walkInName)}));
    }
    list.add(item);
  }
  if (list.children.isEmpty()) {
    record.children[2].value = QStringLiteral("21");
    record.children[3].value = QStringLiteral("対象の受付はありません");
    return {record};
  }
  record.add(list);
  return {record};
}

OrcaAnswer AnswerPatient(const DemoData& data, const QString& id, const QDateTime& now) {
  const QString name = QStringLiteral("patientinfores");
  const QString reskey = QStringLiteral("Patient Info");
  if (id.trimmed().isEmpty()) {
    return {
        ResultRecord(name, now, QStringLiteral("01"), QStringLiteral("患者番号の設定がありません"), reskey)};
  }
  const DemoPatient* p = data.patient(PatientNumber(id));
  if (!p) {
    return {ResultRecord(name, now, QStringLiteral("10"), QStringLiteral("該当する患者がいません"), reskey)};
  }
  QDate last;
  for (const OwnVisit& v : data.visits) {
    if (v.patientId == p->id) last = v.date;
  }
  XmlNode info = PatientBrief(*p);
  info.add(XmlNode::Rec(QStringLiteral("Home_Address_Information"),
                        {XmlNode::Val(QStringLiteral("Address_ZipCode"), p->zip),
                         XmlNode::Val(QStringLiteral("WholeAddress1"), p->address),
                         XmlNode::Val(QStringLiteral("PhoneNumber1"), p->phone)}))
      .add(QStringLiteral("TestPatient_Flag"), QStringLiteral("0"))
      .add(QStringLiteral("FirstVisit_Date"), QStringLiteral("2019-06-03"))
      .add(QStringLiteral("LastVisit_Date"), last.isValid() ? Ymd(last) : QString())
      .add(QStringLiteral("Outpatient_Class"), QStringLiteral("0"));
  XmlNode insurance = XmlNode::Item();
  insurance.add(QStringLiteral("Insurance_Combination_Number"), QStringLiteral("0001"))
      .add(QStringLiteral("InsuranceCombination_Rate_Outpatient"), QStringLiteral("0.30"))
      .add(QStringLiteral("Insurance_Nondisplay"), QStringLiteral("N"))
      .add(QStringLiteral("InsuranceProvider_Class"), p->insurerClass)
      .add(QStringLiteral("InsuranceProvider_Number"), p->insurerNumber)
      .add(QStringLiteral("InsuranceProvider_WholeName"), p->insurerName)
      .add(QStringLiteral("HealthInsuredPerson_Symbol"), p->cardSymbol)
      .add(QStringLiteral("HealthInsuredPerson_Number"), p->cardNumber)
      .add(QStringLiteral("HealthInsuredPerson_Branch_Number"), p->cardBranch)
      .add(QStringLiteral("RelationToInsuredPerson"), QStringLiteral("1"))
      .add(QStringLiteral("HealthInsuredPerson_WholeName"), p->name)
      .add(QStringLiteral("Certificate_StartDate"), QStringLiteral("2020-04-01"))
      .add(QStringLiteral("Certificate_ExpiredDate"), QStringLiteral("9999-12-31"));
  info.add(XmlNode::Arr(QStringLiteral("HealthInsurance_Information"), {insurance}));
  XmlNode record = ResultRecord(name, now, QStringLiteral("00"), kDone, reskey);
  record.add(info);
  return {record};
}
