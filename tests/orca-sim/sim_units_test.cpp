#include <gtest/gtest.h>

#include "fault_rule.h"
#include "request_body.h"
#include "sim_options.h"
#include "xml_tree.h"

namespace {

TEST(OrcaSimXml, escapesLikeOrcaAndLeavesOutEverythingEmpty) {
  XmlNode record = XmlNode::Rec("r");
  record.add("A", "x & <y> \"q\" 'a'\rz")
      .add("Empty", "")
      .add(XmlNode::Rec("Blank", {XmlNode::Val("B", "")}))
      .add(XmlNode::Arr("L",
                        {XmlNode::Item({XmlNode::Val("V", "")}), XmlNode::Item({XmlNode::Val("V", "1")})}))
      .add(XmlNode::Arr("None", {XmlNode::Item({XmlNode::Val("V", "")})}));
  EXPECT_EQ(QString::fromUtf8(WriteXmlio2(record, XmlLayout::Classic)),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<xmlio2>\n"
            "  <r type=\"record\">\n"
            "    <A type=\"string\">x &amp; &lt;y&gt; \"q\" 'a'&#13;z</A>\n"
            "    <L type=\"array\">\n"
            "      <L_child type=\"record\">\n"
            "        <V type=\"string\">1</V>\n"
            "      </L_child>\n"
            "    </L>\n"
            "  </r>\n"
            "</xmlio2>\n");
  EXPECT_EQ(QString::fromUtf8(WriteXmlio2(XmlNode::Rec("r", {XmlNode::Val("A", "1")}), XmlLayout::Plain)),
            "<xmlio2>\n<r type=\"record\">\n<A type=\"string\">1</A>\n</r>\n</xmlio2>\n");
  const XmlNode nested = XmlNode::Rec(
      "r", {XmlNode::Val("A", "1"), XmlNode::Arr("L", {XmlNode::Item({XmlNode::Val("V", "2")})})});
  EXPECT_EQ(QString::fromUtf8(WriteXmlio2(nested, XmlLayout::Compact)),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><xmlio2><r type=\"record\"><A type=\"string\">1</A>"
            "<L type=\"array\"><L_child type=\"record\"><V type=\"string\">2</V></L_child></L></r></xmlio2>");
  EXPECT_EQ(QString::fromUtf8(WriteRootDocument(XmlNode::Arr("x", {XmlNode::Item({XmlNode::Val("V", "2")})}),
                                                XmlLayout::Compact)),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><x type=\"array\"><x_child type=\"record\">"
            "<V type=\"string\">2</V></x_child></x>");
}

TEST(OrcaSimRequest, readsTypedValuesByPathAndSkipsUntypedOnes) {
  const RequestBody body = ReadRequestBody(
      "<data>  <medicalgetreq type=\"record\">    <Patient_ID type=\"string\"> 12 </Patient_ID>"
      "    <Perform_Date>2025-01-01</Perform_Date>    <Medical_Information type=\"record\">"
      "      <Department_Code type=\"string\">01</Department_Code>    </Medical_Information>"
      "  </medicalgetreq></data>",
      "medicalgetreq");
  EXPECT_TRUE(body.readable);
  EXPECT_EQ(body.value("Patient_ID"), "12");
  EXPECT_EQ(body.value("Perform_Date"), "");
  EXPECT_EQ(body.value("Medical_Information/Department_Code"), "01");

  for (const QByteArray& bad :
       {QByteArray("<data><acceptlstreq type=\"record\"></data>"),
        QByteArray("<data><medicalgetreq type=\"record\"/></data>"), QByteArray("{}"), QByteArray()}) {
    EXPECT_FALSE(ReadRequestBody(bad, "acceptlstreq").readable) << bad.toStdString();
  }
}

TEST(OrcaSimRequest, readsTheRecordsOfAnArrayInOrderApartFromTheValues) {
  const RequestBody body = ReadRequestBody(
      "<data><contraindication_checkreq type=\"record\"><Patient_ID type=\"string\">7</Patient_ID>"
      "<Medical_Information type=\"array\">"
      "<Medical_Information_child type=\"record\"><Medication_Code "
      "type=\"string\">699000106</Medication_Code>"
      "<Nested type=\"record\"><Deep type=\"string\">x</Deep></Nested></Medical_Information_child>"
      "<Medical_Information_child type=\"record\"></Medical_Information_child>"
      "<Medical_Information_child type=\"record\"><Medication_Code "
      "type=\"string\">699000111</Medication_Code>"
      "<Medication_Name>untyped</Medication_Name></Medical_Information_child>"
      "</Medical_Information></contraindication_checkreq></data>",
      "contraindication_checkreq");
  EXPECT_TRUE(body.readable);
  EXPECT_EQ(body.value("Patient_ID"), "7");
  const QList<QHash<QString, QString>> items = body.items("Medical_Information");
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0], (QHash<QString, QString>{{"Medication_Code", "699000106"}}));
  EXPECT_TRUE(items[1].isEmpty());
  EXPECT_EQ(items[2], (QHash<QString, QString>{{"Medication_Code", "699000111"}}));
  EXPECT_EQ(body.values.size(), 1);  // array values stay out of the record's values
  EXPECT_TRUE(body.items("Other").isEmpty());
}

TEST(OrcaSimOptions, commandLines) {
  struct Case {
    QStringList arguments;
    ParseOutcome outcome;
  };
  const QList<Case> cases{
      {{}, ParseOutcome::Run},
      {{"--help"}, ParseOutcome::Help},
      {{"--port", "70000"}, ParseOutcome::Error},
      {{"--latency", "-1"}, ParseOutcome::Error},
      {{"--today", "2025-02-30"}, ParseOutcome::Error},
      {{"--fail", "onlinedruggetv2=teapot"}, ParseOutcome::Error},
      {{"--fail", "=500"}, ParseOutcome::Error},
      {{"--tls-cert", "a.pem"}, ParseOutcome::Error},
      {{"--client-ca", "ca.pem"}, ParseOutcome::Error},
      {{"--plain-layout", "--compact"}, ParseOutcome::Error},
      {{"extra"}, ParseOutcome::Error},
  };
  for (const Case& c : cases) {
    SimOptions options;
    QString message;
    EXPECT_EQ(ParseSimOptions(QStringList{"orca-sim"} + c.arguments, &options, &message), c.outcome)
        << c.arguments.join(' ').toStdString();
  }

  SimOptions options;
  QString message;
  ASSERT_EQ(ParseSimOptions({"orca-sim",
                             "--host",
                             "0.0.0.0",
                             "--port",
                             "0",
                             "--user",
                             "u",
                             "--key",
                             "k",
                             "--latency",
                             "25",
                             "--plain-layout",
                             "--clinic-code",
                             "7654321",
                             "--today",
                             "2025-03-14",
                             "--fail",
                             "3=drop",
                             "--fail",
                             "medicalgetv2:2=wait:100"},
                            &options, &message),
            ParseOutcome::Run)
      << message.toStdString();
  EXPECT_EQ(options.host, "0.0.0.0");
  EXPECT_EQ(options.port, 0);
  EXPECT_EQ(options.user, "u");
  EXPECT_EQ(options.key, "k");
  EXPECT_EQ(options.latencyMs, 25);
  EXPECT_EQ(options.layout, XmlLayout::Plain);
  EXPECT_EQ(options.clinicCode, "7654321");
  EXPECT_EQ(options.today, QDate(2025, 3, 14));
  ASSERT_EQ(options.faults.size(), 2);
  EXPECT_EQ(options.faults[0].patient, 3);
  EXPECT_EQ(options.faults[0].kind, FaultRule::Drop);
  EXPECT_EQ(options.faults[1].call, "medicalgetv2");
  EXPECT_EQ(options.faults[1].patient, 2);
  EXPECT_EQ(options.faults[1].kind, FaultRule::Wait);
  EXPECT_EQ(options.faults[1].value, 100);
}

TEST(OrcaSimOptions, jitterBusyDayAndPushOptions) {
  struct Case {
    QStringList arguments;
    ParseOutcome outcome;
  };
  const QList<Case> cases{
      {{"--jitter", "-5"}, ParseOutcome::Error},       {{"--seed", "x"}, ParseOutcome::Error},
      {{"--receptions", "1001"}, ParseOutcome::Error}, {{"--receptions", "-1"}, ParseOutcome::Error},
      {{"--push-every", "0"}, ParseOutcome::Error},    {{"--receptions", "0"}, ParseOutcome::Run},
  };
  for (const Case& c : cases) {
    SimOptions options;
    QString message;
    EXPECT_EQ(ParseSimOptions(QStringList{"orca-sim"} + c.arguments, &options, &message), c.outcome)
        << c.arguments.join(' ').toStdString();
  }

  SimOptions options;
  QString message;
  ASSERT_EQ(ParseSimOptions({"orca-sim"}, &options, &message), ParseOutcome::Run);
  EXPECT_EQ(options.jitterMs, 0);
  EXPECT_FALSE(options.seed);
  EXPECT_EQ(options.receptionsToday, -1);
  EXPECT_EQ(options.pushEverySeconds, 0);
  ASSERT_EQ(ParseSimOptions({"orca-sim", "--jitter", "150", "--seed", "4000000000", "--receptions", "80",
                             "--push-every", "3"},
                            &options, &message),
            ParseOutcome::Run)
      << message.toStdString();
  EXPECT_EQ(options.jitterMs, 150);
  EXPECT_EQ(options.seed, 4000000000u);
  EXPECT_EQ(options.receptionsToday, 80);
  EXPECT_EQ(options.pushEverySeconds, 3);
}

TEST(OrcaSimOptions, layoutChallengeAndClassicServer) {
  struct Case {
    QStringList arguments;
    XmlLayout layout;
    bool challenge, classic;
    std::optional<int> pushPort;
  };
  const QList<Case> cases{
      {{}, XmlLayout::Classic, true, false, std::nullopt},
      {{"--plain-layout"}, XmlLayout::Plain, true, false, std::nullopt},
      {{"--compact"}, XmlLayout::Compact, true, false, std::nullopt},
      {{"--compact", "--no-challenge"}, XmlLayout::Compact, false, false, std::nullopt},
      {{"--classic", "--push-port", "9400"}, XmlLayout::Classic, true, true, 9400},
      {{"--push-port", "0"}, XmlLayout::Classic, true, false, 0},
  };
  for (const Case& c : cases) {
    SimOptions options;
    QString message;
    const std::string what = c.arguments.join(' ').toStdString();
    ASSERT_EQ(ParseSimOptions(QStringList{"orca-sim"} + c.arguments, &options, &message), ParseOutcome::Run)
        << message.toStdString();
    EXPECT_EQ(options.layout, c.layout) << what;
    EXPECT_EQ(options.challenge, c.challenge) << what;
    EXPECT_EQ(options.classic, c.classic) << what;
    EXPECT_EQ(options.pushPort, c.pushPort) << what;
  }
  for (const QStringList& bad : {QStringList{"--push-port", "70000"}, QStringList{"--push-port", "x"}}) {
    SimOptions options;
    QString message;
    EXPECT_EQ(ParseSimOptions(QStringList{"orca-sim"} + bad, &options, &message), ParseOutcome::Error)
        << bad.join(' ').toStdString();
  }
}

}  // namespace
