#pragma once

#include <QByteArray>
#include <QString>

// Adds every certificate of a PKCS #12 file — the client certificate with its private key, then
// its chain — to the user's client-certificate store in the given folder, replacing equal ones.
// A file without a private key adds its certificates alone.
struct CertImportResult {
  enum Outcome { Imported, NotReadable, StoreUnavailable };
  Outcome outcome = NotReadable;  // NotReadable: a wrong password or not a PKCS #12 file
  int count = 0;                  // certificates added; one that cannot be written is passed over
};

CertImportResult ImportPkcs12(const QByteArray& data, const QString& password, const QString& storeFolder);
