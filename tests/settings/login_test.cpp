#include <gtest/gtest.h>

#include <QDir>

#include "core/clock.h"
#include "http_server.h"
#include "recording_settings_ui.h"
#include "settings/login_rules.h"
#include "settings/setting_logic.h"
#include "temp_program_folder.h"
#include "test_tls.h"
#include "wait_until_idle.h"

namespace {

class LoginTest : public TempProgramFolder {
 protected:
  void SetUp() override {
    TempProgramFolder::SetUp();
    SetClockForTesting([] { return QDateTime(QDate(2024, 5, 1), QTime(10, 0, 5)); });
    logic_ = std::make_unique<SettingLogic>(ui_);
    logic_->setCertStoreFolder(path("certs"));
    logic_->setTimeoutMs(5000);
  }
  // Points the cloud URL at the server and runs the test as the button does.
  QString test(const HttpServer& server, const QString& scheme = "http") {
    logic_->controls().urlEdit.text = scheme + "://127.0.0.1:" + QString::number(server.port()) + "/api/";
    logic_->controls().apiUserEdit.text = " ormaster ";
    logic_->controls().apiKeyEdit.text = " secret-key ";
    logic_->Button3Click();
    WaitUntilIdle(*logic_);
    EXPECT_FALSE(logic_->working());
    return logic_->controls().resultMemo.text();
  }

  RecordingSettingsUi ui_;
  std::unique_ptr<SettingLogic> logic_;
};

TEST(LoginRules, urlFromTheWindowsFields) {
  const QString api = kConnectionTestApiPath;
  EXPECT_EQ(ConnectionTestUrl("https://h:443/api/", api, false, "10.0.0.1"),
            "https://h:443/api/api01rv2/patientgetv2?id=00001");
  EXPECT_EQ(ConnectionTestUrl(" https://h/api/", api, false, ""),
            " https://h/api/api01rv2/patientgetv2?id=00001");
  EXPECT_EQ(ConnectionTestUrl("https://h/api/", api, true, " 10.0.0.1 "),
            "http://10.0.0.1:8000/api/api01rv2/patientgetv2?id=00001");
  EXPECT_EQ(ConnectionTestUrl("https://h/api/", api, true, ""),
            "http://:8000/api/api01rv2/patientgetv2?id=00001");
}

TEST(LoginRules, resultTextByStatus) {
  EXPECT_EQ(LoginResultText(200), "ログイン成功 Code=200");
  EXPECT_EQ(LoginResultText(400), "ログイン失敗 Code=400");
  EXPECT_EQ(LoginResultText(401), "認証失敗 Code=401");
  EXPECT_EQ(LoginResultText(404), "ログイン失敗 Code=404");
  EXPECT_EQ(LoginResultText(503), "ログイン失敗 Code=503");
}

TEST_F(LoginTest, successSendsTheCredentialsLogsWithoutThePasswordAndKeepsTheBody) {
  // A server that refuses without asking: the credentials must come with the request.
  HttpServer server([](const HttpRequest& r) {
    QString user, password;
    if (!r.basicCredentials(&user, &password)) return HttpAction::Status(401);
    if (user != "ormaster" || password != "secret-key") return HttpAction::Status(401);
    return HttpAction::Ok("\xEF\xBB\xBF<xmlio2>山田</xmlio2>");
  });
  ASSERT_TRUE(server.listen());
  EXPECT_EQ(test(server), "ログイン成功 Code=200");
  EXPECT_EQ(logic_->FAuthUser, "ormaster");
  EXPECT_EQ(logic_->FAuthPass, "secret-key");
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 1);
  EXPECT_EQ(requests.last().method, "GET");
  EXPECT_EQ(requests.last().target, "/api/api01rv2/patientgetv2?id=00001");
  EXPECT_TRUE(requests.last().body.isEmpty());
  EXPECT_EQ(logMessages(), (QStringList{"ormaster ********", "ログイン時間：2024-05-01 10:00:05",
                                        "ログイン成功 Code=200", "<xmlio2>山田</xmlio2>"}));
  EXPECT_FALSE(readFile("Log.txt").contains("secret-key"));
  EXPECT_EQ(readFile("Res.txt"), "\xEF\xBB\xBF<xmlio2>山田</xmlio2>");
  EXPECT_FALSE(logic_->controls().urlEdit.text.isEmpty());
  EXPECT_FALSE(QFile::exists(path("user.ini"))) << "the test changes no setting";
}

// ORCA without WebORCA answers WebORCA's path with 400: the test asks once more at /api01rv2/ and
// shows that answer when it succeeds, the first one when it does not.
TEST_F(LoginTest, aServerRefusingWebOrcasPathIsAskedOnceMoreInTheClassicForm) {
  for (const bool classicAnswers : {true, false}) {
    SCOPED_TRACE(classicAnswers);
    HttpServer server([classicAnswers](const HttpRequest& r) {
      if (r.target.startsWith("/api/")) return HttpAction::Status(400);
      return classicAnswers ? HttpAction::Ok("<xmlio2>試験</xmlio2>") : HttpAction::Status(404);
    });
    ASSERT_TRUE(server.listen());
    QFile::remove(path("Log.txt"));
    QFile::remove(path("Res.txt"));
    EXPECT_EQ(test(server), classicAnswers ? "ログイン成功 Code=200" : "ログイン失敗 Code=400");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests[1].target, "/api01rv2/patientgetv2?id=00001");
    QStringList expected{"ormaster ********", "ログイン時間：2024-05-01 10:00:05", "ログイン失敗 Code=400",
                         "", "ログイン時間：2024-05-01 10:00:05"};
    if (classicAnswers) {
      expected << "ログイン成功 Code=200"
               << "<xmlio2>試験</xmlio2>"
               << QString(
                      "Classic API form: http://127.0.0.1:%1 answers at /api01rv2/ (/api/api01rv2/ was "
                      "answered 400)")
                      .arg(server.port());
    } else {
      expected << "ログイン失敗 Code=404"
               << "";
    }
    EXPECT_EQ(logMessages(), expected);
    EXPECT_EQ(QFile::exists(path("Res.txt")), classicAnswers);
  }
}

TEST_F(LoginTest, everyOtherStatusShowsItsTextAndLeavesResTxt) {
  writeFile("Res.txt", "earlier");
  struct Case {
    HttpAction action;
    const char* shown;
  } cases[] = {{HttpAction::Status(400, "bad"), "ログイン失敗 Code=400"},
               {HttpAction::Status(403), "ログイン失敗 Code=403"},
               {HttpAction::BasicChallenge(), "認証失敗 Code=401"},
               {HttpAction::Status(401), "認証失敗 Code=401"},
               {HttpAction::Status(404), "ログイン失敗 Code=404"},
               {HttpAction::Status(500, "down"), "ログイン失敗 Code=500"}};
  for (const Case& k : cases) {
    HttpServer server([&](const HttpRequest&) { return k.action; });
    ASSERT_TRUE(server.listen());
    QFile::remove(path("Log.txt"));
    EXPECT_EQ(test(server), QString::fromUtf8(k.shown));
    const QStringList log = logMessages();
    // A 400 is asked once more in the classic form (three lines more), and shown as it came.
    ASSERT_EQ(log.size(), k.action.status == 400 ? 7 : 4) << k.shown;
    EXPECT_EQ(log[2], QString::fromUtf8(k.shown));
    EXPECT_EQ(log[3], QString::fromUtf8(k.action.body));
  }
  EXPECT_EQ(readFile("Res.txt"), "earlier");
}

// A connection closed without an answer, and answers cut short after their status line: none of
// them is a result, whatever status came first.
TEST_F(LoginTest, requestThatFailsShowsTheClientsMessage) {
  writeFile("Res.txt", "earlier");
  for (const HttpAction& action :
       {HttpAction::Close(), HttpAction::Raw("HTTP/1.1 200 OK\r\nContent-Length: 90\r\n\r\n<xmlio2>"),
        HttpAction::Raw("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n8\r\n<xmlio2>\r\n")}) {
    HttpServer server([&](const HttpRequest&) { return action; });
    ASSERT_TRUE(server.listen());
    QFile::remove(path("Log.txt"));
    const QString shown = test(server);
    ASSERT_TRUE(shown.startsWith("エラー: ")) << shown.toStdString();
    const QString message = shown.mid(5);
    EXPECT_FALSE(message.isEmpty());
    EXPECT_EQ(logMessages(), (QStringList{"ormaster ********", "Error: " + message}));
  }
  EXPECT_EQ(readFile("Res.txt"), "earlier");
}

TEST_F(LoginTest, onPremiseWithoutAnAddressFailsWithAnEmptyHost) {
  logic_->CheckRadioButton2();
  logic_->controls().addressEdit.text = "  ";
  logic_->Button3Click();
  WaitUntilIdle(*logic_);
  const QString shown = logic_->controls().resultMemo.text();
  EXPECT_TRUE(shown.startsWith("エラー: ") && shown.size() > 5) << shown.toStdString();
  EXPECT_EQ(logMessages().last(), "Error: " + shown.mid(5));
}

TEST_F(LoginTest, errorWhileKeepingTheAnswerIsAnUnexpectedError) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir("Res.txt"));
  HttpServer server([](const HttpRequest&) { return HttpAction::Ok("<ok/>"); });
  ASSERT_TRUE(server.listen());
  const QString shown = test(server);
  ASSERT_TRUE(shown.startsWith("エラー: ")) << shown.toStdString();
  EXPECT_TRUE(shown.contains(path("Res.txt"))) << shown.toStdString();
  EXPECT_EQ(logMessages().last(), "Unexpected Error: " + shown.mid(5));
}

TEST_F(LoginTest, cloudModeSpeaksTls12Only) {
  const TestPki& pki = TestCertificates();
  HttpServer tls13([](const HttpRequest&) { return HttpAction::Ok("<ok/>"); });
  ASSERT_TRUE(tls13.listen(QHostAddress::LocalHost, 0,
                           TlsSettings{pki.server, pki.serverKey, QSsl::TlsV1_3OrLater, {}}));
  EXPECT_TRUE(test(tls13, "https").startsWith("エラー: "));
  EXPECT_TRUE(tls13.requests().isEmpty());

  HttpServer any([](const HttpRequest&) { return HttpAction::Ok("<ok/>"); });
  ASSERT_TRUE(any.listen(QHostAddress::LocalHost, 0,
                         TlsSettings{pki.server, pki.serverKey, QSsl::SecureProtocols, {}}));
  EXPECT_EQ(test(any, "https"), "ログイン成功 Code=200");
}

}  // namespace
