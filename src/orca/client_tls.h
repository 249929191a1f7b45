#pragma once

#include <QSslCertificate>
#include <QSslConfiguration>

#include "orca/cert_store.h"

// The TLS of every connection to ORCA, its requests and its push notifications alike: the system's
// trusted authorities (the caller never ignores a certificate error), TLS 1.2 alone when restricted, and
// the first certificate of the user's store that has its key, presented only when the server asks for
// one. `presented` receives that certificate (a null one when the store has none).
QSslConfiguration ClientTlsConfiguration(bool tls12Only, const ClientCertStore& store,
                                         QSslCertificate* presented = nullptr);
