#include "ownhistory/medical_get_request.h"

#include "orca/request_template.h"

QString MedicalGetApiPath(MedicalGetClass kind) {
  switch (kind) {
    case MedicalGetClass::DayVisits:
      return QStringLiteral("api01rv2/medicalgetv2?class=01");
    case MedicalGetClass::DayDepartmentActs:
      return QStringLiteral("api01rv2/medicalgetv2?class=02");
    case MedicalGetClass::MonthOverview:
      break;
  }
  return QStringLiteral("api01rv2/medicalgetv2?class=03");
}

namespace {

// Built by joining rather than by replacing placeholder words, so that a value can never be taken
// for a placeholder of a later value.
QString Body(const QString& patientId, const QString& performDate, const QString& visitFields) {
  return QStringLiteral("<data>  <medicalgetreq type=\"record\">    <Patient_ID type=\"string\">") +
         EscapeXmlText(patientId) + QStringLiteral("</Patient_ID>    <Perform_Date type=\"string\">") +
         EscapeXmlText(performDate) +
         QStringLiteral("</Perform_Date>    <Medical_Information type=\"record\">") + visitFields +
         QStringLiteral("    </Medical_Information>  </medicalgetreq></data>");
}

QString Field(const char* name, const QString& value) {
  return QStringLiteral("      <%1 type=\"string\">").arg(QLatin1String(name)) + EscapeXmlText(value) +
         QStringLiteral("</%1>").arg(QLatin1String(name));
}

}  // namespace

QString MedicalGetBody(const QString& patientId, const QString& performDate, const QString& departmentCode) {
  return Body(patientId, performDate, Field("Department_Code", departmentCode));
}

QString MedicalGetActsBody(const QString& patientId, const QString& day, const QString& departmentCode,
                           const QString& sequentialNumber) {
  return Body(patientId, day,
              Field("Department_Code", departmentCode) + Field("Sequential_Number", sequentialNumber));
}
