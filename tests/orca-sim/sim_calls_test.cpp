#include <QDomDocument>

#include "sim_fixture.h"

namespace {

using Fields = QList<QPair<QString, QString>>;

class SimCalls : public SimTest {};

TEST_F(SimCalls, receptionListAnswersForTheDateClassAndDepartmentAsked) {
  struct Case {
    QString cls, date, department, result;
    QStringList patients;
  };
  const QList<Case> cases{
      {"03", "2025-03-14", "", "00", {"00001", "00010", "00002", "00011", "00004", "00012", "00005", "00013",
                                      "00006", "00014", "00007", "00015", "00008", "00003", "00016", "00002",
                                      "00017", "00018", "00019", "00020", "00021", "00022"}},
      {"03",
       "2025-03-13",
       "",
       "00",
       {"00009", "00023", "00024", "00025", "00026", "00012", "00027", "00028", "00019", "00029", "00030",
        "00021"}},
      {"01",
       "2025-03-14",
       "",
       "00",
       {"00003", "00016", "00002", "00017", "00018", "00019", "00020", "00021", "00022"}},
      {"03", "2025-03-14", "11", "00", {"00011", "00013", "00002", "00017", "00021"}},
      {"03", "2025-03-12", "", "21", {}},
      {"03", "2025-02-30", "", "11", {}},
  };
  for (const Case& c : cases) {
    const auto lines = post("api01rv2/acceptlstv2?class=" + c.cls, AcceptBody(c.date, c.department));
    ASSERT_TRUE(lines) << c.date.toStdString();
    EXPECT_EQ(Values(*lines, "Api_Result"), QStringList{c.result}) << c.date.toStdString();
    EXPECT_EQ(Values(*lines, "Patient_ID"), c.patients) << c.cls.toStdString() << c.date.toStdString();
  }
  const auto today = post("api01rv2/acceptlstv2?class=03", AcceptBody("2025-03-14"));
  EXPECT_EQ(Values(*today, "Account_Time").size(), 13);
  EXPECT_EQ(Values(*today, "Acceptance_Date"), QStringList{"2025-03-14"});
}

TEST_F(SimCalls, patientLookupFindsKnownNumbersWithOrWithoutLeadingZeros) {
  const QList<QPair<QString, QStringList>> cases{
      {"3", {"鈴木　一郎"}}, {"00003", {"鈴木　一郎"}}, {"1003", {"北村　和夫"}}, {"99999", {}}};
  for (const auto& [id, names] : cases) {
    const auto lines = post("api01rv2/patientgetv2?id=" + id, "");
    ASSERT_TRUE(lines);
    EXPECT_EQ(Values(*lines, "WholeName"), names) << id.toStdString();
    EXPECT_EQ(Values(*lines, "Api_Result"), QStringList{names.isEmpty() ? "10" : "00"});
  }
}

// What each of the three probes finds for the demo patients (see the README's table).
TEST_F(SimCalls, theOnlineProbesFindWhatTheDemoPatientsShow) {
  struct Case {
    QString patient;
    QStringList months, codes, checkups;
    QString result;  // of probe 1
  };
  const QList<Case> cases{
      {"1",
       {"2025-02", "2025-01", "2024-12", "2024-11", "2024-10", "2024-09"},
       {"1310000101", "1310000202", "1311234567"},
       {"2024-10-15", "2023-10-12"},
       "000"},
      {"4", {}, {"1310000404", "1310000707"}, {}, "E50"},
      {"5", {}, {"1311234567", "1340000808"}, {"2024-12-08"}, "E50"},
      {"6", {}, {}, {"2025-01-20", "2024-01-18"}, "E50"},
      {"9", {}, {}, {}, "E50"},
      {"22", {}, {}, {}, "E50"},  // drug information from this month only
      {"1003", {}, {}, {}, "E50"},
      {"99999", {}, {}, {}, "E10"},
  };
  for (const Case& c : cases) {
    const auto drug = post("api01rv2/onlinedruggetv2", ProbeBody("onlinedruggetv2", c.patient));
    const auto med = post("api01rv2/onlinemedgetv2", ProbeBody("onlinemedgetv2", c.patient));
    const auto checkup = post("api01rv2/onlinespecgetv2", ProbeBody("onlinespecgetv2", c.patient));
    ASSERT_TRUE(drug && med && checkup);
    EXPECT_EQ(Values(*drug, "MeTrMonth"), c.months) << c.patient.toStdString();
    EXPECT_EQ(Values(*drug, "Api_Result"), QStringList{c.result}) << c.patient.toStdString();
    QStringList codes = Values(*med, "MeTrDiHCd");
    codes.removeDuplicates();
    codes.sort();
    EXPECT_EQ(codes, c.codes) << c.patient.toStdString();
    EXPECT_EQ(Values(*checkup, "EffectiveTime"), c.checkups) << c.patient.toStdString();
  }
}

TEST_F(SimCalls, drugMonthListWritesEachInstitutionInTheOrderTheProgramReads) {
  // The layout as it goes over the wire (the program's reader brings any layout to one element a line).
  const RawReply reply =
      raw("POST", "/api/api01rv2/onlinedruggetv2", ProbeBody("onlinedruggetv2", "1").toUtf8());
  ASSERT_EQ(reply.status, 200);
  const QString text = QString::fromUtf8(reply.body);
  EXPECT_TRUE(
      text.contains("          <MeTrD_Inf_child type=\"record\">\n"
                    "            <MeTrDiHCd type=\"string\">1340000808</MeTrDiHCd>\n"
                    "            <MeTrDiHNm type=\"string\">みどり調剤薬局</MeTrDiHNm>\n"
                    "            <PrlsHCd type=\"string\">1310000101</PrlsHCd>\n"
                    "            <PrlsHNm type=\"string\">さくら坂内科クリニック</PrlsHNm>\n"
                    "          </MeTrD_Inf_child>"));
  // A month asked explicitly is where the list starts.
  const auto older =
      post("api01rv2/onlinedruggetv2",
           Body("onlinedruggetreq",
                {{"Request_Number", "01"}, {"Patient_ID", "00001"}, {"MeTrMonth", "2024-03"}}));
  EXPECT_EQ(Values(*older, "MeTrMonth").mid(1),
            (QStringList{"2024-03", "2024-02", "2024-01", "2023-12", "2023-11", "2023-10"}));
}

// A month list read as a tree: the result, the top-level MeTrMonth, the patient's birth date and each
// listed month with its institutions ("2024-07 1340000808 1310000202").
struct MonthList {
  QString result, echo, birth;
  QStringList months;
  bool echoed = false;
};

MonthList ReadMonthList(const QStringList& lines) {
  QDomDocument doc;
  MonthList list;
  if (!doc.setContent(lines.join('\n'))) return list;
  const QDomElement record = doc.documentElement().firstChildElement();
  list.result = record.firstChildElement("Api_Result").text();
  const QDomElement echo = record.firstChildElement("MeTrMonth");
  list.echoed = !echo.isNull();
  list.echo = echo.text();
  list.birth = record.firstChildElement("Patient_Information").firstChildElement("BirthDate").text();
  const QDomElement months = record.firstChildElement("MeTrMonth_Information");
  for (QDomElement m = months.firstChildElement(); !m.isNull(); m = m.nextSiblingElement()) {
    QString text = m.firstChildElement("MeTrMonth").text();
    const QDomElement entries = m.firstChildElement("MeTrD_Inf");
    for (QDomElement e = entries.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
      text += " " + e.firstChildElement("MeTrDiHCd").text();
    list.months << text;
  }
  return list;
}

TEST_F(SimCalls, monthListsGoBackFromTheStartMonthToTheSixthMonthWithData) {
  struct Case {
    QString call, patient, start, result;
    QStringList months;
  };
  const QList<Case> cases{
      // No month: the previous month and back; this month is left out.
      {"onlinedruggetv2",
       "1",
       "",
       "000",
       {"2025-02 1311234567 1340000808", "2025-01 1340000808 1310000202", "2024-12 1311234567 1340000808",
        "2024-11 1311234567 1340000808", "2024-10 1340000808 1310000202", "2024-09 1340000808"}},
      // The current month asked: nothing this month, so the same months.
      {"onlinedruggetv2",
       "1",
       "2025-03",
       "000",
       {"2025-02 1311234567 1340000808", "2025-01 1340000808 1310000202", "2024-12 1311234567 1340000808",
        "2024-11 1311234567 1340000808", "2024-10 1340000808 1310000202", "2024-09 1340000808"}},
      // The sixth month keeps only its first institution (みなと中央病院 was there too in 2024-02).
      {"onlinedruggetv2",
       "1",
       "2024-07",
       "000",
       {"2024-07 1340000808 1310000202", "2024-06 1340000808", "2024-05 1340000808", "2024-04 1340000808",
        "2024-03 1340000808", "2024-02 1340000808"}},
      // No lower bound: months with data fourteen months back still count.
      {"onlinedruggetv2",
       "2",
       "",
       "000",
       {"2025-01 1310000303", "2024-12 1340000909", "2024-10 1340000909", "2024-06 1340000909",
        "2024-01 1340000909"}},
      {"onlinedruggetv2", "1", "2023-10", "000", {"2023-10 1340000808", "2023-09 1340000808"}},
      {"onlinedruggetv2", "1", "2023-08", "E50", {}},
      {"onlinedruggetv2",
       "1",
       "2026-01",
       "000",
       {"2025-02 1311234567 1340000808", "2025-01 1340000808 1310000202", "2024-12 1311234567 1340000808",
        "2024-11 1311234567 1340000808", "2024-10 1340000808 1310000202", "2024-09 1340000808"}},
      {"onlinedruggetv2", "9", "", "E50", {}},
      {"onlinemedgetv2", "4", "", "000", {"2025-02 1310000404", "2024-12 1310000404", "2024-08 1310000707"}},
      {"onlinemedgetv2", "4", "2024-11", "000", {"2024-08 1310000707"}},
      {"onlinemedgetv2", "4", "2024-07", "E50", {}},
      // Patient 22's only drug information is from today: found from this month, not from the previous one.
      {"onlinedruggetv2", "22", "2025-03", "000", {"2025-03 1340000909"}},
      {"onlinedruggetv2", "22", "", "E50", {}},
      {"onlinedruggetv2", "22", "2025-02", "E50", {}},
  };
  const DemoData demo = sim_->data(kToday);
  for (const Case& c : cases) {
    const QString what = c.call + " " + c.patient + " " + c.start;
    const auto lines = post(
        "api01rv2/" + c.call,
        Body(c.call.chopped(2) + "req",
             {{"Request_Number", "01"}, {"Patient_ID", c.patient}, {"MeTrMonth", c.start}, {"InOut", ""}}));
    ASSERT_TRUE(lines) << what.toStdString();
    const MonthList list = ReadMonthList(*lines);
    EXPECT_EQ(list.result, c.result) << what.toStdString();
    EXPECT_EQ(list.months, c.months) << what.toStdString();
    // The request's month comes back as it was sent, and only then: it is not a month with data.
    EXPECT_EQ(list.echoed, !c.start.isEmpty()) << what.toStdString();
    EXPECT_EQ(list.echo, c.start) << what.toStdString();
    EXPECT_EQ(list.birth, demo.patient(c.patient.toInt())->birth.toString(Qt::ISODate)) << what.toStdString();
  }
}

TEST_F(SimCalls, errorsAfterThePatientLookupNameThePatient) {
  struct Case {
    QString call;
    Fields fields;
    QString result;
    bool named;
  };
  const QList<Case> cases{
      {"onlinedruggetv2", {{"Request_Number", "01"}, {"Patient_ID", "9"}}, "E50", true},
      {"onlinedruggetv2",
       {{"Request_Number", "02"}, {"Patient_ID", "9"}, {"MeTrMonth", "2025-02"}},
       "E50",
       true},
      {"onlinedruggetv2",
       {{"Request_Number", "01"}, {"Patient_ID", "9"}, {"MeTrMonth", "2025-2"}},
       "E11",
       true},
      {"onlinedruggetv2",
       {{"Request_Number", "02"}, {"Patient_ID", "9"}, {"MeTrMonth", "2025-13"}},
       "E11",
       true},
      {"onlinedruggetv2", {{"Request_Number", "01"}, {"Patient_ID", "9"}, {"InOut", "3"}}, "E12", true},
      {"onlinemedgetv2", {{"Request_Number", "01"}, {"Patient_ID", "9"}}, "E50", true},
      {"onlinemedgetv2", {{"Request_Number", "01"}, {"Patient_ID", "9"}, {"MeTrMonth", "x"}}, "E11", true},
      {"onlinemedgetv2",
       {{"Request_Number", "02"}, {"Patient_ID", "9"}, {"MeTrMonth", "2025-02"}},
       "E14",
       true},
      {"onlinemedgetv2", {{"Request_Number", "01"}, {"Patient_ID", "9"}, {"InOut", "9"}}, "E12", true},
      {"onlinespecgetv2", {{"Request_Number", "01"}, {"Patient_ID", "9"}}, "E50", true},
      {"onlinespecgetv2",
       {{"Request_Number", "02"}, {"Patient_ID", "9"}, {"EffectiveTime", "2025-02"}},
       "E11",
       true},
      {"onlinespecgetv2", {{"Request_Number", "01"}, {"Patient_ID", "9"}, {"InOut", "5"}}, "E12", true},
      {"onlinedruggetv2", {{"Request_Number", "02"}, {"Patient_ID", "9"}}, "E02", false},
      {"onlinemedgetv2", {{"Request_Number", "02"}, {"Patient_ID", "9"}, {"InOut", "3"}}, "E02", false},
      {"onlinedruggetv2", {{"Request_Number", "01"}, {"Patient_ID", "99999"}}, "E10", false},
      {"onlinespecgetv2", {{"Request_Number", "01"}, {"Patient_ID", ""}}, "E01", false},
      {"onlinemedgetv2", {{"Request_Number", "03"}, {"Patient_ID", "9"}}, "E91", false},
  };
  for (const Case& c : cases) {
    const auto lines = post("api01rv2/" + c.call, Body(c.call.chopped(2) + "req", c.fields));
    ASSERT_TRUE(lines) << c.call.toStdString();
    const QString what = c.call + " " + c.result;
    EXPECT_EQ(Values(*lines, "Api_Result"), QStringList{c.result}) << what.toStdString();
    EXPECT_EQ(Values(*lines, "BirthDate"), c.named ? QStringList{"1950-06-11"} : QStringList())
        << what.toStdString();
    EXPECT_EQ(Values(*lines, "Patient_ID"), c.named ? QStringList{"00009"} : QStringList())
        << what.toStdString();
  }
  // "Nothing found" in a drug month also repeats the month and the filters asked for.
  const auto empty =
      post("api01rv2/onlinedruggetv2", Body("onlinedruggetreq", {{"Request_Number", "02"},
                                                                 {"Patient_ID", "9"},
                                                                 {"MeTrMonth", "2025-02"},
                                                                 {"InOut", "2"},
                                                                 {"MeTrDiHCd", "1340000808"}}));
  EXPECT_EQ(Values(*empty, "MeTrMonth"), QStringList{"2025-02"});
  EXPECT_EQ(Values(*empty, "InOut"), QStringList{"2"});
  EXPECT_EQ(Values(*empty, "MeTrDiHCd"), QStringList{"1340000808"});
}

TEST_F(SimCalls, drugMonthAnswersTheDaysOfTheMonthAsked) {
  const auto lines =
      post("api01rv2/onlinedruggetv2",
           Body("onlinedruggetreq",
                {{"Request_Number", "02"}, {"Patient_ID", "1"}, {"MeTrMonth", "2025-02"}, {"InOut", ""}}));
  ASSERT_TRUE(lines);
  QDomDocument doc;
  ASSERT_TRUE(doc.setContent(lines->join('\n')));
  const QDomElement days = doc.documentElement()
                               .firstChildElement("onlinedruggetres")
                               .firstChildElement("MeTrMonthInf")
                               .firstChildElement("MeTrMonthInf_child")
                               .firstChildElement("DiDateInfs")
                               .firstChildElement("DiDateInf");
  QStringList seen;
  for (QDomElement d = days.firstChildElement(); !d.isNull(); d = d.nextSiblingElement()) {
    QStringList drugs;
    const QDomElement list = d.firstChildElement("DrugInfs").firstChildElement("DrugInf");
    for (QDomElement g = list.firstChildElement(); !g.isNull(); g = g.nextSiblingElement()) {
      drugs << g.firstChildElement("DrugN").text() + "/" + g.firstChildElement("Qua1").text() + "/" +
                   g.firstChildElement("Times").text();
    }
    seen << d.firstChildElement("DiDay").text() + " " + d.firstChildElement("PrDate").text() + " " +
                d.firstChildElement("PrlsHNm").text() + " " + drugs.join(",");
  }
  EXPECT_EQ(seen, (QStringList{"03   アムロジピン錠５ｍｇ/1/28",
                               "10 2025-02-09 さくら坂内科クリニック ロスバスタチン錠２．５ｍｇ/1/28,"
                               "テルミサルタン錠４０ｍｇ/1/28"}));
  const auto empty = post(
      "api01rv2/onlinedruggetv2",
      Body("onlinedruggetreq", {{"Request_Number", "02"}, {"Patient_ID", "1"}, {"MeTrMonth", "2019-01"}}));
  EXPECT_EQ(Values(*empty, "Api_Result"), QStringList{"E50"});
}

TEST_F(SimCalls, drugLinesGiveTheDosePerTimeBetweenQuantityAndTimes) {
  struct Case {
    QString patient, month;
    QStringList drugs;  // DrugC Qua1 OnDose Times
  };
  const QList<Case> cases{
      {"2", "2025-01", {"699000106 3 1 14", "699000107 3 1 14", "699000301 28 1 1"}},
      {"7", "2025-02", {"699000110 1 1 28", "699000111 3 3 28"}},
      {"8", "2025-02", {"699000113 0.6 0.2 5", "699000114 1 1 7"}},
      {"3", "2024-11", {"699000115 3 1 5", "699000106 1 1 5"}},  // as needed: the quantity is one dose
      {"3", "2025-02", {"699000303 2  1"}},                      // eye drops: none
      {"22", "2025-03", {"699000116 2 1 14", "699000201 1 1 5"}},
  };
  const QStringList order{"MeTrIdCl", "UsageC", "UsageN", "SpInst", "DrugC", "DrugN",
                          "IngreN",   "Unit",   "Qua1",   "OnDose", "Times"};
  for (const Case& c : cases) {
    const auto lines = post("api01rv2/onlinedruggetv2", Body("onlinedruggetreq", {{"Request_Number", "02"},
                                                                                  {"Patient_ID", c.patient},
                                                                                  {"MeTrMonth", c.month},
                                                                                  {"InOut", ""},
                                                                                  {"MeTrDiHCd", ""},
                                                                                  {"PrlsHCd", ""}}));
    ASSERT_TRUE(lines);
    QDomDocument doc;
    ASSERT_TRUE(doc.setContent(lines->join('\n')));
    QStringList drugs;
    const QDomNodeList found = doc.elementsByTagName("DrugInf_child");
    for (int i = 0; i < found.size(); ++i) {
      const QDomElement drug = found.item(i).toElement();
      drugs << QStringList{drug.firstChildElement("DrugC").text(), drug.firstChildElement("Qua1").text(),
                           drug.firstChildElement("OnDose").text(), drug.firstChildElement("Times").text()}
                   .join(' ');
      qsizetype at = 0;
      for (QDomElement e = drug.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const qsizetype next = order.indexOf(e.tagName(), at);
        EXPECT_GE(next, 0) << e.tagName().toStdString() << " out of order in " << c.patient.toStdString();
        at = next + 1;
      }
    }
    EXPECT_EQ(drugs, c.drugs) << c.patient.toStdString() << " " << c.month.toStdString();
  }
}

TEST_F(SimCalls, treatmentDaysComeAsTheArrayShapedDocument) {
  const QString body = Body(
      "onlinemedgetreq",
      {{"Request_Number", "02"}, {"Patient_ID", "4"}, {"MeTrMonth", "2025-02"}, {"MeTrDiHCd", "1310000404"}});
  const RawReply reply = raw("POST", "/api/api01rv2/onlinemedgetv2", body.toUtf8());
  EXPECT_EQ(reply.status, 200);
  EXPECT_EQ(reply.contentType, "");
  const QStringList lines = QString::fromUtf8(reply.body).split('\n');
  EXPECT_EQ(lines.value(1), "<xml_onlinemedgetv2res2 type=\"array\">");
  EXPECT_EQ(lines.value(3), "    <data type=\"record\">");
  EXPECT_EQ(Values(lines, "DiDate"), QStringList{"2025-02-16"});
  EXPECT_EQ(Values(lines, "MeTrDiHNm"), QStringList{"ひかり眼科"});

  const RawReply missingCode =
      raw("POST", "/api/api01rv2/onlinemedgetv2",
          Body("onlinemedgetreq", {{"Request_Number", "02"}, {"Patient_ID", "4"}, {"MeTrMonth", "2025-02"}})
              .toUtf8());
  const QStringList missingLines = QString::fromUtf8(missingCode.body).split('\n');
  EXPECT_EQ(missingLines.value(2), "  <onlinemedgetres type=\"record\">");
  EXPECT_EQ(Values(missingLines, "Api_Result"), QStringList{"E14"});
}

// One of today's receptions in progress is of a patient not yet registered: a name, no number, between
// two receptions of registered patients, so that the numbered ones stay as they were.
TEST_F(SimCalls, aReceptionOfAPatientNotYetRegisteredHasANameAndNoNumber) {
  for (const QString cls : {"01", "03"}) {
    const auto lines = post("api01rv2/acceptlstv2?class=" + cls, AcceptBody("2025-03-14"));
    ASSERT_TRUE(lines);
    QDomDocument doc;
    ASSERT_TRUE(doc.setContent(lines->join('\n')));
    const QDomNodeList items = doc.elementsByTagName("Acceptlst_Information_child");
    QStringList seen;
    for (int i = 0; i < items.size(); ++i) {
      const QDomElement r = items.item(i).toElement();
      const QDomElement patient = r.firstChildElement("Patient_Information");
      if (!patient.firstChildElement("Patient_ID").isNull()) {
        seen << patient.firstChildElement("Patient_ID").text();
        continue;
      }
      seen << patient.firstChildElement("WholeName").text();
      EXPECT_EQ(patient.childNodes().size(), 1);
      EXPECT_EQ(r.firstChildElement("Acceptance_Id").text(), "00019");
      EXPECT_EQ(r.firstChildElement("Acceptance_Time").text(), "11:31:00");
      EXPECT_EQ(r.firstChildElement("Department_Code").text(), "01");
      EXPECT_TRUE(r.firstChildElement("Account_Time").isNull());
      EXPECT_TRUE(r.firstChildElement("HealthInsurance_Information").isNull());
    }
    const qsizetype at = seen.indexOf("大森　七海");
    ASSERT_GT(at, 0) << cls.toStdString();
    EXPECT_EQ(seen.mid(at - 1, 3), (QStringList{"00018", "大森　七海", "00019"})) << cls.toStdString();
    EXPECT_EQ(seen.size(), cls == "01" ? 10 : 23);
  }
}

TEST_F(SimCalls, checkupResultsAreFilteredByTheDateAsked) {
  const auto lines =
      post("api01rv2/onlinespecgetv2",
           Body("onlinespecgetreq",
                {{"Request_Number", "02"}, {"Patient_ID", "6"}, {"EffectiveTime", "2025-01-20"}}));
  ASSERT_TRUE(lines);
  EXPECT_EQ(Values(*lines, "EffectiveTime"), QStringList{"2025-01-20"});
  EXPECT_EQ(Values(*lines, "ItemName").value(0), "身長");
  EXPECT_EQ(Values(*lines, "Req_EffectiveTime"), QStringList{"2025-01-20"});
}

TEST_F(SimCalls, visitListHoldsEveryVisitOfTheMonthOfThePerformDate) {
  struct Case {
    QString department, dates, departments;
  };
  for (const Case& c : QList<Case>{{"", "2025-02-14,2025-02-21", "01,11"}, {"11", "2025-02-21", "11"}}) {
    const auto lines = post("api01rv2/medicalgetv2?class=01", MedicalBody("2", "2025-02-21", c.department));
    ASSERT_TRUE(lines);
    EXPECT_EQ(Values(*lines, "Perform_Date").join(','), c.dates);
    EXPECT_EQ(Values(*lines, "Department_Code").join(','), c.departments);
  }
}

// medicalgetv2's request for patient 1003 with a visit's keys; a null sequential number leaves the
// element out.
QString VisitBody(const QString& date, const QString& department, const QString& sequential,
                  const QString& invoice = {}) {
  QString info = "<Department_Code type=\"string\">" + department + "</Department_Code>";
  if (!sequential.isNull())
    info += "<Sequential_Number type=\"string\">" + sequential + "</Sequential_Number>";
  info += "<Invoice_Number type=\"string\">" + invoice + "</Invoice_Number>";
  return "<data><medicalgetreq type=\"record\"><Patient_ID type=\"string\">1003</Patient_ID>"
         "<Perform_Date type=\"string\">" +
         date + "</Perform_Date><Medical_Information type=\"record\">" + info +
         "</Medical_Information></medicalgetreq></data>";
}

// Patient 1003 on 2025-03-14: 内科 and 整形外科 on 03-04, two 内科 visits on 03-11.
TEST_F(SimCalls, visitListNumbersEachDaysVisitsToADepartment) {
  const auto lines = post("api01rv2/medicalgetv2?class=01", VisitBody("2025-03-14", "", QString()));
  ASSERT_TRUE(lines);
  QDomDocument doc;
  ASSERT_TRUE(doc.setContent(lines->join('\n')));
  QStringList visits;
  const QDomNodeList items = doc.elementsByTagName("Medical_List_Information_child");
  for (int i = 0; i < items.size(); ++i) {
    const QDomElement v = items.item(i).toElement();
    visits << v.firstChildElement("Perform_Date").text() + " " +
                  v.firstChildElement("Department_Code").text() + " " +
                  v.firstChildElement("Sequential_Number").text() + " " +
                  v.firstChildElement("Invoice_Number").text();
  }
  EXPECT_EQ(visits, (QStringList{"2025-03-04 01 1 9003101", "2025-03-04 11 1 9003102",
                                 "2025-03-11 01 1 9003031", "2025-03-11 01 2 9003032"}));
}

TEST_F(SimCalls, visitOrdersAnswerTheOneVisitOfTheDepartmentAndSequentialNumberAsked) {
  struct Case {
    QString date, department, sequential, invoice, result, header;
    QStringList codes;
  };
  const QStringList first{"199000201", "699000108"}, second{"699000112", "699000201"};
  const QList<Case> cases{
      {"2025-03-04", "01", QString(), "", "00", "01 1", {"199000201", "699000101", "699000118"}},
      {"2025-03-04", "11", QString(), "", "00", "11 1", {"199000201", "699000106", "699000107", "699000301"}},
      {"2025-03-11", "01", QString(), "", "00", "01 1", first},
      {"2025-03-11", "01", "", "", "00", "01 1", first},
      {"2025-03-11", "01", "1", "", "00", "01 1", first},
      {"2025-03-11", "01", "x", "", "00", "01 1", first},  // not a number: the first visit
      {"2025-03-11", "01", "2", "", "00", "01 2", second},
      {"2025-03-11", "01", "3", "", "15", "", {}},
      {"2025-03-04", "01", "2", "", "15", "", {}},
      {"2025-03-11", "11", QString(), "", "15", "", {}},
      {"2025-03-11", "", QString(), "9003032", "00", "01 2", second},
  };
  for (const Case& c : cases) {
    const std::string what =
        (c.date + " " + c.department + " " + c.sequential + " " + c.invoice).toStdString();
    const auto lines =
        post("api01rv2/medicalgetv2?class=02", VisitBody(c.date, c.department, c.sequential, c.invoice));
    ASSERT_TRUE(lines) << what;
    QDomDocument doc;
    ASSERT_TRUE(doc.setContent(lines->join('\n'))) << what;
    const QDomElement record = doc.documentElement().firstChildElement("medicalget02res");
    EXPECT_EQ(record.firstChildElement("Api_Result").text(), c.result) << what;
    const QString header = record.firstChildElement("Department_Code").text() + " " +
                           record.firstChildElement("Sequential_Number").text();
    EXPECT_EQ(header.trimmed(), c.header) << what;
    EXPECT_EQ(Values(*lines, "Medication_Code"), c.codes) << what;
  }
}

TEST_F(SimCalls, aDrugWhoseMasterHasNoUnitNameHasNoUnitCodeName) {
  const auto orders = post("api01rv2/medicalgetv2?class=02", VisitBody("2025-03-04", "01", QString()));
  ASSERT_TRUE(orders);
  QDomDocument doc;
  ASSERT_TRUE(doc.setContent(orders->join('\n')));
  QStringList lines;
  const QDomNodeList items = doc.elementsByTagName("Medication_info_child");
  for (int i = 0; i < items.size(); ++i) {
    const QDomElement it = items.item(i).toElement();
    lines << QStringList{it.firstChildElement("Medication_Name").text(),
                         it.firstChildElement("Unit_Code").text(),
                         it.firstChildElement("Unit_Code_Name").isNull() ? "none" : "named"}
                 .join('/');
  }
  EXPECT_EQ(lines, (QStringList{"再診料（架空）//none", "アムロジピン錠５ｍｇ/017/named",
                                "センノシド錠１２ｍｇ/017/none"}));
  EXPECT_EQ(Values(*orders, "Unit_Code_Name"), QStringList{"錠"});
  // The month's calendar: amlodipine, sennoside, famotidine, carbocisteine and acetaminophen; one nameless.
  const auto month = post("api01rv2/medicalgetv2?class=03", VisitBody("2025-03", "01", QString()));
  EXPECT_EQ(Values(*month, "Unit_Code").size(), 5);
  EXPECT_EQ(Values(*month, "Unit_Code_Name").size(), 4);
}

TEST_F(SimCalls, visitOrdersAnswerTheDayAndDepartmentAsked) {
  const auto lines = post("api01rv2/medicalgetv2?class=02", MedicalBody("2", "2025-02-21", "11"));
  ASSERT_TRUE(lines);
  EXPECT_EQ(Values(*lines, "Medication_Name"),
            (QStringList{"再診料（架空）", "ロキソプロフェンＮａ錠６０ｍｇ", "レバミピド錠１００ｍｇ",
                         "ロキソプロフェンＮａテープ１００ｍｇ"}));
  EXPECT_EQ(Values(*lines, "Medical_Class"), (QStringList{"120", "210", "230"}));
  EXPECT_EQ(Values(*lines, "Medical_Class_Number"), (QStringList{"1", "14", "1"}));
  EXPECT_EQ(Values(*lines, "Unit_Code_Name"), (QStringList{"錠", "錠", "枚"}));

  const auto otherDepartment = post("api01rv2/medicalgetv2?class=02", MedicalBody("2", "2025-02-21", "01"));
  EXPECT_EQ(Values(*otherDepartment, "Api_Result"), QStringList{"15"});
  EXPECT_TRUE(Values(*otherDepartment, "Medication_Code").isEmpty());
}

TEST_F(SimCalls, monthCalendarFlagsTheTreatedDaysAndStepBackPatientHasNoneThisMonth) {
  const auto thisMonth = post("api01rv2/medicalgetv2?class=03", MedicalBody("3", "2025-03"));
  EXPECT_EQ(Values(*thisMonth, "Api_Result"), QStringList{"15"});
  const auto lastMonth = post("api01rv2/medicalgetv2?class=03", MedicalBody("3", "2025-02"));
  EXPECT_EQ(Values(*lastMonth, "Perform_Date"), QStringList{"2025-02"});
  EXPECT_EQ(Values(*lastMonth, "Medication_Code"), (QStringList{"199000201", "699000108"}));
  EXPECT_EQ(Values(*lastMonth, "Perform_Calendar"), QStringList(2, "0100000000000000000000000000000"));
  EXPECT_EQ(Values(*lastMonth, "Perform_Day"), QStringList{"02"});  // drugs only
  EXPECT_EQ(Values(*lastMonth, "Perform_Day_Number"), QStringList{"14"});

  const auto noDate = post("api01rv2/medicalgetv2?class=03", MedicalBody("1", ""));
  EXPECT_EQ(Values(*noDate, "Api_Result"), QStringList{"K1"});
  EXPECT_EQ(Values(*noDate, "Perform_Date"), QStringList{"2025-03"});
}

TEST_F(SimCalls, theClinicCodeIsConfigurable) {
  SimOptions options;
  options.clinicCode = "7654321";
  start(options);
  const auto lines = post("api01rv2/onlinemedgetv2", ProbeBody("onlinemedgetv2", "5"));
  EXPECT_EQ(Values(*lines, "MeTrDiHCd"), (QStringList{"1317654321", "1340000808"}));
}

}  // namespace
