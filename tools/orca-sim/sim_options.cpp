#include "sim_options.h"

#include <QCommandLineParser>

ParseOutcome ParseSimOptions(const QStringList& arguments, SimOptions* options, QString* message) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "ORCA API simulator with demo data, for the demo, the end-to-end tests and the benchmarks.\n"
      "Serves /api/api01rv2/{acceptlstv2,patientgetv2,onlinedruggetv2,onlinemedgetv2,onlinespecgetv2,"
      "medicalgetv2,contraindicationcheckv2}, push notifications on /ws (WebSocket) and the control calls "
      "POST /sim/accept and /sim/account (Patient_ID=N), /sim/latency (MS=N)."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help."));
  const QCommandLineOption host(QStringLiteral("host"), QStringLiteral("Address to listen on (127.0.0.1)."),
                                QStringLiteral("ADDR"), options->host);
  const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port (8000); 0 picks a free one."),
                                QStringLiteral("N"), QString::number(options->port));
  const QCommandLineOption user(QStringLiteral("user"),
                                QStringLiteral("Basic-authentication user (ormaster)."),
                                QStringLiteral("NAME"), options->user);
  const QCommandLineOption key(QStringLiteral("key"), QStringLiteral("Password / API key (ormaster)."),
                               QStringLiteral("KEY"), options->key);
  const QCommandLineOption latency(QStringLiteral("latency"),
                                   QStringLiteral("Wait this long before every answer."),
                                   QStringLiteral("MS"), QStringLiteral("0"));
  const QCommandLineOption jitter(
      QStringLiteral("jitter"),
      QStringLiteral("Wait a further random 0…MS before every answer, so that answers come back shuffled."),
      QStringLiteral("MS"), QStringLiteral("0"));
  const QCommandLineOption seed(QStringLiteral("seed"),
                                QStringLiteral("Seed of the --jitter randomness (default: a random one)."),
                                QStringLiteral("N"));
  const QCommandLineOption receptions(
      QStringLiteral("receptions"),
      QStringLiteral("Today's list holds N receptions (0…1000), with made-up patients beyond the demo's."),
      QStringLiteral("N"));
  const QCommandLineOption pushEvery(
      QStringLiteral("push-every"),
      QStringLiteral("Every S seconds a demo patient is received and its patient_accept event pushed."),
      QStringLiteral("S"));
  const QCommandLineOption plain(
      QStringLiteral("plain-layout"),
      QStringLiteral("Answers without indentation and without the XML declaration."));
  const QCommandLineOption compact(
      QStringLiteral("compact"),
      QStringLiteral("Every answer on one line: no indentation, no line breaks between elements."));
  const QCommandLineOption noChallenge(
      QStringLiteral("no-challenge"),
      QStringLiteral("Every 401 without WWW-Authenticate, as a server that never challenges."));
  const QCommandLineOption classic(
      QStringLiteral("classic"),
      QStringLiteral(
          "ORCA's classic HTTP server: /api01rv2/ and /rest/api01rv2/ only, HTTP 400 for any other "
          "path (/api/…, /ws); push notifications only on --push-port."));
  const QCommandLineOption pushPort(
      QStringLiteral("push-port"),
      QStringLiteral(
          "Also serve push notifications (/ws) on this port, as ORCA 5.2's pusher; 0 picks a free one."),
      QStringLiteral("N"));
  const QCommandLineOption clinic(QStringLiteral("clinic-code"),
                                  QStringLiteral("The demo clinic's seven-digit institution code (1234567)."),
                                  QStringLiteral("CODE"), options->clinicCode);
  const QCommandLineOption today(
      QStringLiteral("today"),
      QStringLiteral("Make the demo data for this day instead of the computer's date."),
      QStringLiteral("YYYY-MM-DD"));
  const QCommandLineOption fail(
      QStringLiteral("fail"),
      QStringLiteral(
          "Fault injection, repeatable. KEY is a call (onlinedruggetv2 or its path), a patient number, "
          "or CALL:PATIENT, or * for any; ACTION is a status (500, 401 …), drop, garbage, badxml or wait:MS, "
          "and ACTION*N the first N of them only, ACTION%P P in a hundred at random."),
      QStringLiteral("KEY=ACTION"));
  const QCommandLineOption state(
      QStringLiteral("state"),
      QStringLiteral("Keep the receptions made and billed in this file, and make them again at start."),
      QStringLiteral("FILE"));
  const QCommandLineOption cert(QStringLiteral("tls-cert"),
                                QStringLiteral("Serve HTTPS (TLS 1.2) with this PEM certificate."),
                                QStringLiteral("FILE"));
  const QCommandLineOption tlsKey(QStringLiteral("tls-key"),
                                  QStringLiteral("The PEM private key of --tls-cert."),
                                  QStringLiteral("FILE"));
  const QCommandLineOption clientCa(QStringLiteral("client-ca"),
                                    QStringLiteral("Require a client certificate issued by this PEM CA."),
                                    QStringLiteral("FILE"));
  parser.addOptions({help,       host,      port,  user,    key,         latency, jitter,   seed,
                     receptions, pushEvery, plain, compact, noChallenge, classic, pushPort, clinic,
                     today,      fail,      state, cert,    tlsKey,      clientCa});

  if (!parser.parse(arguments)) {
    *message = parser.errorText();
    return ParseOutcome::Error;
  }
  if (parser.isSet(help)) {
    *message = parser.helpText();
    return ParseOutcome::Help;
  }
  if (!parser.positionalArguments().isEmpty()) {
    *message = QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().first());
    return ParseOutcome::Error;
  }
  bool portOk = false, latencyOk = false;
  options->host = parser.value(host);
  options->port = parser.value(port).toInt(&portOk);
  options->user = parser.value(user);
  options->key = parser.value(key);
  options->latencyMs = parser.value(latency).toInt(&latencyOk);
  if (parser.isSet(plain) && parser.isSet(compact)) {
    *message = QStringLiteral("--plain-layout and --compact exclude each other");
    return ParseOutcome::Error;
  }
  options->layout = parser.isSet(plain)     ? XmlLayout::Plain
                    : parser.isSet(compact) ? XmlLayout::Compact
                                            : XmlLayout::Classic;
  options->challenge = !parser.isSet(noChallenge);
  options->classic = parser.isSet(classic);
  if (parser.isSet(pushPort)) {
    bool ok = false;
    options->pushPort = parser.value(pushPort).toInt(&ok);
    if (!ok || *options->pushPort < 0 || *options->pushPort > 65535) {
      *message = QStringLiteral("--push-port: not a port number");
      return ParseOutcome::Error;
    }
  }
  options->clinicCode = parser.value(clinic).trimmed();
  if (!portOk || options->port < 0 || options->port > 65535) {
    *message = QStringLiteral("--port: not a port number");
    return ParseOutcome::Error;
  }
  if (!latencyOk || options->latencyMs < 0) {
    *message = QStringLiteral("--latency: not a number of milliseconds");
    return ParseOutcome::Error;
  }
  bool jitterOk = false;
  options->jitterMs = parser.value(jitter).toInt(&jitterOk);
  if (!jitterOk || options->jitterMs < 0) {
    *message = QStringLiteral("--jitter: not a number of milliseconds");
    return ParseOutcome::Error;
  }
  if (parser.isSet(seed)) {
    bool ok = false;
    options->seed = parser.value(seed).toUInt(&ok);
    if (!ok) {
      *message = QStringLiteral("--seed: not a number");
      return ParseOutcome::Error;
    }
  }
  if (parser.isSet(receptions)) {
    bool ok = false;
    options->receptionsToday = parser.value(receptions).toInt(&ok);
    if (!ok || options->receptionsToday < 0 || options->receptionsToday > kMostReceptions) {
      *message = QStringLiteral("--receptions: expected 0 to %1").arg(kMostReceptions);
      return ParseOutcome::Error;
    }
  }
  if (parser.isSet(pushEvery)) {
    bool ok = false;
    options->pushEverySeconds = parser.value(pushEvery).toInt(&ok);
    if (!ok || options->pushEverySeconds < 1) {
      *message = QStringLiteral("--push-every: not a number of seconds");
      return ParseOutcome::Error;
    }
  }
  if (parser.isSet(today)) {
    options->today = QDate::fromString(parser.value(today), QStringLiteral("yyyy-MM-dd"));
    if (!options->today.isValid()) {
      *message = QStringLiteral("--today: expected YYYY-MM-DD");
      return ParseOutcome::Error;
    }
  }
  for (const QString& text : parser.values(fail)) {
    const std::optional<FaultRule> rule = ParseFaultRule(text, message);
    if (!rule) return ParseOutcome::Error;
    options->faults << *rule;
  }
  options->stateFile = parser.value(state);
  options->tlsCert = parser.value(cert);
  options->tlsKey = parser.value(tlsKey);
  options->clientCa = parser.value(clientCa);
  if (options->tlsCert.isEmpty() != options->tlsKey.isEmpty() ||
      (!options->clientCa.isEmpty() && options->tlsCert.isEmpty())) {
    *message = QStringLiteral("--tls-cert and --tls-key go together; --client-ca needs them");
    return ParseOutcome::Error;
  }
  return ParseOutcome::Run;
}
