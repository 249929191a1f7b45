#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

#include "core/ini_file.h"
#include "orca/connection.h"
#include "orca/orca_client.h"
#include "orca/response_reader.h"
#include "push_client.h"
#include "sim_fixture.h"
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
    while (process_.waitForReadyRead(10000) || process_.canReadLine()) {
      if (!process_.canReadLine()) continue;
      const QRegularExpressionMatch m = line.match(QString::fromUtf8(process_.readLine()));
      return m.hasMatch() ? m.captured(1) : QString();
    }
    return {};
  }

  int receptions(const QString& url) {
    const std::optional<QStringList> lines = todayList(url);
    return lines ? lines->filter("<Acceptance_Id type=\"string\">").size() : -1;
  }

  // acceptlstv2 of the day through the program's own client; nothing when it failed.
  std::optional<QStringList> todayList(const QString& url) {
    IFWriteIniStr("PARAMA", "URL", url + "/api/");
    IFWriteIniStr("PARAMA", "APIUSER", "ormaster");
    IFWriteIniStr("PARAMA", "APIKEY", "ormaster");
    OrcaClient client;
    client.setConnection(GetWebORCAInfo());
    client.setTimeoutMs(5000);
    client.setCertStore(ClientCertStore(path("certs")));
    const QString file = client.ORCAPost("api01rv2/acceptlstv2?class=03",
                                         "<data>  <acceptlstreq type=\"record\">    <Acceptance_Date "
                                         "type=\"string\">2025-03-14</Acceptance_Date>  "
                                         "</acceptlstreq></data>");
    if (file.isEmpty()) return std::nullopt;
    return ReadResponseLines(file);
  }

  QProcess process_;
};

TEST_F(SimProcess, printsItsAddressAndServesTheDemoDay) {
  const QString url = start({});
  ASSERT_FALSE(url.isEmpty());
  EXPECT_EQ(receptions(url), 22);
}

TEST_F(SimProcess, servesHttpsAndCanRequireAClientCertificate) {
  const TestPki& pki = TestCertificates();
  const QStringList tls{"--tls-cert", pki.folder + "/server.crt", "--tls-key", pki.folder + "/server.key"};
  QString url = start(tls);
  ASSERT_TRUE(url.startsWith("https://"));
  EXPECT_EQ(receptions(url), 22);
  process_.kill();
  process_.waitForFinished();

  url = start(tls + QStringList{"--client-ca", pki.folder + "/ca.crt"});
  ASSERT_FALSE(url.isEmpty());
  EXPECT_EQ(receptions(url), -1);
  ClientCertStore(path("certs")).add(pki.client, pki.clientKey);
  EXPECT_EQ(receptions(url), 22);
}

// The WebSocket scheme follows the API's: wss:// with the TLS options.
TEST_F(SimProcess, pushesTheReceptionsItMakesByItselfOverWsAndWss) {
  const TestPki& pki = TestCertificates();
  const QList<QStringList> cases{
      {},
      {"--tls-cert", pki.folder + "/server.crt", "--tls-key", pki.folder + "/server.key"},
  };
  for (const QStringList& tls : cases) {
    const QString url = start(tls + QStringList{"--push-every", "1"});
    ASSERT_FALSE(url.isEmpty());
    QUrl push(url + "/ws");
    push.setScheme(url.startsWith("https") ? "wss" : "ws");
    PushClient client;
    ASSERT_TRUE(client.open(push)) << push.toString().toStdString();
    client.subscribe("patient_accept", "r-1");
    const QList<QJsonObject> frames = client.frames(2);
    ASSERT_EQ(frames.size(), 2) << push.toString().toStdString();
    EXPECT_EQ(frames[0].value("command"), "subscribed");
    const QJsonObject body = frames[1].value("data").toObject().value("body").toObject();
    EXPECT_EQ(Summary(frames[1]), "event patient_accept " + body.value("Patient_ID").toString());
    EXPECT_EQ(body.value("Accept_Date"), "2025-03-14");

    // The pushed reception is in the list, with the number the event gave it.
    const std::optional<QStringList> list = todayList(url);
    ASSERT_TRUE(list);
    const qsizetype row = Values(*list, "Acceptance_Id").indexOf(body.value("Accept_Id").toString());
    ASSERT_GE(row, 22);
    EXPECT_EQ(Values(*list, "Patient_ID").value(row), body.value("Patient_ID").toString());
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
