#include "selfhistory/medical_get_request.h"

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

// Built by joining rather than by replacing placeholder words, so that a value can never be taken
// for a placeholder of a later value.
QString MedicalGetBody(const QString& patientId, const QString& performDate, const QString& departmentCode) {
  return QStringLiteral("<data>  <medicalgetreq type=\"record\">    <Patient_ID type=\"string\">") +
         EscapeXmlText(patientId) + QStringLiteral("</Patient_ID>    <Perform_Date type=\"string\">") +
         EscapeXmlText(performDate) +
         QStringLiteral(
             "</Perform_Date>    <Medical_Information type=\"record\">      <Department_Code "
             "type=\"string\">") +
         EscapeXmlText(departmentCode) +
         QStringLiteral("</Department_Code>    </Medical_Information>  </medicalgetreq></data>");
}
