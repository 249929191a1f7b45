#pragma once

// Chooses, before the first TLS connection, the TLS backend that presents the clinic's client
// certificate. On Windows that is the OpenSSL backend (libssl and libcrypto ship beside the
// program): the certificate and its key come from the program's own store, which Schannel would
// first have to import into a Windows store. Elsewhere there is one backend and nothing to do.
// Whether the backend in use is that one.
bool UseClientCertificateTlsBackend();
