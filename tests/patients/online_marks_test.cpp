#include <gtest/gtest.h>

#include "async/run_blocking.h"
#include "core/clock.h"
#include "orca/connection.h"
#include "orca/orca_client.h"
#include "patients/online_marks.h"
#include "patients/online_probe.h"
#include "scripted_orca.h"
#include "temp_program_folder.h"

namespace {

const QString kDrug = QStringLiteral("api01rv2/onlinedruggetv2");
const QString kMed = QStringLiteral("api01rv2/onlinemedgetv2");
const QString kSpec = QStringLiteral("api01rv2/onlinespecgetv2");

HttpAction Lines(const char* lines) {
  return HttpAction::Ok(QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xmlio2>\n") + lines +
                        "</xmlio2>\n");
}

const HttpAction kNothing = Lines("  <Api_Result type=\"string\">00</Api_Result>\n");

}  // namespace

TEST(OnlineMarks, probeBodiesAreTheFixedOneLineTexts) {
  // The drug probe starts at the current month: ORCA given none lists up to the previous month.
  SetClockForTesting([] { return QDateTime(QDate(2024, 6, 10), QTime(9, 0)); });
  EXPECT_EQ(OnlineProbeBody(OnlineProbe::DrugInformation, QStringLiteral("12")),
            QStringLiteral(
                "<data>  <onlinedruggetreq type=\"record\">    <Request_Number type=\"string\">01"
                "</Request_Number>    <Patient_ID type=\"string\">12</Patient_ID>    <MeTrMonth "
                "type=\"string\">2024-06</MeTrMonth>    <InOut type=\"string\"></InOut>    <MeTrDiHCd "
                "type=\"string\"></MeTrDiHCd>    <PrlsHCd type=\"string\"></PrlsHCd>  </onlinedruggetreq>"
                "</data>"));
  SetClockForTesting(nullptr);
  EXPECT_EQ(
      OnlineProbeBody(OnlineProbe::MedicalInformation, QStringLiteral("12")),
      QStringLiteral("<data>  <onlinemedgetreq type=\"record\">    <Request_Number type=\"string\">01"
                     "</Request_Number>    <Patient_ID type=\"string\">12</Patient_ID>    <MeTrMonth "
                     "type=\"string\"></MeTrMonth>    <InOut type=\"string\"></InOut>    <MeTrDiHCd "
                     "type=\"string\"></MeTrDiHCd>    <PrlsHCd type=\"string\"></PrlsHCd>  </onlinemedgetreq>"
                     "</data>"));
  EXPECT_EQ(
      OnlineProbeBody(OnlineProbe::SpecificHealthCheck, QStringLiteral("12")),
      QStringLiteral("<data>  <onlinespecgetreq type=\"record\">    <Request_Number type=\"string\">01"
                     "</Request_Number>    <Patient_ID type=\"string\">12</Patient_ID>    <EffectiveTime "
                     "type=\"string\"></EffectiveTime>  </onlinespecgetreq></data>"));
}

TEST(OnlineMarks, aPatientNumberCannotChangeTheRequestStructure) {
  EXPECT_TRUE(
      OnlineProbeBody(OnlineProbe::DrugInformation, QStringLiteral("1</Patient_ID>&"))
          .contains(QStringLiteral("<Patient_ID type=\"string\">1&lt;/Patient_ID&gt;&amp;</Patient_ID>")));
}

struct ProbeCase {
  const char* name;
  std::optional<HttpAction> drug, med, checkup;  // nullopt: answered 404
  const char* selfInstCd;
  bool marked;
  int requests;
};

void PrintTo(const ProbeCase& c, std::ostream* os) {
  *os << c.name;
}

class ProbeTest : public TempProgramFolder, public ::testing::WithParamInterface<ProbeCase> {};

TEST_P(ProbeTest, marksFromTheFirstProbeThatProvesInformation) {
  ScriptedOrca orca;
  orca.configure();
  const ProbeCase& c = GetParam();
  if (c.drug) orca.answer(kDrug, *c.drug);
  if (c.med) orca.answer(kMed, *c.med);
  if (c.checkup) orca.answer(kSpec, *c.checkup);
  OrcaClient client;
  client.setConnection(ReadConnection());
  EXPECT_EQ(
      RunBlocking(HasOnlineInformation(client, QStringLiteral("12"), QString::fromLatin1(c.selfInstCd))),
      c.marked);
  const QStringList all{kDrug + QStringLiteral(" #12"), kMed + QStringLiteral(" #12"),
                        kSpec + QStringLiteral(" #12")};
  EXPECT_EQ(orca.requestedPaths(), all.mid(0, c.requests));
}

// A month of the month list; ORCA's echo of the start month asked for stands above the list, in a
// "no data" answer too.
const HttpAction kMonth = Lines(
    "    <MeTrMonth type=\"string\">2024-06</MeTrMonth>\n    <MeTrMonth_Information type=\"array\">\n"
    "      <MeTrMonth_Information_child type=\"record\">\n        <MeTrMonth "
    "type=\"string\">2024-04</MeTrMonth>\n"
    "      </MeTrMonth_Information_child>\n    </MeTrMonth_Information>\n");
const HttpAction kEchoOnly = Lines(
    "    <Api_Result type=\"string\">E50</Api_Result>\n    <MeTrMonth type=\"string\">2024-06</MeTrMonth>\n");
const HttpAction kOwnAndPharmacy = Lines(
    "    <MeTrDiHCd type=\"string\">1310000001</MeTrDiHCd>\n    <MeTrDiHCd "
    "type=\"string\">1340000777</MeTrDiHCd>\n");
const HttpAction kCheckUp = Lines("    <EffectiveTime type=\"string\">2023-10-01</EffectiveTime>\n");

INSTANTIATE_TEST_SUITE_P(
    Cases, ProbeTest,
    ::testing::Values(
        ProbeCase{"monthMarksAfterOneRequest", kMonth, kCheckUp, kCheckUp, "", true, 1},
        ProbeCase{"noAnswerToProbeOneEndsTheTest", std::nullopt, kMonth, kCheckUp, "", false, 1},
        ProbeCase{"theEchoOfTheStartMonthIsNoMonth", kEchoOnly, kNothing, kNothing, "", false, 3},
        ProbeCase{"anotherClinicMarks", kNothing,
                  Lines("    <MeTrDiHCd type=\"string\">1310000009</MeTrDiHCd>\n"), std::nullopt, "0000001",
                  true, 2},
        ProbeCase{"ownAndPharmacyGiveWayToTheCheckUp", kNothing, kOwnAndPharmacy, kCheckUp, "0000001", true,
                  3},
        ProbeCase{"ownAndPharmacyAndNoCheckUp", kNothing, kOwnAndPharmacy, kNothing, "0000001", false, 3},
        ProbeCase{"emptyOwnCodeMarksTheClinicItself", kNothing,
                  Lines("    <MeTrDiHCd type=\"string\">1310000001</MeTrDiHCd>\n"), std::nullopt, "", true,
                  2},
        ProbeCase{"emptyCodeMarks", kNothing, Lines("    <MeTrDiHCd type=\"string\"></MeTrDiHCd>\n"),
                  std::nullopt, "0000001", true, 2},
        ProbeCase{"twoCharacterCodeMarks", kNothing, Lines("    <MeTrDiHCd type=\"string\">13</MeTrDiHCd>\n"),
                  std::nullopt, "0000001", true, 2},
        ProbeCase{"codeShorterThanOwnIsNotOwn", kNothing,
                  Lines("    <MeTrDiHCd type=\"string\">00001</MeTrDiHCd>\n"), std::nullopt, "0000001", true,
                  2},
        ProbeCase{"failedProbeTwoGoesOnToProbeThree", kNothing, HttpAction::Status(500), kCheckUp, "", true,
                  3},
        ProbeCase{"failedProbeThreeNoMark", kNothing, kNothing, HttpAction::Status(500), "", false, 3},
        ProbeCase{"emptyBodiesNoMark", HttpAction::Ok(""), HttpAction::Ok(""), HttpAction::Ok(""), "", false,
                  3},
        ProbeCase{"otherCaseTagIsNoMatch", Lines("<metrmonth type=\"string\">2024-04</metrmonth>\n"),
                  kNothing, kNothing, "", false, 3}),
    [](const ::testing::TestParamInfo<ProbeCase>& info) { return std::string(info.param.name); });

TEST(OnlineMarks, eachProbeAnswerIsTestedForItsOwnProof) {
  const QStringList month{QStringLiteral("<MeTrMonth_Information type=\"array\">"),
                          QStringLiteral("  <MeTrMonth type=\"string\">2024-04</MeTrMonth>"),
                          QStringLiteral("</MeTrMonth_Information>")};
  const QStringList other{QStringLiteral("  <MeTrDiHCd type=\"string\">1310000009</MeTrDiHCd>")};
  const QStringList checkUp{QStringLiteral("  <EffectiveTime type=\"string\">2023-10-01</EffectiveTime>")};
  const struct {
    OnlineProbe probe;
    QStringList lines;
    bool proves;
  } cases[] = {
      {OnlineProbe::DrugInformation, month, true},       {OnlineProbe::DrugInformation, other, false},
      {OnlineProbe::MedicalInformation, other, true},    {OnlineProbe::MedicalInformation, checkUp, false},
      {OnlineProbe::SpecificHealthCheck, checkUp, true}, {OnlineProbe::SpecificHealthCheck, month, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProbeAnswerProvesInformation(c.probe, c.lines, QStringLiteral("0000001")), c.proves)
        << c.lines.join(QLatin1Char('\n')).toStdString();
  }
}
