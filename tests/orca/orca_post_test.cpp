#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMutex>
#include <QTimer>
#include <atomic>
#include <deque>

#include "async/run_blocking.h"
#include "async/when_all.h"
#include "core/core_error.h"
#include "http_server.h"
#include "orca/orca_client.h"
#include "temp_program_folder.h"

namespace {

const QString kAccept = "api01rv2/acceptlstv2?class=03";
const QString kBody =
    "<data>  <acceptlstreq type=\"record\">    <Acceptance_Date type=\"string\">2025-03-14</Acceptance_Date> "
    " </acceptlstreq></data>";

// A loopback server that plays a script: one action per request, the last one repeated.
class Script {
 public:
  explicit Script(std::deque<HttpAction> actions) : actions_(std::move(actions)) {}
  HttpAction next() {
    QMutexLocker lock(&mutex_);
    HttpAction a = actions_.front();
    if (actions_.size() > 1) actions_.pop_front();
    return a;
  }

 private:
  QMutex mutex_;
  std::deque<HttpAction> actions_;
};

class OrcaPost : public TempProgramFolder {
 protected:
  // Starts a server playing the actions and configures user.ini and the client for it.
  void serve(std::deque<HttpAction> actions) {
    script_ = std::make_unique<Script>(std::move(actions));
    server_ = std::make_unique<HttpServer>([this](const HttpRequest&) { return script_->next(); });
    ASSERT_TRUE(server_->listen());
    configure(QString("http://127.0.0.1:%1/api/").arg(server_->port()));
  }
  void configure(const QString& url, const QString& user = "ormaster", const QString& key = "ormaster") {
    writeFile("user.ini",
              QString("[PARAMA]\r\nURL=%1\r\nAPIUSER=%2\r\nAPIKEY=%3\r\n").arg(url, user, key).toUtf8());
    client_.setConnection(ReadConnection());
    client_.setTimeoutMs(300);
  }
  QString url(const QString& apiPath) const { return client_.connection().baseUrl + apiPath; }

  std::unique_ptr<Script> script_;
  std::unique_ptr<HttpServer> server_;
  OrcaClient client_;
};

Task<std::vector<OrcaAnswer>> All(std::vector<Task<OrcaAnswer>> posts) {
  co_return co_await WhenAll(std::move(posts));
}

const QByteArray kAnswer =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xmlio2>\n  <WholeName type=\"string\">試験 "
    "花子</WholeName>\n</xmlio2>\n";

TEST_F(OrcaPost, postsTheBodyAndStoresTheAnswerWithAByteOrderMark) {
  serve({HttpAction::Ok(kAnswer)});
  const QString dump = RunBlocking(client_.post(kAccept, kBody)).dumpPath;
  EXPECT_EQ(dump, path("Res_api01rv2_acceptlstv2_class_03.txt"));
  EXPECT_EQ(readFile("Res_api01rv2_acceptlstv2_class_03.txt"), "\xEF\xBB\xBF" + kAnswer);
  EXPECT_EQ(logMessages(), QStringList({"API: " + kAccept + " URL: " + url(kAccept), "ResponseCode=200"}));

  const auto requests = server_->requests();
  ASSERT_EQ(requests.size(), 1);
  EXPECT_EQ(requests[0].method, "POST");
  EXPECT_EQ(requests[0].target, "/api/api01rv2/acceptlstv2?class=03");
  EXPECT_EQ(requests[0].header("Content-Type"), "application/xml; charset=UTF-8");
  EXPECT_EQ(requests[0].header("Connection"), "Keep-Alive");
  EXPECT_EQ(requests[0].body, kBody.toUtf8());
}

TEST_F(OrcaPost, aBlankBodySendsAPlainGet) {
  serve({HttpAction::Ok(kAnswer).after(900), HttpAction::Ok(kAnswer)});
  EXPECT_EQ(RunBlocking(client_.post("api01rv2/patientgetv2?id=123", "   ")).dumpPath,
            path("Res_api01rv2_patientgetv2_id_123.txt"));
  const auto requests = server_->requests();
  ASSERT_EQ(requests.size(), 2);
  for (const HttpRequest& r : requests) {
    EXPECT_EQ(r.method, "GET");
    EXPECT_EQ(r.target, "/api/api01rv2/patientgetv2?id=123");
    EXPECT_EQ(r.header("Content-Type"), "");
    EXPECT_TRUE(r.body.isEmpty());
  }
  EXPECT_EQ(requests[0].header("Connection"), "Keep-Alive");
  EXPECT_EQ(requests[1].header("Connection"), "close");
}

// Each row: what the server does on successive attempts, the result, and the log after the "API: " line.
TEST_F(OrcaPost, followsTheFailureTable) {
  const QString timeout = "HTTP Error (attempt %1): The server did not answer within 300 ms (time-out)";
  struct Case {
    const char* what;
    std::deque<HttpAction> actions;
    bool dumped;
    int requests;     // negative: at least that many, as Qt itself resends once over a closed connection
    QStringList log;  // "%" lines are compared by their beginning
  };
  const Case cases[] = {
      {"status 500 is final", {HttpAction::Status(500)}, false, 1, {"ResponseCode=500"}},
      {"status 404 is final", {HttpAction::Status(404)}, false, 1, {"ResponseCode=404"}},
      {"401 without challenge is final", {HttpAction::Status(401)}, false, 1, {"ResponseCode=401"}},
      {"time-out three times",
       {HttpAction::Ok(kAnswer).after(900)},
       false,
       3,
       {timeout.arg(1), timeout.arg(2), timeout.arg(3)}},
      {"time-out, then an answer",
       {HttpAction::Ok(kAnswer).after(900), HttpAction::Ok(kAnswer)},
       true,
       2,
       {timeout.arg(1), "ResponseCode=200"}},
      {"connection closed without answer every time",
       {HttpAction::Close()},
       false,
       -3,
       {"%HTTP Error (attempt 1): ", "%HTTP Error (attempt 2): ", "%HTTP Error (attempt 3): "}},
      {"malformed answer every time",
       {HttpAction::Raw("garbage\r\n\r\n")},
       false,
       -3,
       {"%HTTP Error (attempt 1): ", "%HTTP Error (attempt 2): ", "%HTTP Error (attempt 3): "}},
      // A status line alone is no answer: the body must arrive up to its announced end.
      {"body cut short, then an answer",
       {HttpAction::Raw("HTTP/1.1 200 OK\r\nContent-Length: 200\r\n\r\n<xmlio2>half"),
        HttpAction::Ok(kAnswer)},
       true,
       2,
       {"%HTTP Error (attempt 1): ", "ResponseCode=200"}},
      {"chunked body cut short every time",
       {HttpAction::Raw("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n8\r\n<xmlio2>\r\n")},
       false,
       3,
       {"%HTTP Error (attempt 1): ", "%HTTP Error (attempt 2): ", "%HTTP Error (attempt 3): "}},
  };
  for (const Case& c : cases) {
    QFile::remove(path("Log.txt"));
    QFile::remove(path("Res_api01rv2_acceptlstv2_class_03.txt"));
    serve(c.actions);
    QElapsedTimer clock;
    clock.start();
    const QString dump = RunBlocking(client_.post(kAccept, kBody)).dumpPath;
    EXPECT_EQ(!dump.isEmpty(), c.dumped) << c.what;
    EXPECT_EQ(QFile::exists(path("Res_api01rv2_acceptlstv2_class_03.txt")), c.dumped) << c.what;
    if (c.dumped) {
      EXPECT_EQ(readFile("Res_api01rv2_acceptlstv2_class_03.txt"), "\xEF\xBB\xBF" + kAnswer) << c.what;
    }
    const auto requests = server_->requests();
    if (c.requests > 0) {
      EXPECT_EQ(requests.size(), c.requests) << c.what;
    } else {
      EXPECT_GE(requests.size(), -c.requests) << c.what;
    }
    const QStringList log = logMessages();
    ASSERT_EQ(log.size(), c.log.size() + 1) << c.what << "\n" << log.join("\n").toStdString();
    for (int i = 0; i < c.log.size(); ++i) {
      if (c.log[i].startsWith('%')) {
        EXPECT_TRUE(log[i + 1].startsWith(c.log[i].mid(1))) << c.what << ": " << log[i + 1].toStdString();
      } else {
        EXPECT_EQ(log[i + 1], c.log[i]) << c.what;
      }
    }
    const qsizetype attempts =
        log.filter("HTTP Error (attempt").size() + (log.last().startsWith("Response") ? 1 : 0);
    EXPECT_EQ(requests.first().header("Connection"), "Keep-Alive") << c.what;
    if (attempts > 1) {  // a retry asks the server to close the connection, and a pause precedes it
      EXPECT_EQ(requests.last().header("Connection"), "close") << c.what;
      EXPECT_EQ(requests.last().header("Content-Type"), "application/xml; charset=UTF-8") << c.what;
      EXPECT_GE(clock.elapsed(), 200 * (attempts - 1)) << c.what;
    }
  }
}

// Limits scaled down from 64 MiB and 10 minutes so that the cases take a second each. The endless
// stream is paced like a fast network.
TEST_F(OrcaPost, anAnswerWithoutEndStopsAtALimitAndIsNotRetried) {
  const QString dumpName = "Res_api01rv2_acceptlstv2_class_03.txt";
  struct Case {
    const char* what;
    HttpAction action;
    QString error;
  };
  const Case cases[] = {
      {"endless chunks", HttpAction::Endless(QByteArray(64 * 1024, 'x'), 1),
       "HTTP Error (attempt 1): The answer is larger than 1048576 bytes (size limit)"},
      {"announced beyond the limit",
       HttpAction::Raw("HTTP/1.1 200 OK\r\nContent-Length: 1048577\r\n\r\n<xmlio2>"),
       "HTTP Error (attempt 1): The answer is larger than 1048576 bytes (size limit)"},
      {"a byte now and then, never idle long enough for the time-out", HttpAction::Endless("x", 50),
       "HTTP Error (attempt 1): The request took longer than 1500 ms (overall limit)"},
  };
  for (const Case& c : cases) {
    serve({HttpAction::Ok("earlier"), c.action});
    client_.setLimits({1000, qint64(1) << 20, 1500});
    ASSERT_NE(RunBlocking(client_.post(kAccept, kBody)).dumpPath, "");
    QFile::remove(path("Log.txt"));
    EXPECT_EQ(RunBlocking(client_.post(kAccept, kBody)).dumpPath, "") << c.what;
    EXPECT_EQ(logMessages(), QStringList({"API: " + kAccept + " URL: " + url(kAccept), c.error})) << c.what;
    EXPECT_EQ(server_->requests().size(), 2) << c.what;
    EXPECT_EQ(readFile(dumpName),
              "\xEF\xBB\xBF"
              "earlier")
        << c.what;
    // The transfer stopped soon after the limit: what the server got out is the limit plus what
    // the sockets on both sides hold, not the gigabytes of a stream read without end.
    EXPECT_LT(server_->bytesStreamed(), qint64(64) << 20) << c.what;
  }
}

// The peak resident memory of this process so far, in bytes; -1 where there is no /proc.
[[maybe_unused]] qint64 PeakResidentBytes() {
  QFile status("/proc/self/status");
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
  }
  return -1;
}

// Unpaced over loopback an answer without end comes faster than the client takes it in, and
// whatever the client does not hold back piles up in its memory. The request still ends at the
// real 64 MiB limit, and the server got out no more than the limit and what the sockets on both
// sides hold: for the request itself and for one sent on by a redirect to the same server, with
// its body or as a GET. The answer starts a moment after the request, as over any network: the
// bound reaches Qt's HTTP thread microseconds after the request, and a server answering within
// them while this thread is held up could still get ahead of it.
TEST_F(OrcaPost, anAnswerWithoutEndAsFastAsLoopbackCarriesItStopsAtTheSizeLimit) {
  const qint64 limit = ExchangeLimits().maxAnswerBytes;
  struct Case {
    const char* what;
    int redirect;  // the status that sends the request on first; 0: none
    QByteArray answered;
  };
  const Case cases[] = {
      {"answered at once", 0, "POST /api/api01rv2/acceptlstv2?class=03"},
      {"sent on with its body by a 307", 307, "POST /api/here/x"},
      {"sent on as a GET by a 302", 302, "GET /api/here/x"},
  };
  for (const Case& c : cases) {
    QFile::remove(path("Log.txt"));
    server_ = std::make_unique<HttpServer>([this, c](const HttpRequest& r) {
      if (c.redirect == 0 || r.target == "/api/here/x")
        return HttpAction::Endless(QByteArray(64 * 1024, 'x')).after(50);
      HttpAction a = HttpAction::Status(c.redirect);
      a.headers.append({"Location", QString("http://127.0.0.1:%1/api/here/x").arg(server_->port()).toUtf8()});
      return a;
    });
    ASSERT_TRUE(server_->listen());
    configure(QString("http://127.0.0.1:%1/api/").arg(server_->port()));

    EXPECT_EQ(RunBlocking(client_.post(kAccept, kBody)).dumpPath, "") << c.what;
    EXPECT_EQ(logMessages(), QStringList({"API: " + kAccept + " URL: " + url(kAccept),
                                          "HTTP Error (attempt 1): The answer is larger than 67108864 "
                                          "bytes (size limit)"}))
        << c.what;
    const HttpRequest last = server_->requests().last();
    EXPECT_EQ(last.method + ' ' + last.target, c.answered) << c.what;
    EXPECT_LT(server_->bytesStreamed(), 2 * limit) << c.what;
  }
#if defined(Q_OS_LINUX) && !defined(__SANITIZE_ADDRESS__)
  // The answer the client collected up to the limit, and not much else besides. (AddressSanitizer
  // keeps freed memory aside, a quarter of a gigabyte of it, so there the bytes streamed tell alone.)
  EXPECT_LT(PeakResidentBytes(), 200'000'000);
#endif
}

TEST_F(OrcaPost, refusedConnectionsAndUnknownHostsAreNotRetried) {
  quint16 port = 0;
  {
    HttpServer probe([](const HttpRequest&) { return HttpAction::Ok(""); });
    ASSERT_TRUE(probe.listen());
    port = probe.port();
  }  // closed again: nothing listens on the port now
  for (const QString& base :
       {QString("http://127.0.0.1:%1/api/").arg(port), QString("http://no-such-host.invalid/api/")}) {
    QFile::remove(path("Log.txt"));
    configure(base);
    EXPECT_EQ(RunBlocking(client_.post(kAccept, kBody)).dumpPath, "");
    const QStringList log = logMessages();
    ASSERT_EQ(log.size(), 2) << log.join("\n").toStdString();
    EXPECT_TRUE(log[1].startsWith("HTTP Error (attempt 1): ")) << log[1].toStdString();
  }
}

TEST_F(OrcaPost, credentialsGoWithEveryRequestTrimmed) {
  // A server that refuses without asking, as some do: only credentials sent up front get through.
  server_ = std::make_unique<HttpServer>([&](const HttpRequest& r) {
    QString user, password;
    if (!r.basicCredentials(&user, &password)) return HttpAction::Status(401);
    return user == "ormaster" && password == "s3cret" ? HttpAction::Ok(kAnswer)
                                                      : HttpAction::BasicChallenge();
  });
  ASSERT_TRUE(server_->listen());
  const QString base = QString("http://127.0.0.1:%1/api/").arg(server_->port());

  configure(base, "  ormaster ", " s3cret  ");
  EXPECT_NE(RunBlocking(client_.post(kAccept, kBody)).dumpPath, "");
  EXPECT_NE(RunBlocking(client_.post(kAccept, kBody)).dumpPath, "");
  EXPECT_EQ(client_.user(), "ormaster");
  EXPECT_EQ(client_.password(), "s3cret");
  ASSERT_EQ(server_->requests().size(), 2) << "one exchange a request";
  for (const HttpRequest& r : server_->requests()) {
    EXPECT_EQ(r.header("Authorization"), "Basic " + QByteArray("ormaster:s3cret").toBase64());
  }

  configure(base, "ormaster", "stale");  // a key changed while the window is open replaces the accepted one
  server_->clearRecord();
  QFile::remove(path("Log.txt"));
  EXPECT_EQ(RunBlocking(client_.post(kAccept, kBody)).dumpPath, "");
  EXPECT_EQ(logMessages().last(), "ResponseCode=401");
  // Refused with a challenge: the same credentials are not offered again, nor retried.
  EXPECT_EQ(server_->requests().size(), 1);
}

// The credentials never go to another server: a redirect is followed to the same host only.
TEST_F(OrcaPost, aRedirectIsFollowedToTheSameHostAndRefusedToAnother) {
  HttpServer elsewhere([](const HttpRequest&) { return HttpAction::Ok(kAnswer); });
  ASSERT_TRUE(elsewhere.listen(QHostAddress("127.0.0.2"), 0));
  server_ = std::make_unique<HttpServer>([&elsewhere, this](const HttpRequest& r) {
    auto to = [](const QString& location) {
      HttpAction a = HttpAction::Status(302);
      a.headers.append({QByteArray("Location"), location.toUtf8()});
      return a;
    };
    if (r.target.startsWith("/api/here/")) return HttpAction::Ok(kAnswer);
    if (r.target.contains("same")) return to(QString("http://127.0.0.1:%1/api/here/x").arg(server_->port()));
    return to(QString("http://127.0.0.2:%1/api/api01rv2/x").arg(elsewhere.port()));
  });
  ASSERT_TRUE(server_->listen());
  configure(QString("http://127.0.0.1:%1/api/").arg(server_->port()));

  EXPECT_TRUE(RunBlocking(client_.post("api01rv2/same", kBody)).ok());
  ASSERT_EQ(server_->requests().size(), 2);
  EXPECT_EQ(server_->requests()[1].header("Authorization"),
            "Basic " + QByteArray("ormaster:ormaster").toBase64());

  QFile::remove(path("Log.txt"));
  const OrcaAnswer refused = RunBlocking(client_.post("api01rv2/other", kBody));
  EXPECT_FALSE(refused.ok());
  EXPECT_TRUE(elsewhere.requests().isEmpty());
  const QStringList log = logMessages();
  ASSERT_EQ(log.size(), 2);
  EXPECT_EQ(log[1], QString("HTTP Error (attempt 1): Redirect to another server refused: "
                            "http://127.0.0.2:%1/api/api01rv2/x")
                        .arg(elsewhere.port()));
}

// ORCA without WebORCA answers WebORCA's path with 400 and an empty body. The request is sent once
// more in the classic form; when that answers, every later request to that server uses it.
TEST_F(OrcaPost, aServerRefusingWebOrcasPathIsAskedInTheClassicFormFromThenOn) {
  server_ = std::make_unique<HttpServer>([](const HttpRequest& r) {
    return r.target.startsWith("/api/") ? HttpAction::Status(400) : HttpAction::Ok(kAnswer);
  });
  ASSERT_TRUE(server_->listen());
  configure(QString("http://127.0.0.1:%1/api/").arg(server_->port()));
  const QString server = QString("http://127.0.0.1:%1").arg(server_->port());
  int found = 0;
  QObject::connect(&client_, &OrcaClient::classicFormFound, [&found] { ++found; });

  EXPECT_FALSE(client_.usesClassicForm());
  EXPECT_TRUE(RunBlocking(client_.post(kAccept, kBody)).ok());
  EXPECT_TRUE(RunBlocking(client_.post(kAccept, kBody)).ok());
  EXPECT_TRUE(client_.usesClassicForm());
  EXPECT_EQ(
      logMessages(),
      (QStringList{
          "API: " + kAccept + " URL: " + url(kAccept), "ResponseCode=400",
          "API: " + kAccept + " URL: " + server + "/api01rv2/acceptlstv2?class=03", "ResponseCode=200",
          "Classic API form: requests to " + server +
              " go to /api01rv2/ from now on (/api/api01rv2/ was answered 400)",
          "API: " + kAccept + " URL: " + server + "/api01rv2/acceptlstv2?class=03", "ResponseCode=200"}));
  QStringList targets;
  for (const HttpRequest& r : server_->requests()) targets << QString::fromUtf8(r.target);
  EXPECT_EQ(targets, (QStringList{"/api/api01rv2/acceptlstv2?class=03", "/api01rv2/acceptlstv2?class=03",
                                  "/api01rv2/acceptlstv2?class=03"}));
  QCoreApplication::processEvents();
  EXPECT_EQ(found, 1);

  // Changed settings try WebORCA's form first again.
  configure(QString("http://127.0.0.1:%1/api/").arg(server_->port()), "ormaster", "other");
  EXPECT_FALSE(client_.usesClassicForm());
}

TEST_F(OrcaPost, whenTheClassicFormFailsTooTheFirstOutcomeStands) {
  serve({HttpAction::Status(400), HttpAction::Status(404)});
  const OrcaAnswer answer = RunBlocking(client_.post(kAccept, kBody));
  EXPECT_FALSE(answer.ok());
  EXPECT_EQ(answer.status, 400);
  EXPECT_FALSE(client_.usesClassicForm());
  const QStringList log = logMessages();
  ASSERT_EQ(log.size(), 4);
  EXPECT_EQ(log[1], "ResponseCode=400");
  EXPECT_TRUE(log[2].endsWith("/api01rv2/acceptlstv2?class=03")) << log[2].toStdString();
  EXPECT_EQ(log[3], "ResponseCode=404");
  // A 400 to a URL not in WebORCA's form is final.
  serve({HttpAction::Status(400)});
  configure(QString("http://127.0.0.1:%1/rest/").arg(server_->port()));
  EXPECT_EQ(RunBlocking(client_.post(kAccept, kBody)).status, 400);
  EXPECT_EQ(server_->requests().size(), 1);
}

TEST_F(OrcaPost, aFailedRequestLeavesTheEarlierDumpAndASuccessReplacesIt) {
  serve({HttpAction::Ok("first"), HttpAction::Status(500), HttpAction::Ok("third")});
  const QString dump = RunBlocking(client_.post(kAccept, kBody)).dumpPath;
  EXPECT_EQ(RunBlocking(client_.post(kAccept, kBody)).dumpPath, "");
  EXPECT_EQ(readFile("Res_api01rv2_acceptlstv2_class_03.txt"),
            "\xEF\xBB\xBF"
            "first");
  EXPECT_EQ(RunBlocking(client_.post(kAccept, kBody)).dumpPath, dump);
  EXPECT_EQ(readFile("Res_api01rv2_acceptlstv2_class_03.txt"),
            "\xEF\xBB\xBF"
            "third");
}

// A caller that must tell the user why (the medication check) gets the status or the transport's
// message with the failed answer.
TEST_F(OrcaPost, aFailedAnswerCarriesItsStatusOrTheTransportsMessage) {
  serve({HttpAction::Status(404), HttpAction::Ok(kAnswer).after(900)});
  const OrcaAnswer refused = RunBlocking(client_.post(kAccept, kBody));
  EXPECT_FALSE(refused.ok());
  EXPECT_EQ(refused.status, 404);
  EXPECT_EQ(refused.error, QString());
  const OrcaAnswer silent = RunBlocking(client_.post(kAccept, kBody));
  EXPECT_FALSE(silent.ok());
  EXPECT_EQ(silent.status, 0);
  EXPECT_EQ(silent.error, "The server did not answer within 300 ms (time-out)");
}

TEST_F(OrcaPost, decodesEveryAnswerAsUtf8WhateverItsDeclaredCharset) {
  HttpAction a = HttpAction::Ok("\xEF\xBB\xBF名前 \xFF end", "text/xml; charset=Shift_JIS");
  serve({a});
  RunBlocking(client_.post(kAccept, kBody)).dumpPath;
  EXPECT_EQ(readFile("Res_api01rv2_acceptlstv2_class_03.txt"), "\xEF\xBB\xBF名前 \xEF\xBF\xBD end");
}

TEST_F(OrcaPost, anUnwritableDumpIsReportedAfterTheStatus) {
  serve({HttpAction::Ok(kAnswer)});
  ASSERT_TRUE(QDir(dir_.path()).mkdir("Res_api01rv2_acceptlstv2_class_03.txt"));
  EXPECT_EQ(RunBlocking(client_.post(kAccept, kBody)).dumpPath, "");
  const QStringList log = logMessages();
  ASSERT_EQ(log.size(), 3);
  EXPECT_EQ(log[1], "ResponseCode=200");
  EXPECT_TRUE(log[2].startsWith("Unexpected Error: " + path("Res_api01rv2_acceptlstv2_class_03.txt")))
      << log[2].toStdString();
}

TEST_F(OrcaPost, aFailingFirstLogLineReachesTheCaller) {
  serve({HttpAction::Ok(kAnswer)});
  ASSERT_TRUE(QDir(dir_.path()).mkpath("Log.txt/Log.txt"));
  EXPECT_THROW(RunBlocking(client_.post(kAccept, kBody)).dumpPath, CoreError);
  EXPECT_TRUE(server_->requests().isEmpty());
}

TEST_F(OrcaPost, sequentialRequestsShareOneConnectionAndOddPatientNumbersStayInTheFolder) {
  serve({HttpAction::Ok(kAnswer)});
  for (int i = 0; i < 5; ++i) ASSERT_NE(RunBlocking(client_.post(kAccept, kBody)).dumpPath, "");
  EXPECT_EQ(server_->connectionsOpened(), 1);

  const QString dump = RunBlocking(client_.post("api01rv2/patientgetv2?id=../../x", "")).dumpPath;
  EXPECT_EQ(dump, path("Res_api01rv2_patientgetv2_id_.._.._x.txt"));
  EXPECT_EQ(server_->requests().last().target, "/api/api01rv2/patientgetv2?id=..%2F..%2Fx");
  EXPECT_TRUE(QFile::exists(dump));
}

}  // namespace

// Side by side, at most PARALLEL requests are open at once; the others wait their turn in order.
TEST_F(OrcaPost, atMostParallelRequestsRunAtOnceAndTheRestWaitInOrder) {
  QMutex mutex;
  QStringList order;
  server_ = std::make_unique<HttpServer>([&](const HttpRequest& r) {
    QMutexLocker lock(&mutex);
    order << QString::fromUtf8(r.body);
    return HttpAction::Ok(r.body).after(100);
  });
  ASSERT_TRUE(server_->listen());
  configure(QString("http://127.0.0.1:%1/api/").arg(server_->port()));
  writeFile("user.ini", readFile("user.ini") + "PARALLEL=2\r\n");
  client_.setConnection(ReadConnection());
  int most = 0;
  QTimer sample;
  QObject::connect(&sample, &QTimer::timeout, [&] { most = std::max(most, client_.requestsInFlight()); });
  sample.start(5);

  std::vector<Task<OrcaAnswer>> posts;
  for (int i = 0; i < 6; ++i) posts.push_back(client_.post(kAccept, QString("<n>%1</n>").arg(i)));
  const std::vector<OrcaAnswer> answers = RunBlocking(All(std::move(posts)));
  EXPECT_EQ(most, 2);
  ASSERT_EQ(answers.size(), 6u);
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(answers[i].content.endsWith(QString("<n>%1</n>").arg(i).toUtf8()));
  QStringList expected;
  for (int i = 0; i < 6; ++i) expected << QString("<n>%1</n>").arg(i);
  // Two at a time, in the order they were made: each pair holds the next two.
  for (int pair = 0; pair < 3; ++pair) {
    QStringList arrived = order.mid(pair * 2, 2);
    arrived.sort();
    EXPECT_EQ(arrived, expected.mid(pair * 2, 2));
  }
  EXPECT_EQ(client_.requestsInFlight(), 0);

  // Each request's lines are together: its API line, then its answer's status.
  const QStringList log = QString::fromLocal8Bit(readFile("Log.txt")).split("\r\n", Qt::SkipEmptyParts);
  ASSERT_EQ(log.size(), 12);
  for (int i = 0; i < 12; i += 2) {
    EXPECT_TRUE(log[i].contains(" API: ")) << log[i].toStdString();
    EXPECT_TRUE(log[i + 1].endsWith(" ResponseCode=200")) << log[i + 1].toStdString();
  }
}

// The dump file keeps the answer of the request sent last, even when an earlier one ends later.
TEST_F(OrcaPost, theDumpFileHoldsTheAnswerOfTheRequestSentLast) {
  server_ = std::make_unique<HttpServer>([](const HttpRequest& r) {
    HttpAction answer = HttpAction::Ok(r.body);
    return r.body.contains("slow") ? answer.after(300) : answer;
  });
  ASSERT_TRUE(server_->listen());
  configure(QString("http://127.0.0.1:%1/api/").arg(server_->port()));
  client_.setTimeoutMs(10000);  // the slow answer is slow on purpose, not a time-out
  std::vector<Task<OrcaAnswer>> posts;
  posts.push_back(client_.post(kAccept, "<sent>first, slow</sent>"));
  posts.push_back(client_.post(kAccept, "<sent>second, fast</sent>"));
  const std::vector<OrcaAnswer> answers = RunBlocking(All(std::move(posts)));
  ASSERT_TRUE(answers[0].ok());
  EXPECT_TRUE(answers[0].content.contains("first, slow")) << "its own answer still reaches the caller";
  QFile dump(answers[1].dumpPath);
  ASSERT_TRUE(dump.open(QIODevice::ReadOnly));
  EXPECT_TRUE(dump.readAll().contains("second, fast"));
}
