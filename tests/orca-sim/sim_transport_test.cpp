#include <QDomDocument>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include "core/ini_file.h"
#include "orca/connection.h"
#include "sim_fixture.h"

namespace {

const QByteArray kAcceptToday =
    "<data>  <acceptlstreq type=\"record\">    <Acceptance_Date type=\"string\">2025-03-14</Acceptance_Date> "
    " "
    "</acceptlstreq></data>";

// Leading blanks of every line equal twice its nesting depth.
bool IndentedByDepth(const QStringList& lines) {
  int depth = 0;
  for (const QString& line : lines) {
    if (line.isEmpty() || line.startsWith("<?xml")) continue;
    const qsizetype blanks = line.indexOf(QRegularExpression("[^ ]"));
    const bool closing = line.trimmed().startsWith("</");
    if (closing) --depth;
    if (blanks != depth * 2) return false;
    if (!closing && !line.contains("</")) ++depth;
  }
  return depth == 0;
}

class SimTransport : public SimTest {};

TEST_F(SimTransport, answersInTheClassicLayoutWithEscapingAndNoEmptyElements) {
  const QByteArray body =
      "<data>  <onlinedruggetreq type=\"record\">    <Request_Number type=\"string\">02"
      "</Request_Number>    <Patient_ID type=\"string\">2</Patient_ID>    <MeTrMonth "
      "type=\"string\">2024-12</MeTrMonth>  </onlinedruggetreq></data>";
  const RawReply reply = raw("POST", "/api/api01rv2/onlinedruggetv2", body);
  ASSERT_EQ(reply.status, 200);
  EXPECT_EQ(reply.contentType, "application/xml");
  const QString text = QString::fromUtf8(reply.body);
  EXPECT_TRUE(text.startsWith(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xmlio2>\n  <onlinedruggetres type=\"record\">\n"));
  EXPECT_TRUE(text.endsWith("  </onlinedruggetres>\n</xmlio2>\n"));
  EXPECT_FALSE(text.contains('\r'));
  EXPECT_TRUE(text.contains("<PrlsHNm type=\"string\">K&amp;Sこころクリニック</PrlsHNm>"));
  EXPECT_FALSE(text.contains("\"></")) << "an empty element was written";
  EXPECT_TRUE(IndentedByDepth(text.split('\n')));
}

TEST_F(SimTransport, plainLayoutHasNeitherDeclarationNorIndentation) {
  SimOptions options;
  options.layout = XmlLayout::Plain;
  start(options);
  const RawReply reply = raw("POST", "/api/api01rv2/acceptlstv2?class=03", kAcceptToday);
  const QString text = QString::fromUtf8(reply.body);
  EXPECT_TRUE(
      text.startsWith("<xmlio2>\n<acceptlstres type=\"record\">\n<Information_Date type=\"string\">"));
  EXPECT_FALSE(text.contains("\n "));
}

TEST_F(SimTransport, authenticationAndUnknownPaths) {
  struct Case {
    QString path;
    QByteArray authorization;
    int status;
    QByteArray challenge;
  };
  const QByteArray good = "Basic " + QByteArray("ormaster:ormaster").toBase64();
  const QList<Case> cases{
      {"/api/api01rv2/acceptlstv2?class=03", "", 401, "Basic realm=\"orca\""},
      {"/api/api01rv2/acceptlstv2?class=03", "Bearer abc", 401, "Basic realm=\"orca\""},
      {"/api/api01rv2/acceptlstv2?class=03", "Basic " + QByteArray("ormaster:wrong").toBase64(), 401,
       "Basic realm=\"orca\""},
      {"/api/api01rv2/acceptlstv2?class=03", "Basic " + QByteArray("clinic:ormaster").toBase64(), 401,
       "Basic realm=\"orca\""},
      {"/api/api01rv2/acceptlstv2?class=03", "Basic " + QByteArray("orm aster:ormaster").toBase64(), 403, ""},
      {"/api/api01rv2/acceptlstv2?class=03", good, 200, ""},
      {"/api01rv2/acceptlstv2?class=03", good, 200, ""},
      {"/api/api01rv2/nosuchcallv2", good, 404, ""},
      {"/api/other/acceptlstv2", good, 404, ""},
      {"/rest/api01rv2/acceptlstv2?class=03", good, 404, ""},  // the /rest form is the classic server's
  };
  for (const Case& c : cases) {
    const RawReply reply = raw("POST", c.path, kAcceptToday, c.authorization);
    EXPECT_EQ(reply.status, c.status) << c.path.toStdString() << " " << c.authorization.toStdString();
    EXPECT_EQ(reply.challenge, c.challenge) << c.authorization.toStdString();
    if (c.status != 200) {
      EXPECT_TRUE(reply.body.isEmpty());
    }
  }
}

TEST_F(SimTransport, noChallengeLeavesEveryRefusalWithoutOne) {
  SimOptions options;
  options.challenge = false;
  start(options);
  struct Case {
    QString path;
    QByteArray body, authorization;
    int status;
  };
  const QByteArray wrong = "Basic " + QByteArray("ormaster:wrong").toBase64();
  const QList<Case> cases{
      {"/api/api01rv2/acceptlstv2?class=03", kAcceptToday, "", 401},
      {"/api/api01rv2/acceptlstv2?class=03", kAcceptToday, "Bearer abc", 401},
      {"/api/api01rv2/acceptlstv2?class=03", kAcceptToday, wrong, 401},
      {"/api01rv2/patientgetv2?id=1", "", wrong, 401},
      {"/sim/accept", "Patient_ID=5", wrong, 401},
      {"/sim/accept", "Patient_ID=5", "", 401},
      {"/api/api01rv2/acceptlstv2?class=03", kAcceptToday,
       "Basic " + QByteArray("ormaster:ormaster").toBase64(), 200},
  };
  for (const Case& c : cases) {
    const RawReply reply = raw("POST", c.path, c.body, c.authorization);
    EXPECT_EQ(reply.status, c.status) << c.path.toStdString() << " " << c.authorization.toStdString();
    EXPECT_EQ(reply.challenge, "") << c.path.toStdString() << " " << c.authorization.toStdString();
  }
}

TEST_F(SimTransport, theClassicServerTurnsDownWhatItsRequestLineDoesNotAllow) {
  SimOptions options;
  options.classic = true;
  start(options);
  struct Case {
    QByteArray method;
    QString path;
    QByteArray body, authorization;
    int status;
    QByteArray challenge;
  };
  const QByteArray good = "Basic " + QByteArray("ormaster:ormaster").toBase64();
  const QList<Case> cases{
      {"POST", "/api/api01rv2/acceptlstv2?class=03", kAcceptToday, good, 400, ""},
      {"POST", "/api/api01rv2/acceptlstv2?class=03", kAcceptToday, "", 400, ""},  // before authentication
      {"GET", "/api/api01rv2/patientgetv2?id=1", "", good, 400, ""},
      {"GET", "/ws", "", good, 400, ""},
      {"POST", "/a/b/c", "", good, 400, ""},
      {"PUT", "/api01rv2/acceptlstv2?class=03", kAcceptToday, good, 400, ""},
      {"POST", "/api01rv2/acceptlstv2?class=03", kAcceptToday, good, 200, ""},
      {"POST", "/rest/api01rv2/acceptlstv2?class=03", kAcceptToday, good, 200, ""},
      {"GET", "/rest/api01rv2/patientgetv2?id=1", "", good, 200, ""},
      {"GET", "/api01rv2/patientgetv2/?id=1", "", good, 200, ""},
      {"POST", "/api01rv2/acceptlstv2?class=03", kAcceptToday, "", 401, "Basic realm=\"orca\""},
      {"POST", "/api01rv2/nosuchcallv2", "", good, 404, ""},
      {"POST", "/other/acceptlstv2", "", good, 404, ""},
      {"POST", "/sim/accept", "Patient_ID=5", good, 200, ""},
  };
  for (const Case& c : cases) {
    const RawReply reply = raw(c.method, c.path, c.body, c.authorization);
    const std::string what = (c.method + " ").toStdString() + c.path.toStdString();
    EXPECT_EQ(reply.status, c.status) << what;
    EXPECT_EQ(reply.challenge, c.challenge) << what;
    if (c.status == 200 && c.path.contains("api01rv2")) {
      EXPECT_EQ(Values(QString::fromUtf8(reply.body).split('\n'), "Api_Result"), QStringList{"00"}) << what;
    } else if (c.status != 200) {
      EXPECT_TRUE(reply.body.isEmpty()) << what;
    }
  }
}

TEST_F(SimTransport, compactAnswersAreOneLineWithTheSameTree) {
  struct Case {
    QByteArray method;
    QString path;
    QByteArray body;
  };
  const QList<Case> cases{
      {"POST", "/api/api01rv2/acceptlstv2?class=03", kAcceptToday},
      {"GET", "/api/api01rv2/patientgetv2?id=2", ""},
      {"POST", "/api/api01rv2/onlinedruggetv2",
       Body("onlinedruggetreq", {{"Request_Number", "02"}, {"Patient_ID", "2"}, {"MeTrMonth", "2024-12"}})
           .toUtf8()},
      {"POST", "/api/api01rv2/onlinemedgetv2",
       Body("onlinemedgetreq", {{"Request_Number", "02"},
                                {"Patient_ID", "4"},
                                {"MeTrMonth", "2025-02"},
                                {"MeTrDiHCd", "1310000404"}})
           .toUtf8()},
  };
  QList<QByteArray> classic;
  for (const Case& c : cases) classic << raw(c.method, c.path, c.body).body;
  SimOptions options;
  options.layout = XmlLayout::Compact;
  start(options);
  for (qsizetype i = 0; i < cases.size(); ++i) {
    const RawReply reply = raw(cases[i].method, cases[i].path, cases[i].body);
    EXPECT_EQ(reply.status, 200);
    EXPECT_TRUE(reply.body.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?><"))
        << cases[i].path.toStdString();
    EXPECT_FALSE(reply.body.contains('\n')) << cases[i].path.toStdString();
    EXPECT_FALSE(reply.body.contains("> ")) << cases[i].path.toStdString();
    QDomDocument compact, indented;
    ASSERT_TRUE(compact.setContent(reply.body)) << cases[i].path.toStdString();
    ASSERT_TRUE(indented.setContent(classic[i])) << cases[i].path.toStdString();
    EXPECT_GT(indented.elementsByTagName("Api_Result").size(), 0);
    // Information_Time is the clock's: the answers were made a moment apart.
    for (QDomDocument* doc : {&compact, &indented}) {
      const QDomNodeList times = doc->elementsByTagName("Information_Time");
      for (int t = 0; t < times.size(); ++t) times.item(t).firstChild().setNodeValue("00:00:00");
    }
    EXPECT_EQ(compact.toString(), indented.toString()) << cases[i].path.toStdString();
  }
}

TEST_F(SimTransport, theProgramsClientAuthenticatesWithTheConfiguredUserAndKey) {
  SimOptions options;
  options.user = "clinic_user";
  options.key = "s3cret";
  start(options);
  EXPECT_TRUE(post("api01rv2/patientgetv2?id=1", ""));
  IFWriteIniStr("PARAMA", "APIKEY", "ormaster");
  client_ = std::make_unique<OrcaClient>();  // a fresh client: the HTTP layer keeps accepted credentials
  client_->setConnection(ReadConnection());
  EXPECT_FALSE(post("api01rv2/patientgetv2?id=1", ""));
  EXPECT_EQ(logMessages().last(), "ResponseCode=401");
}

TEST_F(SimTransport, faultsHitOnlyTheChosenCallsAndPatients) {
  struct Case {
    QString rule;
    QString path;
    QString patient;
    int status;  // 0: no HTTP answer
  };
  const QList<Case> cases{
      {"onlinedruggetv2=500", "onlinedruggetv2", "1", 500},
      {"onlinedruggetv2=500", "onlinemedgetv2", "1", 200},
      {"/api/api01rv2/onlinemedgetv2=401", "onlinemedgetv2", "1", 401},
      {"4=503", "onlinespecgetv2", "4", 503},
      {"4=503", "onlinespecgetv2", "00004", 503},
      {"4=503", "onlinespecgetv2", "5", 200},
      {"onlinemedgetv2:4=drop", "onlinemedgetv2", "4", 0},
      {"onlinemedgetv2:4=drop", "onlinemedgetv2", "1", 200},
      {"onlinemedgetv2:4=drop", "onlinedruggetv2", "4", 200},
      {"garbage=garbage", "garbage", "1", 404},
      {"onlinespecgetv2=garbage", "onlinespecgetv2", "1", 0},
      {"onlinespecgetv2=wait:50", "onlinespecgetv2", "1", 200},
  };
  for (const Case& c : cases) {
    QString error;
    const std::optional<FaultRule> rule = ParseFaultRule(c.rule, &error);
    ASSERT_TRUE(rule) << error.toStdString();
    SimOptions options;
    options.faults = {*rule};
    start(options);
    const QString body =
        Body(c.path.chopped(2) + "req", {{"Request_Number", "01"}, {"Patient_ID", c.patient}});
    const RawReply reply = raw("POST", "/api/api01rv2/" + c.path, body.toUtf8());
    EXPECT_EQ(reply.status, c.status)
        << c.rule.toStdString() << " " << c.path.toStdString() << " " << c.patient.toStdString();
  }
}

TEST_F(SimTransport, badXmlFaultSendsACutOffDocument) {
  SimOptions options;
  QString error;
  options.faults = {*ParseFaultRule("acceptlstv2=badxml", &error)};
  start(options);
  const RawReply reply = raw("POST", "/api/api01rv2/acceptlstv2?class=03", kAcceptToday);
  EXPECT_EQ(reply.status, 200);
  QXmlStreamReader xml(reply.body);
  while (!xml.atEnd()) xml.readNext();
  EXPECT_TRUE(xml.hasError());
}

TEST_F(SimTransport, aWaitLongerThanTheClientsPatienceLooksLikeATimeout) {
  SimOptions options;
  QString error;
  options.faults = {*ParseFaultRule("1=wait:3000", &error)};
  start(options);
  client_->setTimeoutMs(300);
  EXPECT_TRUE(post("api01rv2/patientgetv2?id=2", ""));
  EXPECT_FALSE(post("api01rv2/patientgetv2?id=1", ""));
  EXPECT_TRUE(logMessages().last().startsWith("HTTP Error (attempt 3): "))
      << logMessages().last().toStdString();
}

}  // namespace

namespace {

// A fault counted with "*N" hits the first N matching requests only; the others are answered.
TEST_F(SimTransport, aCountedFaultHitsOnlyTheFirstMatchingRequests) {
  SimOptions options;
  QString error;
  options.faults = {*ParseFaultRule("onlinedruggetv2:6=404*2", &error)};
  start(options);
  const QString body = Body("onlinedruggetreq", {{"Request_Number", "01"}, {"Patient_ID", "6"}});
  const QString other = Body("onlinedruggetreq", {{"Request_Number", "01"}, {"Patient_ID", "7"}});
  QList<int> statuses;
  for (const QString& b : {body, other, body, body})
    statuses << raw("POST", "/api/api01rv2/onlinedruggetv2", b.toUtf8()).status;
  EXPECT_EQ(statuses, (QList<int>{404, 200, 404, 200}));
  for (const char* bad : {"6=404*0", "6=404*x", "6=*2"}) EXPECT_FALSE(ParseFaultRule(bad, &error)) << bad;
}

}  // namespace

namespace {

// "%P" fails P in a hundred of the matching requests, drawn from the seed: the same run twice gives the
// same answers, and "*" matches any call.
TEST_F(SimTransport, aSharedFaultHitsSomeRequestsTheSameWayForTheSameSeed) {
  QString error;
  auto statuses = [&](const QString& fault) {
    SimOptions options;
    options.seed = 7;
    options.faults = {*ParseFaultRule(fault, &error)};
    start(options);
    QList<int> seen;
    for (int i = 0; i < 40; ++i)
      seen << raw("GET", i % 2 ? "/api/api01rv2/patientgetv2?id=1" : "/api/api01rv2/patientgetv2?id=2", {})
                  .status;
    return seen;
  };
  const QList<int> first = statuses("*=500%30");
  EXPECT_TRUE(first.contains(500));
  EXPECT_TRUE(first.contains(200));
  EXPECT_EQ(statuses("*=500%30"), first);
  EXPECT_FALSE(statuses("*=500%100").contains(200));
  for (const char* bad : {"*=500%0", "*=500%101", "*=500%5*2", "*=500*2%5", "*=%5"})
    EXPECT_FALSE(ParseFaultRule(bad, &error)) << bad;
}

}  // namespace
