#include <QElapsedTimer>
#include <QEventLoop>
#include <QSet>
#include <QTcpSocket>
#include <QTimer>
#include <memory>
#include <numeric>
#include <vector>

#include "sim_fixture.h"

namespace {

const QByteArray kAuthorization = "Basic " + QByteArray("ormaster:ormaster").toBase64();

class SimJitter : public SimTest {};

TEST_F(SimJitter, answersToRequestsSentSideBySideComeBackShuffledAndRight) {
  SimOptions options;
  options.jitterMs = 400;
  options.seed = 1;  // its first delays: 79 223 282 278 262 31 334 27 ms
  start(options);
  constexpr int kRequests = 8;
  std::vector<std::unique_ptr<QTcpSocket>> sockets;
  for (int i = 0; i < kRequests; ++i) {
    sockets.push_back(std::make_unique<QTcpSocket>());
    sockets.back()->connectToHost(QHostAddress::LocalHost, server_->port());
    ASSERT_TRUE(sockets.back()->waitForConnected(5000));
  }
  QList<int> arrived;
  QList<QByteArray> answers(kRequests);
  for (int i = 0; i < kRequests; ++i) {
    QTcpSocket* socket = sockets[i].get();
    QObject::connect(socket, &QTcpSocket::readyRead,
                     [socket, &answers, i] { answers[i] += socket->readAll(); });
    QObject::connect(socket, &QTcpSocket::disconnected, [&arrived, i] { arrived << i; });
    socket->write("GET /api/api01rv2/patientgetv2?id=" + QByteArray::number(i + 1) +
                  " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\nAuthorization: " + kAuthorization +
                  "\r\n\r\n");
  }
  QElapsedTimer clock;
  clock.start();
  while (arrived.size() < kRequests && clock.elapsed() < 10000) {
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
  }
  ASSERT_EQ(arrived.size(), kRequests);
  QList<int> sent(kRequests);
  std::iota(sent.begin(), sent.end(), 0);
  EXPECT_NE(arrived, sent);
  const DemoData demo = sim_->data(kToday);
  for (int i = 0; i < kRequests; ++i) {
    EXPECT_TRUE(answers[i].startsWith("HTTP/1.1 200 OK\r\n")) << i;
    EXPECT_TRUE(answers[i].contains("<WholeName type=\"string\">" + demo.patient(i + 1)->name.toUtf8() + "<"))
        << i;
  }
}

// Every answer is delayed, refusals and faults too, and the same seed gives the same delays.
TEST(OrcaSimJitter, aSeedRepeatsTheDelaysOfEveryKindOfAnswer) {
  SimOptions options;
  options.today = QDate(2025, 3, 14);
  options.latencyMs = 20;
  options.jitterMs = 100;
  QString error;
  options.faults = {*ParseFaultRule("2=500", &error)};
  auto request = [](const QByteArray& target, const QByteArray& key) {
    HttpRequest r;
    r.method = "GET";
    r.target = target;
    r.headers = {{"Authorization", "Basic " + ("ormaster:" + key).toBase64()}};
    return r;
  };
  const QList<HttpRequest> requests{request("/api/api01rv2/patientgetv2?id=1", "ormaster"),
                                    request("/api/api01rv2/patientgetv2?id=2", "ormaster"),
                                    request("/api/api01rv2/patientgetv2?id=1", "wrong"),
                                    request("/api/api01rv2/nosuchcallv2", "ormaster")};
  auto delays = [&](quint32 seed) {
    options.seed = seed;
    OrcaSimulator sim(options);
    QList<int> all;
    for (int round = 0; round < 5; ++round) {
      for (const HttpRequest& r : requests) all << sim.handle(r).delayMs;
    }
    return all;
  };
  const QList<int> first = delays(42);
  EXPECT_EQ(delays(42), first);
  EXPECT_NE(delays(43), first);
  EXPECT_GT(QSet<int>(first.begin(), first.end()).size(), 1);
  for (int d : first) {
    EXPECT_GE(d, 20);
    EXPECT_LE(d, 120);
  }
}

}  // namespace
