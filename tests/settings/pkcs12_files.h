#pragma once

#include <QString>

// PKCS #12 files made with libcrypto when a test runs, from the test CA of TestCertificates().

// A client certificate signed by an intermediate CA, with its key, the intermediate and the test
// CA: three certificates.
QString MakeChainPkcs12(const QString& folder, const QString& password);

// The test client certificate with its key and the test CA: two certificates. The loopback
// server accepts it as a client certificate.
QString MakeClientPkcs12(const QString& folder, const QString& password);

// The intermediate and the test CA of MakeChainPkcs12 without any key: two certificates.
QString MakeCertificatesOnlyPkcs12(const QString& folder, const QString& password);
