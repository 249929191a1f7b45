#include <QSet>
#include <algorithm>

#include "sim_fixture.h"

namespace {

class SimBusyDay : public SimTest {};

// What a probe found for a patient: "000" with data, "E50" without; anything else is a fault.
QString ProbeResult(const std::optional<QStringList>& lines) {
  return lines ? Values(*lines, "Api_Result").value(0) : QString("no answer");
}

TEST_F(SimBusyDay, eightyReceptionsOfPatientsThatAnswerEveryCall) {
  SimOptions options;
  options.receptionsToday = 80;
  start(options);
  const auto all = post("api01rv2/acceptlstv2?class=03", AcceptBody("2025-03-14"));
  ASSERT_TRUE(all);
  const QStringList ids = Values(*all, "Patient_ID");
  ASSERT_EQ(ids.size(), 80);
  EXPECT_EQ(Values(*all, "Acceptance_Id").last(), "00080");
  EXPECT_EQ(ids.mid(0, 3), (QStringList{"00001", "00010", "00002"})) << "the demo day's own receptions first";
  EXPECT_EQ(Values(*all, "Account_Time").size(), 47);
  EXPECT_EQ(Values(*post("api01rv2/acceptlstv2?class=01", AcceptBody("2025-03-14")), "Patient_ID").size(),
            33);
  EXPECT_EQ(Values(*post("api01rv2/acceptlstv2?class=03", AcceptBody("2025-03-13")), "Patient_ID").size(), 12)
      << "yesterday keeps the demo's list";

  const QStringList names = Values(*all, "WholeName");
  QSet<QString> patients, withDrugs, withRecords, withCheckups;
  for (qsizetype i = 0; i < ids.size(); ++i) {
    const QString& id = ids[i];
    if (patients.contains(id)) continue;
    patients.insert(id);
    const auto patient = post("api01rv2/patientgetv2?id=" + id, "");
    ASSERT_TRUE(patient);
    EXPECT_EQ(Values(*patient, "Api_Result"), QStringList{"00"}) << id.toStdString();
    EXPECT_EQ(Values(*patient, "WholeName"), QStringList{names[i]}) << id.toStdString();
    EXPECT_TRUE(names[i].contains("　")) << names[i].toStdString();

    const QString drugs = ProbeResult(post("api01rv2/onlinedruggetv2", ProbeBody("onlinedruggetv2", id)));
    const QString records = ProbeResult(post("api01rv2/onlinemedgetv2", ProbeBody("onlinemedgetv2", id)));
    const QString checkups = ProbeResult(post("api01rv2/onlinespecgetv2", ProbeBody("onlinespecgetv2", id)));
    for (const QString& result : {drugs, records, checkups}) {
      EXPECT_TRUE(result == "000" || result == "E50") << id.toStdString() << " " << result.toStdString();
    }
    if (drugs == "000") withDrugs.insert(id);
    if (records == "000") withRecords.insert(id);
    if (checkups == "000") withCheckups.insert(id);
    const auto visits = post("api01rv2/medicalgetv2?class=01", MedicalBody(id, "2025-03-14"));
    ASSERT_TRUE(visits);
    const QString visitResult = Values(*visits, "Api_Result").value(0);  // 15: no visit this month
    EXPECT_TRUE(visitResult == "00" || visitResult == "15")
        << id.toStdString() << " " << visitResult.toStdString();
  }
  EXPECT_EQ(patients.size(), 79);  // patient 2 comes twice, as on the demo day
  // Made-up patients have online information too, and not all of them: the list's marks vary.
  for (const QSet<QString>* found : {&withDrugs, &withRecords, &withCheckups}) {
    EXPECT_TRUE(std::any_of(found->begin(), found->end(), [](const QString& id) { return id.toInt() > 30; }));
  }
  EXPECT_LT((withDrugs + withRecords + withCheckups).size(), patients.size() * 2 / 3);
  EXPECT_GT((withDrugs + withRecords + withCheckups).size(), patients.size() / 4);
}

}  // namespace
