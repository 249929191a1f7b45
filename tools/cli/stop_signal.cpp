#include "stop_signal.h"

#include <QEventLoop>
#include <QTimer>
#include <csignal>

#include "platform/close_request.h"

namespace {

volatile std::sig_atomic_t stopAsked = 0;

extern "C" void AskToStop(int) {
  stopAsked = 1;
}

}  // namespace

// A signal handler may only set a flag; the loop looks at it a few times a second.
void QuitOnStopSignal(QEventLoop& loop) {
  std::signal(SIGINT, AskToStop);
  std::signal(SIGTERM, AskToStop);
  WhenAskedToClose(&loop, [] { stopAsked = 1; });
  auto* watch = new QTimer(&loop);
  QObject::connect(watch, &QTimer::timeout, &loop, [&loop] {
    if (stopAsked) loop.quit();
  });
  watch->start(100);
}
