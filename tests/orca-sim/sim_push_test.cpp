#include <QRegularExpression>
#include <QTcpSocket>

#include "push_client.h"
#include "sim_fixture.h"

namespace {

// The status line orca-sim answers a WebSocket handshake with, and its challenge.
struct Handshake {
  QByteArray status, challenge;
};

// The head of the answer to a request written as it is.
Handshake Answer(quint16 port, const QByteArray& request) {
  QTcpSocket socket;
  socket.connectToHost(QHostAddress::LocalHost, port);
  if (!socket.waitForConnected(5000)) return {};
  socket.write(request);
  QByteArray head;
  while (!head.contains("\r\n\r\n") && (socket.bytesAvailable() > 0 || socket.waitForReadyRead(5000)))
    head += socket.readAll();
  Handshake h;
  const QList<QByteArray> lines = head.left(head.indexOf("\r\n\r\n")).split('\n');
  h.status = lines.value(0).trimmed();
  for (const QByteArray& line : lines) {
    if (line.toLower().startsWith("www-authenticate:"))
      h.challenge = line.mid(line.indexOf(':') + 1).trimmed();
  }
  return h;
}

Handshake ShakeHands(quint16 port, const QByteArray& authorization) {
  QByteArray request =
      "GET /ws HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
      "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\nX-GINBEE-TENANT-ID: 1\r\n";
  if (!authorization.isEmpty()) request += "Authorization: " + authorization + "\r\n";
  return Answer(port, request + "\r\n");
}

class SimPush : public SimTest {
 protected:
  QStringList today(const QString& cls) {
    const auto lines = post("api01rv2/acceptlstv2?class=" + cls, AcceptBody("2025-03-14"));
    return lines.value_or(QStringList());
  }
};

TEST_F(SimPush, aSubscriberHearsOfAReceptionThatTheNextListEndsWith) {
  PushClient client;
  ASSERT_TRUE(client.open(pushUrl()));
  client.subscribe("patient_accept", "r-0001");
  const QList<QJsonObject> subscribed = client.frames(1);
  ASSERT_EQ(subscribed.size(), 1);
  EXPECT_EQ(subscribed[0].value("command"), "subscribed");
  EXPECT_EQ(subscribed[0].value("req.id"), "r-0001");
  EXPECT_FALSE(subscribed[0].value("sub.id").toString().isEmpty());

  const RawReply reply = raw("POST", "/sim/accept", "Patient_ID=5");
  EXPECT_EQ(reply.status, 200);
  const QList<QJsonObject> frames = client.frames(2);
  ASSERT_EQ(frames.size(), 2);
  EXPECT_EQ(frames[1].value("command"), "event");
  const QJsonObject data = frames[1].value("data").toObject();
  EXPECT_EQ(data.value("event"), "patient_accept");
  EXPECT_EQ(data.value("user"), "ormaster");
  EXPECT_TRUE(QRegularExpression("^2025-03-14T\\d\\d:\\d\\d:\\d\\d\\+0900$")
                  .match(data.value("time").toString())
                  .hasMatch())
      << data.value("time").toString().toStdString();
  // The demo day's last reception, its 23rd, is at 12:03:12; the next one comes after it.
  EXPECT_EQ(data.value("body").toObject(), (QJsonObject{{"Patient_Mode", "add"},
                                                        {"Patient_ID", "00005"},
                                                        {"Accept_Date", "2025-03-14"},
                                                        {"Accept_Time", "12:07:12"},
                                                        {"Accept_Id", "00024"},
                                                        {"Department_Code", "01"},
                                                        {"Physician_Code", "10001"},
                                                        {"Insurance_Combination_Number", "0001"}}));

  const QStringList inProgress = today("01");
  EXPECT_EQ(Values(inProgress, "Patient_ID").size(), 10);
  EXPECT_EQ(Values(inProgress, "Patient_ID").last(), "00005");
  EXPECT_EQ(Values(inProgress, "Acceptance_Id").last(), "00024");
  EXPECT_EQ(Values(inProgress, "Acceptance_Time").last(), "12:07:12");
  EXPECT_TRUE(client.pingAnswered());
}

TEST_F(SimPush, everythingSubscribersHearOfBillingTooAndOthersDoNot) {
  PushClient everything, accepts;
  ASSERT_TRUE(everything.open(pushUrl()));
  ASSERT_TRUE(accepts.open(pushUrl()));
  everything.subscribe("*", "r-1");
  accepts.subscribe("patient_accept", "r-2");
  ASSERT_EQ(everything.frames(1).size(), 1);
  ASSERT_EQ(accepts.frames(1).size(), 1);

  EXPECT_EQ(raw("POST", "/sim/accept", "Patient_ID=7").status, 200);
  EXPECT_EQ(raw("POST", "/sim/account", "Patient_ID=7").status, 200);
  EXPECT_EQ(raw("POST", "/sim/accept", "Patient_ID=00009").status, 200);

  QStringList heard;
  for (const QJsonObject& f : everything.frames(4)) heard << Summary(f);
  EXPECT_EQ(heard, (QStringList{"subscribed", "event patient_accept 00007", "event patient_account 00007",
                                "event patient_accept 00009"}));
  // Frames keep their order on a connection: had billing reached this one, it would come before 00009.
  heard.clear();
  for (const QJsonObject& f : accepts.frames(3)) heard << Summary(f);
  EXPECT_EQ(heard, (QStringList{"subscribed", "event patient_accept 00007", "event patient_accept 00009"}));

  const QJsonObject billing = everything.frames(4).value(2).value("data").toObject().value("body").toObject();
  EXPECT_EQ(billing.value("Patient_Mode"), "add");
  EXPECT_EQ(billing.value("Information_Date"), "2025-03-14");
  EXPECT_EQ(billing.value("Perform_Date"), "2025-03-14");
  const QStringList billed = today("02");
  EXPECT_EQ(Values(billed, "Patient_ID").last(), "00007");
  EXPECT_EQ(Values(billed, "Account_Time").last(), billing.value("Information_Time").toString());
  EXPECT_EQ(Values(billed, "Acceptance_Id").last(), "00024");
}

TEST_F(SimPush, theHandshakeNeedsTheApiCredentials) {
  struct Case {
    QByteArray authorization, status, challenge;
  };
  const QList<Case> cases{
      {"", "HTTP/1.1 401 Unauthorized", "Basic realm=\"orca\""},
      {"Basic " + QByteArray("ormaster:wrong").toBase64(), "HTTP/1.1 401 Unauthorized",
       "Basic realm=\"orca\""},
      {"Basic " + QByteArray("orm aster:ormaster").toBase64(), "HTTP/1.1 403 Forbidden", ""},
      {PushClient::kGoodAuthorization, "HTTP/1.1 101 Switching Protocols", ""},
  };
  for (const Case& c : cases) {
    const Handshake h = ShakeHands(server_->port(), c.authorization);
    EXPECT_EQ(h.status, c.status) << c.authorization.toStdString();
    EXPECT_EQ(h.challenge, c.challenge) << c.authorization.toStdString();
  }
  PushClient refused;
  EXPECT_FALSE(refused.open(pushUrl(), "Basic " + QByteArray("ormaster:wrong").toBase64()));

  SimOptions options;
  options.challenge = false;
  start(options);
  for (const QByteArray& authorization : {QByteArray(), "Basic " + QByteArray("ormaster:wrong").toBase64()}) {
    const Handshake h = ShakeHands(server_->port(), authorization);
    EXPECT_EQ(h.status, "HTTP/1.1 401 Unauthorized");
    EXPECT_EQ(h.challenge, "");
  }
}

TEST_F(SimPush, aPushPortHearsWhatTheApiPortHearsAndServesNothingElse) {
  SimOptions options;
  options.pushPort = 0;
  start(options);
  PushClient api, pusher;
  ASSERT_TRUE(api.open(pushUrl()));
  ASSERT_TRUE(pusher.open(pushPortUrl()));
  api.subscribe("*", "r-1");
  pusher.subscribe("*", "r-2");
  ASSERT_EQ(api.frames(1).size(), 1);
  ASSERT_EQ(pusher.frames(1).size(), 1);
  EXPECT_EQ(raw("POST", "/sim/accept", "Patient_ID=5").status, 200);
  EXPECT_EQ(raw("POST", "/sim/account", "Patient_ID=5").status, 200);
  for (PushClient* client : {&api, &pusher}) {
    QStringList heard;
    for (const QJsonObject& f : client->frames(3)) heard << Summary(f);
    EXPECT_EQ(heard,
              (QStringList{"subscribed", "event patient_accept 00005", "event patient_account 00005"}));
  }
  EXPECT_EQ(api.frames(3).value(1), pusher.frames(3).value(1));
  const quint16 port = pushPortUrl().port();
  EXPECT_EQ(Answer(port, "GET /ws HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: " +
                             PushClient::kGoodAuthorization + "\r\n\r\n")
                .status,
            "HTTP/1.1 404 Not Found");
  EXPECT_EQ(
      Answer(port, "POST /api01rv2/acceptlstv2?class=03 HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: " +
                       PushClient::kGoodAuthorization + "\r\nContent-Length: 0\r\n\r\n")
          .status,
      "HTTP/1.1 404 Not Found");
}

TEST_F(SimPush, theClassicServerPushesOnlyOnThePushPort) {
  SimOptions options;
  options.classic = true;
  options.pushPort = 0;
  start(options);
  EXPECT_EQ(ShakeHands(server_->port(), PushClient::kGoodAuthorization).status, "HTTP/1.1 400 Bad Request");
  PushClient refused;
  EXPECT_FALSE(refused.open(pushUrl()));
  struct Case {
    QByteArray authorization, status, challenge;
  };
  const QList<Case> cases{
      {"", "HTTP/1.1 401 Unauthorized", "Basic realm=\"orca\""},
      {"Basic " + QByteArray("ormaster:wrong").toBase64(), "HTTP/1.1 401 Unauthorized",
       "Basic realm=\"orca\""},
      {"Basic " + QByteArray("orm aster:ormaster").toBase64(), "HTTP/1.1 403 Forbidden", ""},
      {PushClient::kGoodAuthorization, "HTTP/1.1 101 Switching Protocols", ""},
  };
  for (const Case& c : cases) {
    const Handshake h = ShakeHands(pushPortUrl().port(), c.authorization);
    EXPECT_EQ(h.status, c.status) << c.authorization.toStdString();
    EXPECT_EQ(h.challenge, c.challenge) << c.authorization.toStdString();
  }
  PushClient client;
  ASSERT_TRUE(client.open(pushPortUrl()));
  client.subscribe("patient_accept", "r-1");
  ASSERT_EQ(client.frames(1).size(), 1);
  EXPECT_EQ(raw("POST", "/sim/accept", "Patient_ID=6").status, 200);
  QStringList heard;
  for (const QJsonObject& f : client.frames(2)) heard << Summary(f);
  EXPECT_EQ(heard, (QStringList{"subscribed", "event patient_accept 00006"}));
}

TEST_F(SimPush, aFrameThatIsNoSubscriptionGetsAnErrorAndTheConnectionStays) {
  PushClient client;
  ASSERT_TRUE(client.open(pushUrl()));
  const QStringList frames{"not json", "[1,2]", R"({"command":"dance","req.id":"r-7"})",
                           R"({"command":"subscribe","req.id":"r-8"})"};
  for (const QString& f : frames) client.send(f);
  client.subscribe("patient_accept", "r-9");
  const QList<QJsonObject> answers = client.frames(frames.size() + 1);
  ASSERT_EQ(answers.size(), frames.size() + 1);
  for (qsizetype i = 0; i < frames.size(); ++i) {
    EXPECT_EQ(answers[i].value("command"), "error") << frames[i].toStdString();
  }
  EXPECT_EQ(answers[2].value("req.id"), "r-7");
  EXPECT_EQ(answers.last().value("command"), "subscribed");
}

TEST_F(SimPush, controlCallsRefuseWhatTheyCannotDo) {
  struct Case {
    QString path;
    QByteArray body;
    int status;
    QByteArray authorization = PushClient::kGoodAuthorization;
  };
  const QList<Case> cases{
      {"/sim/accept", "", 400},
      {"/sim/accept", "Patient_ID=", 400},
      {"/sim/accept", "Patient_ID=abc", 400},
      {"/sim/accept", "Patient_ID=99999", 404},  // unknown to the demo
      {"/sim/account", "Patient_ID=1", 404},     // received today, but billed already
      {"/sim/account", "Patient_ID=9", 404},     // not received today
      {"/sim/accept", "Patient_ID=5", 401, "Basic " + QByteArray("ormaster:wrong").toBase64()},
      {"/sim/accept", "Patient_ID=5", 401, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(raw("POST", c.path, c.body, c.authorization).status, c.status)
        << c.path.toStdString() << " " << c.body.toStdString();
  }
  EXPECT_EQ(Values(today("03"), "Patient_ID").size(), 22) << "nothing was received";
}

}  // namespace

namespace {

// ORCA restarted keeps its day: a simulator started again on the same state file lists the receptions
// made and billed through the control calls as they were, billing times included; one without the file
// knows only the demo's day.
TEST_F(SimPush, aStateFileKeepsTheDaysChangesAcrossARestart) {
  SimOptions options;
  options.stateFile = path("sim-state.txt");
  start(options);
  for (const auto& [call, patient] : {std::pair{"/sim/accept", "7"},
                                      {"/sim/account", "7"},
                                      {"/sim/accept", "9"},
                                      {"/sim/accept", "7"},
                                      {"/sim/account", "3"}})
    ASSERT_EQ(raw("POST", call, QByteArray("Patient_ID=") + patient).status, 200) << call << patient;
  // Information_Time is when an answer was made, not part of the day kept: a second may tick between.
  const auto dayOf = [this](const QString& cls) {
    QStringList lines = today(cls);
    lines.removeIf([](const QString& line) { return line.startsWith("<Information_Time "); });
    return lines;
  };
  const QStringList inProgress = dayOf("01"), billed = dayOf("02");
  ASSERT_EQ(Values(inProgress, "Patient_ID").mid(Values(inProgress, "Patient_ID").size() - 2),
            (QStringList{"00009", "00007"}));

  start(options);
  EXPECT_EQ(dayOf("01"), inProgress);
  EXPECT_EQ(dayOf("02"), billed);

  options.stateFile.clear();
  start(options);
  EXPECT_FALSE(Values(today("01"), "Patient_ID").contains("00009"));
}

// /sim/latency slows every later answer down, and 0 lifts it again.
TEST_F(SimPush, theLatencyCanBeChangedWhileTheSimulatorRuns) {
  client_->setTimeoutMs(300);
  EXPECT_EQ(raw("POST", "/sim/latency", "MS=abc").status, 400);
  EXPECT_EQ(raw("POST", "/sim/latency", "MS=-1").status, 400);
  const RawReply slow = raw("POST", "/sim/latency", "MS=2000");
  EXPECT_EQ(slow.status, 200);
  EXPECT_EQ(slow.body, "latency 2000 ms\n");
  EXPECT_FALSE(post("api01rv2/patientgetv2?id=2", ""));
  ASSERT_EQ(raw("POST", "/sim/latency", "MS=0").status, 200);
  EXPECT_TRUE(post("api01rv2/patientgetv2?id=2", ""));
}

}  // namespace
