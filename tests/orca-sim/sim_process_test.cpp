#include <QProcess>
#include <QRegularExpression>

#include "async/run_blocking.h"
#include "core/ini_file.h"
#include "orca/connection.h"
#include "orca/orca_client.h"
#include "orca/response_reader.h"
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
    IFWriteIniStr("PARAMA", "URL", url + "/api/");
    IFWriteIniStr("PARAMA", "APIUSER", "ormaster");
    IFWriteIniStr("PARAMA", "APIKEY", "ormaster");
    OrcaClient client;
    client.setConnection(GetWebORCAInfo());
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

TEST_F(SimProcess, refusesABadCommandLine) {
  process_.start(ORCA_SIM_EXECUTABLE, {"--fail", "nonsense"});
  ASSERT_TRUE(process_.waitForFinished(10000));
  EXPECT_EQ(process_.exitCode(), 2);
  EXPECT_TRUE(process_.readAllStandardError().startsWith("orca-sim: --fail nonsense"));
}

}  // namespace
