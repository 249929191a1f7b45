#include "orca/blocking_wait.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QTimer>

bool WaitForReply(QNetworkReply* reply, int idleTimeoutMs) {
  if (reply->isFinished()) return false;
  QEventLoop loop;
  QTimer idle;
  idle.setSingleShot(true);
  bool timedOut = false;
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  QObject::connect(&idle, &QTimer::timeout, &loop, [&] {
    timedOut = true;
    reply->abort();
    loop.quit();
  });
  auto moved = [&] { idle.start(idleTimeoutMs); };
  QObject::connect(reply, &QNetworkReply::uploadProgress, &loop, moved);
  QObject::connect(reply, &QNetworkReply::downloadProgress, &loop, moved);
  QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, moved);
  idle.start(idleTimeoutMs);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  return timedOut;
}

void PauseMs(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}
