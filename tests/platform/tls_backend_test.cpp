#include <gtest/gtest.h>

#include <QSslSocket>

#include "platform/tls_backend.h"

namespace {

// Client certificates are presented by the OpenSSL backend on every platform (on Windows instead of
// Schannel); the tests of the transport and the push link present one through it.
TEST(TlsBackend, isOpensslForClientCertificates) {
  EXPECT_TRUE(UseClientCertificateTlsBackend());
  EXPECT_EQ(QSslSocket::activeBackend(), "openssl")
      << QSslSocket::availableBackends().join(' ').toStdString();
  EXPECT_TRUE(QSslSocket::supportsSsl());
}

}  // namespace
