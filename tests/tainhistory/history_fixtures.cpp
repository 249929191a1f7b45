#include "history_fixtures.h"

namespace {
QString Indent(int depth) {
  return QString(depth * 2, QLatin1Char(' '));
}
QString Open(int depth, const QString& name, const char* type) {
  return Indent(depth) + QStringLiteral("<%1 type=\"%2\">").arg(name, QLatin1String(type));
}
QString Close(int depth, const QString& name) {
  return Indent(depth) + QStringLiteral("</%1>").arg(name);
}
}  // namespace

QString ValueLine(int depth, const QString& name, const QString& value) {
  if (value.isEmpty()) return QString();
  return Indent(depth) + QStringLiteral("<%1 type=\"string\">%2</%1>").arg(name, value);
}

QByteArray XmlIo2(const QString& recordName, const QStringList& innerLines) {
  QStringList lines = {QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"),
                       QStringLiteral("<xmlio2>"), Open(1, recordName, "record")};
  lines << ValueLine(2, QStringLiteral("Api_Result"), QStringLiteral("000"));
  for (const QString& line : innerLines) {
    if (!line.isEmpty()) lines << line;
  }
  lines << Close(1, recordName) << QStringLiteral("</xmlio2>");
  return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

QByteArray DrugSummaryAnswer(const QString& birthDate, const QList<SummaryMonth>& months) {
  QStringList l;
  l << Open(2, QStringLiteral("Patient_Information"), "record")
    << ValueLine(3, QStringLiteral("BirthDate"), birthDate)
    << Close(2, QStringLiteral("Patient_Information"));
  l << Open(2, QStringLiteral("MeTrMonth_Information"), "array");
  for (const SummaryMonth& m : months) {
    l << Open(3, QStringLiteral("MeTrMonth_Information_child"), "record")
      << ValueLine(4, QStringLiteral("MeTrMonth"), m.month) << Open(4, QStringLiteral("MeTrD_Inf"), "array");
    for (const SummaryInstitution& i : m.institutions) {
      l << Open(5, QStringLiteral("MeTrD_Inf_child"), "record")
        << ValueLine(6, QStringLiteral("MeTrDiHCd"), i.dispensingCd)
        << ValueLine(6, QStringLiteral("MeTrDiHNm"), i.dispensingNm)
        << ValueLine(6, QStringLiteral("PrlsHCd"), i.prescriberCd)
        << ValueLine(6, QStringLiteral("PrlsHNm"), i.prescriberNm)
        << Close(5, QStringLiteral("MeTrD_Inf_child"));
    }
    l << Close(4, QStringLiteral("MeTrD_Inf")) << Close(3, QStringLiteral("MeTrMonth_Information_child"));
  }
  l << Close(2, QStringLiteral("MeTrMonth_Information"));
  return XmlIo2(QStringLiteral("onlinedruggetres"), l);
}

QByteArray DrugEventsAnswer(const QString& month, const QList<DayEvent>& events) {
  QStringList l;
  l << ValueLine(2, QStringLiteral("MeTrMonth"), month) << Open(2, QStringLiteral("MeTrMonthInf"), "array")
    << Open(3, QStringLiteral("MeTrMonthInf_child"), "record") << ValueLine(4, QStringLiteral("InOut"), "2")
    << Open(4, QStringLiteral("DiDateInfs"), "record") << Open(5, QStringLiteral("DiDateInf"), "array");
  for (const DayEvent& e : events) {
    l << Open(6, QStringLiteral("DiDateInf_child"), "record") << ValueLine(7, QStringLiteral("DiDay"), e.day)
      << ValueLine(7, QStringLiteral("MeTrDiHCd"), e.dispensingCd)
      << ValueLine(7, QStringLiteral("MeTrDiHNm"), e.dispensingNm)
      << ValueLine(7, QStringLiteral("PrlsHCd"), e.prescriberCd)
      << ValueLine(7, QStringLiteral("PrlsHNm"), e.prescriberNm);
    if (!e.drugs.isEmpty()) {
      l << Open(7, QStringLiteral("DrugInfs"), "record") << Open(8, QStringLiteral("DrugInf"), "array");
      for (const EventDrug& d : e.drugs) {
        l << Open(9, QStringLiteral("DrugInf_child"), "record")
          << ValueLine(10, QStringLiteral("MeTrIdCl"), d.classCode)
          << ValueLine(10, QStringLiteral("DrugN"), d.name) << ValueLine(10, QStringLiteral("Unit"), d.unit)
          << ValueLine(10, QStringLiteral("Qua1"), d.quantity)
          << ValueLine(10, QStringLiteral("Times"), d.times) << Close(9, QStringLiteral("DrugInf_child"));
      }
      l << Close(8, QStringLiteral("DrugInf")) << Close(7, QStringLiteral("DrugInfs"));
    }
    l << Close(6, QStringLiteral("DiDateInf_child"));
  }
  l << Close(5, QStringLiteral("DiDateInf")) << Close(4, QStringLiteral("DiDateInfs"))
    << Close(3, QStringLiteral("MeTrMonthInf_child")) << Close(2, QStringLiteral("MeTrMonthInf"));
  return XmlIo2(QStringLiteral("onlinedruggetres"), l);
}

TPrescription Presc(const QString& name, const QString& code, const QString& date,
                    const QList<TDrugItem>& drugs) {
  return TPrescription{name, code, date, drugs};
}

TDrugItem Drug(const QString& name, const QString& quantity, const QString& unit, int kai) {
  return TDrugItem{name, quantity, unit, kai, QString(), QString(), QString()};
}
