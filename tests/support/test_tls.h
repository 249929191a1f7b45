#pragma once

#include <QSslCertificate>
#include <QSslKey>
#include <QString>

// Certificates made with libcrypto when a test runs: a CA, a server certificate for 127.0.0.1
// signed by it, and a client certificate signed by it.
struct TestPki {
  QSslCertificate ca;
  QSslCertificate server;
  QSslKey serverKey;
  QSslCertificate client;
  QSslKey clientKey;
  QString folder;  // where the PEM files were written
};

// Made once per test program; the CA is also added to the process's trusted authorities, so
// that the product code verifies the test server like any other.
const TestPki& TestCertificates();
