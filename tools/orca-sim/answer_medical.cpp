#include <QMap>

#include "answer_common.h"
#include "answers.h"

namespace {

QString Number(double value) {
  QString text = QString::number(value, 'f', 3);
  while (text.endsWith(QLatin1Char('0'))) text.chop(1);
  if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  return text;
}

XmlNode VisitInsurance(const DemoPatient& p) {
  return XmlNode::Rec(QStringLiteral("HealthInsurance_Information"),
                      {XmlNode::Val(QStringLiteral("InsuranceProvider_Class"), p.insurerClass),
                       XmlNode::Val(QStringLiteral("InsuranceProvider_WholeName"), p.insurerName),
                       XmlNode::Val(QStringLiteral("InsuranceProvider_Number"), p.insurerNumber),
                       XmlNode::Val(QStringLiteral("HealthInsuredPerson_Symbol"), p.cardSymbol),
                       XmlNode::Val(QStringLiteral("HealthInsuredPerson_Number"), p.cardNumber),
                       XmlNode::Val(QStringLiteral("HealthInsuredPerson_Branch_Number"), p.cardBranch)});
}

struct MedicalQuery {
  const DemoPatient* patient = nullptr;
  QDate date;  // for classes 01 and 03 only its month counts
  bool dateDefaulted = false;
  QString department;
};

QList<const OwnVisit*> VisitsIn(const DemoData& data, const MedicalQuery& q, const QDate& from,
                                const QDate& to) {
  QList<const OwnVisit*> visits;
  for (const OwnVisit& v : data.visits) {
    if (v.patientId != q.patient->id || v.date < from || v.date > to) continue;
    if (!q.department.isEmpty() && v.department != q.department) continue;
    visits << &v;
  }
  return visits;
}

QDate MonthEnd(const QDate& d) {
  return QDate(d.year(), d.month(), d.daysInMonth());
}
QDate MonthStart(const QDate& d) {
  return QDate(d.year(), d.month(), 1);
}

// Class 01: the visits of the month of Perform_Date, or of For_Months months back from it.
XmlNode VisitList(const DemoData& data, const MedicalQuery& q, const RequestBody& body, XmlNode record) {
  const QString forMonths = body.value(QStringLiteral("For_Months"));
  bool ok = true;
  const int months = forMonths.isEmpty() ? 0 : forMonths.toInt(&ok);
  if (!ok || months < 0 || (months > 12 && months != 99)) {
    record.children[2].value = QStringLiteral("16");
    record.children[3].value = QStringLiteral("対象月数が不正です");
    return record;
  }
  QDate from = MonthStart(q.date);
  if (months == 99) from = QDate(1900, 1, 1);
  if (months > 0 && months <= 12) from = from.addMonths(-(months - 1));
  QList<const OwnVisit*> visits = VisitsIn(data, q, from, MonthEnd(q.date));
  if (months > 0) std::reverse(visits.begin(), visits.end());  // newest first when several months are asked
  XmlNode list = XmlNode::Arr(QStringLiteral("Medical_List_Information"));
  for (const OwnVisit* v : visits) {
    list.add(
        XmlNode::Item({XmlNode::Val(QStringLiteral("Perform_Date"), Ymd(v->date)),
                       XmlNode::Val(QStringLiteral("Department_Code"), v->department),
                       XmlNode::Val(QStringLiteral("Department_Name"), data.department(v->department)->name),
                       XmlNode::Val(QStringLiteral("Sequential_Number"), QString::number(v->sequential)),
                       XmlNode::Val(QStringLiteral("Insurance_Combination_Number"), QStringLiteral("0001")),
                       VisitInsurance(*q.patient), XmlNode::Val(QStringLiteral("Invoice_Number"), v->invoice),
                       XmlNode::Val(QStringLiteral("CreateDate"), Ymd(v->date)),
                       XmlNode::Val(QStringLiteral("UpdateDate"), Ymd(v->date)),
                       XmlNode::Val(QStringLiteral("UpdateTime"), QStringLiteral("12:00:00"))}));
  }
  if (list.children.isEmpty()) {
    record.children[2].value = QStringLiteral("15");
    record.children[3].value = QStringLiteral("該当する診療データがありません");
    return record;
  }
  record.add(list);
  return record;
}

// Class 02: the orders of one visit, found by day, department and sequential number (or by invoice
// number). A sequential number missing or not a number means the day's first visit, so the others are
// found only when asked for by their own.
XmlNode VisitOrders(const DemoData& data, const MedicalQuery& q, const RequestBody& body, XmlNode record) {
  const QString invoice = body.value(QStringLiteral("Medical_Information/Invoice_Number"));
  if (q.department.isEmpty() && invoice.isEmpty()) {
    record.children[2].value = QStringLiteral("02");
    record.children[3].value = QStringLiteral("診療科の設定がありません");
    return record;
  }
  bool numeric = false;
  int sequential = body.value(QStringLiteral("Medical_Information/Sequential_Number")).toInt(&numeric);
  if (!numeric) sequential = 1;
  const OwnVisit* visit = nullptr;
  for (const OwnVisit* v : VisitsIn(data, q, q.date, q.date)) {
    if (invoice.isEmpty() ? v->sequential == sequential : v->invoice == invoice) {
      visit = v;
      break;
    }
  }
  if (!visit) {
    record.children[2].value = QStringLiteral("15");
    record.children[3].value = QStringLiteral("該当する診療データがありません");
    return record;
  }
  XmlNode groups = XmlNode::Arr(QStringLiteral("Medical_Information"));
  for (const OwnOrder& o : visit->orders) {
    XmlNode lines = XmlNode::Arr(QStringLiteral("Medication_info"));
    for (const OwnItem& it : o.items) {
      lines.add(XmlNode::Item({XmlNode::Val(QStringLiteral("Medication_Code"), it.code),
                               XmlNode::Val(QStringLiteral("Medication_Name"), it.name),
                               XmlNode::Val(QStringLiteral("Medication_Number"), it.quantity),
                               XmlNode::Val(QStringLiteral("Unit_Code"), it.unitCode),
                               XmlNode::Val(QStringLiteral("Unit_Code_Name"), it.unitName)}));
    }
    groups.add(XmlNode::Item({XmlNode::Val(QStringLiteral("Medical_Class"), o.medicalClass),
                              XmlNode::Val(QStringLiteral("Medical_Class_Name"), o.className),
                              XmlNode::Val(QStringLiteral("Medical_Class_Number"), QString::number(o.number)),
                              lines}));
  }
  record.add(QStringLiteral("Perform_Date"), Ymd(visit->date))
      .add(QStringLiteral("Department_Code"), visit->department)
      .add(QStringLiteral("Department_Name"), data.department(visit->department)->name)
      .add(QStringLiteral("Sequential_Number"), QString::number(visit->sequential))
      .add(XmlNode::Arr(
          QStringLiteral("Medical_List_Information"),
          {XmlNode::Item(
              {XmlNode::Val(QStringLiteral("Insurance_Combination_Number"), QStringLiteral("0001")),
               VisitInsurance(*q.patient), XmlNode::Val(QStringLiteral("Invoice_Number"), visit->invoice),
               groups})}));
  return record;
}

// Class 03: every act and drug of the month with its day calendar.
XmlNode MonthCalendar(const DemoData& data, const MedicalQuery& q, XmlNode record) {
  struct Line {
    QString cls, className, code, name, unitCode, unitName;
    QString calendar = QString(31, QLatin1Char('0'));
    QMap<int, double> perDay;
  };
  QList<Line> lines;
  for (const OwnVisit* v : VisitsIn(data, q, MonthStart(q.date), MonthEnd(q.date))) {
    for (const OwnOrder& o : v->orders) {
      for (const OwnItem& it : o.items) {
        const QString cls = o.medicalClass.left(2);
        auto found = std::find_if(lines.begin(), lines.end(),
                                  [&](const Line& l) { return l.cls == cls && l.code == it.code; });
        if (found == lines.end()) {
          lines.append(Line{cls, o.className, it.code, it.name, it.unitCode, it.unitName, {}, {}});
          lines.last().calendar = QString(31, QLatin1Char('0'));
          found = lines.end() - 1;
        }
        found->calendar[v->date.day() - 1] = QLatin1Char('1');
        found->perDay[v->date.day()] += it.quantity.toDouble() * o.number;
      }
    }
  }
  if (lines.isEmpty()) {
    record.children[2].value = QStringLiteral("15");
    record.children[3].value = QStringLiteral("該当する診療データがありません");
    return record;
  }
  XmlNode list = XmlNode::Arr(QStringLiteral("Medical_List_Information"));
  for (const Line& l : lines) {
    XmlNode days = XmlNode::Arr(QStringLiteral("Perform_Day_Information"));
    const bool material = l.code.startsWith(QLatin1Char('6')) || l.code.startsWith(QLatin1Char('7'));
    for (auto it = l.perDay.begin(); material && it != l.perDay.end(); ++it) {
      days.add(XmlNode::Item({XmlNode::Val(QStringLiteral("Perform_Day"),
                                           QStringLiteral("%1").arg(it.key(), 2, 10, QLatin1Char('0'))),
                              XmlNode::Val(QStringLiteral("Perform_Day_Number"), Number(it.value()))}));
    }
    list.add(XmlNode::Item(
        {XmlNode::Val(QStringLiteral("Medical_Class"), l.cls),
         XmlNode::Val(QStringLiteral("Medical_Class_Name"), l.className),
         XmlNode::Val(QStringLiteral("Medication_Code"), l.code),
         XmlNode::Val(QStringLiteral("Medication_Name"), l.name),
         XmlNode::Val(QStringLiteral("Unit_Code"), l.unitCode),
         XmlNode::Val(QStringLiteral("Unit_Code_Name"), l.unitName),
         XmlNode::Val(QStringLiteral("Perform_Total_Number"),
                      QStringLiteral("%1").arg(l.calendar.count(QLatin1Char('1')), 2, 10, QLatin1Char('0'))),
         XmlNode::Val(QStringLiteral("Perform_Calendar"), l.calendar), days}));
  }
  record.add(QStringLiteral("Perform_Date"), Ym(q.date)).add(list);
  return record;
}

}  // namespace

OrcaAnswer AnswerMedical(const DemoData& data, const QString& cls, const RequestBody& body,
                         const QDateTime& now) {
  const QString reskey = QStringLiteral("Medical Info");
  if (cls != QLatin1String("01") && cls != QLatin1String("02") && cls != QLatin1String("03")) {
    return {ResultRecord(QStringLiteral("medicalget01res"), now, QStringLiteral("91"),
                         QStringLiteral("処理区分未設定"), reskey)};
  }
  const QString name = QStringLiteral("medicalget%1res").arg(cls);
  auto fail = [&](const char* code, const char* message) {
    return OrcaAnswer{ResultRecord(name, now, QLatin1String(code), QString::fromUtf8(message), reskey)};
  };
  if (!body.readable) return fail("97", "送信内容に誤りがあります");
  MedicalQuery q;
  const QString id = body.value(QStringLiteral("Patient_ID"));
  if (id.isEmpty()) return fail("01", "患者番号の設定がありません");
  q.patient = data.patient(PatientNumber(id));
  if (!q.patient) return fail("10", "該当する患者がいません");
  const QString asked = body.value(QStringLiteral("Perform_Date"));
  q.dateDefaulted = asked.isEmpty();
  q.date = q.dateDefaulted ? now.date() : ParseDay(asked);
  if (!q.date.isValid() && cls != QLatin1String("02"))
    q.date = ParseMonth(asked);  // the month alone serves 01 and 03
  if (!q.date.isValid()) return fail("11", "診療日付が不正です");
  q.department = body.value(QStringLiteral("Medical_Information/Department_Code"));
  if (!q.department.isEmpty() && !data.department(q.department)) return fail("13", "診療科が存在しません");

  XmlNode record = q.dateDefaulted ? ResultRecord(name, now, QStringLiteral("K1"),
                                                  QStringLiteral("診療日を設定しました"), reskey)
                                   : ResultRecord(name, now, QStringLiteral("00"), kDone, reskey);
  record.add(PatientBrief(*q.patient));
  if (cls == QLatin1String("01")) return {VisitList(data, q, body, record)};
  if (cls == QLatin1String("02")) return {VisitOrders(data, q, body, record)};
  return {MonthCalendar(data, q, record)};
}
