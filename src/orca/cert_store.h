#pragma once

#include <QList>
#include <QSslCertificate>
#include <QSslKey>
#include <QString>

// The user's own store of client certificates: a folder in the user's application data holding,
// per certificate, "<sha256>.pem" and, when it came with one, its private key "<sha256>.key"
// readable by the user alone; "order.txt" lists the fingerprints in import order. The settings
// window imports into it; the transport presents the first certificate that has its key.
class ClientCertStore {
 public:
  explicit ClientCertStore(const QString& folder = DefaultFolder());
  static QString DefaultFolder();

  // Adds the certificate, replacing an equal one where it stands. Raises CoreError on a write failure.
  void add(const QSslCertificate& certificate, const QSslKey& key = QSslKey());
  QList<QSslCertificate> certificates() const;  // in import order
  bool firstWithKey(QSslCertificate* certificate, QSslKey* key) const;

 private:
  QStringList order() const;
  QString folder_;
};
