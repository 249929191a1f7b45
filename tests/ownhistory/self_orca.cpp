#include "self_orca.h"

#include <QXmlStreamReader>

#include "core/ini_file.h"

SelfOrca::SelfOrca()
    : server_(std::make_unique<HttpServer>([this](const HttpRequest& r) { return respond(r); })) {
  server_->listen();
}

void SelfOrca::configure() const {
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("URL"),
                QStringLiteral("http://127.0.0.1:%1/api/").arg(server_->port()));
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("APIUSER"), QStringLiteral("ormaster"));
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("APIKEY"), QStringLiteral("secret"));
}

void SelfOrca::answer(const QString& question, const HttpAction& action) {
  QMutexLocker lock(&mutex_);
  answers_.insert(question, action);
}

QString QuestionText(const MedicalGetQuestion& q) {
  QString text = q.medicalClass + QLatin1Char(' ') + q.performDate;
  if (!q.departmentCode.isEmpty()) text += QLatin1Char(' ') + q.departmentCode;
  if (!q.sequentialNumber.isEmpty()) text += QLatin1Char(' ') + q.sequentialNumber;
  return text;
}

MedicalGetQuestion ReadQuestion(const HttpRequest& request) {
  MedicalGetQuestion q;
  const QByteArray query = request.query();
  if (query.startsWith("class=")) q.medicalClass = QString::fromLatin1(query.mid(6));
  QXmlStreamReader xml(request.body);
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const QStringView name = xml.name();
    if (name == u"Patient_ID")
      q.patientId = xml.readElementText();
    else if (name == u"Perform_Date")
      q.performDate = xml.readElementText();
    else if (name == u"Department_Code")
      q.departmentCode = xml.readElementText();
    else if (name == u"Sequential_Number")
      q.sequentialNumber = xml.readElementText();
  }
  return q;
}

HttpAction SelfOrca::respond(const HttpRequest& request) {
  const QString question = QuestionText(ReadQuestion(request));
  QMutexLocker lock(&mutex_);
  const auto found = answers_.constFind(question);
  return found != answers_.cend() ? *found : HttpAction::Status(404);
}

QStringList SelfOrca::asked() const {
  QStringList result;
  for (const HttpRequest& r : server_->requests()) {
    result << QuestionText(ReadQuestion(r));
  }
  return result;
}

namespace {

QString Element(int depth, const char* name, const QString& value) {
  return QString(depth * 2, u' ') +
         QStringLiteral("<%1 type=\"string\">%2</%1>").arg(QLatin1String(name), value);
}

QString Open(int depth, const QString& name, const char* type) {
  return QString(depth * 2, u' ') + QStringLiteral("<%1 type=\"%2\">").arg(name, QLatin1String(type));
}

QString Close(int depth, const QString& name) {
  return QString(depth * 2, u' ') + QStringLiteral("</%1>").arg(name);
}

}  // namespace

QByteArray OrcaAnswer(const QString& record, const QStringList& bodyLines) {
  QStringList lines{QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"),
                    QStringLiteral("<xmlio2>"),
                    Open(1, record, "record"),
                    Element(2, "Information_Date", QStringLiteral("2024-05-20")),
                    Element(2, "Api_Result", QStringLiteral("00")),
                    Element(2, "Api_Result_Message", QStringLiteral("処理終了")),
                    Element(2, "Reskey", QStringLiteral("Medical Info"))};
  lines << bodyLines << Close(1, record) << QStringLiteral("</xmlio2>") << QString();
  return lines.join(u'\n').toUtf8();
}

QByteArray MonthOverviewAnswer(const QString& month, const QList<OverviewAct>& acts) {
  QStringList body{Element(2, "Perform_Date", month),
                   Open(2, QStringLiteral("Medical_List_Information"), "array")};
  for (const OverviewAct& act : acts) {
    body << Open(3, QStringLiteral("Medical_List_Information_child"), "record")
         << Element(4, "Medical_Class",
                    act.code.startsWith(u'6') ? QStringLiteral("21") : QStringLiteral("12"))
         << Element(4, "Medication_Code", act.code) << Element(4, "Perform_Calendar", act.calendar)
         << Close(3, QStringLiteral("Medical_List_Information_child"));
  }
  body << Close(2, QStringLiteral("Medical_List_Information"));
  return OrcaAnswer(QStringLiteral("medicalget03res"), body);
}

QByteArray DayVisitsAnswer(const QList<Visit>& visits) {
  QStringList body{Open(2, QStringLiteral("Patient_Information"), "record"),
                   Element(3, "Patient_ID", QStringLiteral("00123")),
                   Close(2, QStringLiteral("Patient_Information")),
                   Open(2, QStringLiteral("Medical_List_Information"), "array")};
  for (const Visit& v : visits) {
    body << Open(3, QStringLiteral("Medical_List_Information_child"), "record")
         << Element(4, "Perform_Date", v.date) << Element(4, "Department_Code", v.department)
         << Element(4, "Department_Name", QStringLiteral("内科"));
    if (!v.sequentialNumber.isEmpty()) body << Element(4, "Sequential_Number", v.sequentialNumber);
    body << Close(3, QStringLiteral("Medical_List_Information_child"));
  }
  body << Close(2, QStringLiteral("Medical_List_Information"));
  return OrcaAnswer(QStringLiteral("medicalget01res"), body);
}

QByteArray DayActsAnswer(const QString& day, const QString& department, const QList<OrderGroup>& groups) {
  const QString list = QStringLiteral("Medical_List_Information");
  const QString info = QStringLiteral("Medical_Information");
  const QString meds = QStringLiteral("Medication_info");
  QStringList body{Element(2, "Perform_Date", day), Element(2, "Department_Code", department),
                   Open(2, list, "array"), Open(3, list + QStringLiteral("_child"), "record"),
                   Open(4, info, "array")};
  for (const OrderGroup& g : groups) {
    body << Open(5, info + QStringLiteral("_child"), "record") << Element(6, "Medical_Class", g.medicalClass);
    if (!g.count.isEmpty()) body << Element(6, "Medical_Class_Number", g.count);
    body << Open(6, meds, "array");
    for (const OrderedDrug& d : g.drugs) {
      // ORCA leaves out elements whose value is empty.
      body << Open(7, meds + QStringLiteral("_child"), "record") << Element(8, "Medication_Code", d.code);
      if (!d.name.isEmpty()) body << Element(8, "Medication_Name", d.name);
      if (!d.quantity.isEmpty()) body << Element(8, "Medication_Number", d.quantity);
      if (!d.unit.isEmpty()) body << Element(8, "Unit_Code_Name", d.unit);
      body << Close(7, meds + QStringLiteral("_child"));
    }
    body << Close(6, meds) << Close(5, info + QStringLiteral("_child"));
  }
  body << Close(4, info) << Close(3, list + QStringLiteral("_child")) << Close(2, list);
  return OrcaAnswer(QStringLiteral("medicalget02res"), body);
}

QString CalendarOf(std::initializer_list<int> days) {
  QString flags(31, u'0');
  for (const int d : days) flags[d - 1] = u'1';
  return flags;
}
