#include <QProcess>
#include <QRegularExpression>

#include "async/run_blocking.h"
#include "core/ini_file.h"
#include "orca/connection.h"
#include "orca/orca_client.h"
#include "orca/response_reader.h"
#include "push_client.h"
#include "temp_program_folder.h"
#include "test_tls.h"

namespace {

// The executable as scripts use it: started on a free port, it says where it listens.
class SimProcess : public TempProgramFolder {
 protected:
  void TearDown() override {
    if (process_.state() != QProcess::NotRunning) {
      process_.kill();
      process_.waitForFinished();
    }
    TempProgramFolder::TearDown();
  }

  // Starts orca-sim and gives the URL of its listening line, or "" when none came.
  QString start(const QStringList& arguments) {
    process_.start(ORCA_SIM_EXECUTABLE, QStringList{"--port", "0", "--today", "2025-03-14"} + arguments);
    static const QRegularExpression line("^orca-sim listening on (https?://127\\.0\\.0\\.1:[0-9]+)\\n$");
    const QRegularExpressionMatch m = line.match(nextLine());
    return m.hasMatch() ? m.captured(1) : QString();
  }

  QString nextLine() {
    while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
    }
    return QString::fromUtf8(process_.readLine());
  }

  int receptions(const QString& url) {
    IFWriteIniStr("PARAMA", "URL", url + "/api/");
    IFWriteIniStr("PARAMA", "APIUSER", "ormaster");
    IFWriteIniStr("PARAMA", "APIKEY", "ormaster");
    OrcaClient client;
    client.setConnection(ReadConnection());
    client.setTimeoutMs(5000);
    client.setCertStore(ClientCertStore(path("certs")));
    const OrcaAnswer answer =
        RunBlocking(client.post("api01rv2/acceptlstv2?class=03",
                                "<data>  <acceptlstreq type=\"record\">    <Acceptance_Date "
                                "type=\"string\">2025-03-14</Acceptance_Date>  "
                                "</acceptlstreq></data>"));
    if (!answer.ok()) return -1;
    return answer.lines().filter("<Acceptance_Id type=\"string\">").size();
  }

  QProcess process_;
};

// The demo day has 23 receptions: 22 of registered patients and one of a patient not yet registered.
TEST_F(SimProcess, printsItsAddressAndServesTheDemoDay) {
  const QString url = start({});
  ASSERT_FALSE(url.isEmpty());
  EXPECT_EQ(receptions(url), 23);
}

TEST_F(SimProcess, servesHttpsAndCanRequireAClientCertificate) {
  const TestPki& pki = TestCertificates();
  const QStringList tls{"--tls-cert", pki.folder + "/server.crt", "--tls-key", pki.folder + "/server.key"};
  QString url = start(tls);
  ASSERT_TRUE(url.startsWith("https://"));
  EXPECT_EQ(receptions(url), 23);
  process_.kill();
  process_.waitForFinished();

  url = start(tls + QStringList{"--client-ca", pki.folder + "/ca.crt"});
  ASSERT_FALSE(url.isEmpty());
  EXPECT_EQ(receptions(url), -1);
  ClientCertStore(path("certs")).add(pki.client, pki.clientKey);
  EXPECT_EQ(receptions(url), 23);
}

TEST_F(SimProcess, namesItsPushPortOnASecondLine) {
  static const QRegularExpression pushLine("^orca-sim push on (wss?)://127\\.0\\.0\\.1:([0-9]+)/ws\\n$");
  const TestPki& pki = TestCertificates();
  const QStringList tls{"--tls-cert", pki.folder + "/server.crt", "--tls-key", pki.folder + "/server.key"};
  for (const QStringList& extra : {QStringList{}, tls}) {
    const QString url = start(QStringList{"--classic", "--push-port", "0"} + extra);
    ASSERT_FALSE(url.isEmpty());
    const QRegularExpressionMatch m = pushLine.match(nextLine());
    ASSERT_TRUE(m.hasMatch());
    EXPECT_EQ(m.captured(1), extra.isEmpty() ? "ws" : "wss");
    EXPECT_NE(m.captured(2).toInt(), QUrl(url).port());
    PushClient client;
    ASSERT_TRUE(client.open(QUrl(m.captured(0).trimmed().mid(QString("orca-sim push on ").size()))));
    client.subscribe("patient_accept", "r-1");
    EXPECT_EQ(client.frames(1).value(0).value("command"), "subscribed");
    process_.kill();
    process_.waitForFinished();
  }
}

TEST_F(SimProcess, refusesABadCommandLine) {
  process_.start(ORCA_SIM_EXECUTABLE, {"--fail", "nonsense"});
  ASSERT_TRUE(process_.waitForFinished(10000));
  EXPECT_EQ(process_.exitCode(), 2);
  EXPECT_TRUE(process_.readAllStandardError().startsWith("orca-sim: --fail nonsense"));
}

}  // namespace
