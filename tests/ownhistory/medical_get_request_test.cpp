#include <gtest/gtest.h>

#include "ownhistory/medical_get_request.h"

TEST(MedicalGetRequest, bodyIsTheFixedOneLineText) {
  EXPECT_EQ(MedicalGetBody(QStringLiteral("00123"), QStringLiteral("2024-05-13"), QStringLiteral("01")),
            QStringLiteral("<data>  <medicalgetreq type=\"record\">    <Patient_ID type=\"string\">00123"
                           "</Patient_ID>    <Perform_Date type=\"string\">2024-05-13</Perform_Date>    "
                           "<Medical_Information type=\"record\">      <Department_Code type=\"string\">01"
                           "</Department_Code>    </Medical_Information>  </medicalgetreq></data>"));
  EXPECT_EQ(MedicalGetBody(QStringLiteral("7"), QStringLiteral("2024-05"), QString()),
            QStringLiteral("<data>  <medicalgetreq type=\"record\">    <Patient_ID type=\"string\">7"
                           "</Patient_ID>    <Perform_Date type=\"string\">2024-05</Perform_Date>    "
                           "<Medical_Information type=\"record\">      <Department_Code type=\"string\">"
                           "</Department_Code>    </Medical_Information>  </medicalgetreq></data>"));
}

TEST(MedicalGetRequest, actsOfAVisitNameItsSequentialNumberAfterItsDepartment) {
  EXPECT_EQ(MedicalGetActsBody(QStringLiteral("00123"), QStringLiteral("2024-05-13"), QStringLiteral("01"),
                               QStringLiteral("2")),
            QStringLiteral("<data>  <medicalgetreq type=\"record\">    <Patient_ID type=\"string\">00123"
                           "</Patient_ID>    <Perform_Date type=\"string\">2024-05-13</Perform_Date>    "
                           "<Medical_Information type=\"record\">      <Department_Code type=\"string\">01"
                           "</Department_Code>      <Sequential_Number type=\"string\">2</Sequential_Number>"
                           "    </Medical_Information>  </medicalgetreq></data>"));
  EXPECT_TRUE(
      MedicalGetActsBody(QStringLiteral("1"), QStringLiteral("2024-05-13"), QStringLiteral("01"), QString())
          .contains(QStringLiteral("<Sequential_Number type=\"string\"></Sequential_Number>")));
}

TEST(MedicalGetRequest, valuesCannotChangeTheRequestStructure) {
  const QString body =
      MedicalGetBody(QStringLiteral("1</Patient_ID>&"), QStringLiteral("XXXXX"), QStringLiteral("<RR>"));
  EXPECT_TRUE(
      body.contains(QStringLiteral("<Patient_ID type=\"string\">1&lt;/Patient_ID&gt;&amp;</Patient_ID>")));
  EXPECT_TRUE(body.contains(QStringLiteral("<Perform_Date type=\"string\">XXXXX</Perform_Date>")));
  EXPECT_TRUE(body.contains(QStringLiteral("<Department_Code type=\"string\">&lt;RR&gt;</Department_Code>")));
}

TEST(MedicalGetRequest, apiPathsNameTheClass) {
  EXPECT_EQ(MedicalGetApiPath(MedicalGetClass::DayVisits), QStringLiteral("api01rv2/medicalgetv2?class=01"));
  EXPECT_EQ(MedicalGetApiPath(MedicalGetClass::DayDepartmentActs),
            QStringLiteral("api01rv2/medicalgetv2?class=02"));
  EXPECT_EQ(MedicalGetApiPath(MedicalGetClass::MonthOverview),
            QStringLiteral("api01rv2/medicalgetv2?class=03"));
}
