#include "push/link_failure.h"

#include <QRegularExpression>

namespace {

// Qt reports a refused handshake only as text, "... Unhandled http status code: 401 (Unauthorized).".
int HandshakeStatus(const QString& errorString) {
  static const QRegularExpression status(QStringLiteral("status code: (\\d{3})"));
  const QRegularExpressionMatch m = status.match(errorString);
  return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QString RefusalReason(int status) {
  switch (status) {
    case 401:
      return QStringLiteral("ORCA が認証を拒否しました（API ユーザーまたは API キーが違います、HTTP 401）");
    case 403:
      return QStringLiteral("ORCA が接続を拒否しました（HTTP 403）");
    case 404:
      return QStringLiteral("ORCA に通知の窓口がありません（接続先を確認してください、HTTP 404）");
    default:
      return QStringLiteral("ORCA が接続を拒否しました（HTTP %1）").arg(status);
  }
}

}  // namespace

QString SocketFailureReason(QAbstractSocket::SocketError error, const QString& errorString,
                            const QStringList& sslErrors) {
  if (!sslErrors.isEmpty()) {
    return QStringLiteral("ORCA のサーバー証明書を確認できません（%1）")
        .arg(sslErrors.join(QStringLiteral("、")));
  }
  if (const int status = HandshakeStatus(errorString)) return RefusalReason(status);
  switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
      return QStringLiteral("ORCA に接続できません（接続を拒否されました）");
    case QAbstractSocket::HostNotFoundError:
      return QStringLiteral("ORCA のサーバーが見つかりません（接続先を確認してください）");
    case QAbstractSocket::RemoteHostClosedError:
      return QStringLiteral("ORCA が接続を閉じました");
    case QAbstractSocket::SocketTimeoutError:
      return QStringLiteral("ORCA から応答がありません");
    case QAbstractSocket::SslHandshakeFailedError:
      return QStringLiteral("ORCA との TLS 接続に失敗しました（%1）").arg(errorString);
    default:
      return QStringLiteral("ORCA との通信に失敗しました（%1）").arg(errorString);
  }
}
