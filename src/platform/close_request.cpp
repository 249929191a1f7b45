#include "platform/close_request.h"

#include <QObject>

#ifdef Q_OS_WIN
#include <windows.h>

#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

namespace {

// A message for the thread itself (no window) is seen only by the event dispatcher's filters.
class CloseMessageFilter : public QObject, public QAbstractNativeEventFilter {
 public:
  CloseMessageFilter(QObject* owner, std::function<void()> stop) : QObject(owner), stop_(std::move(stop)) {
    QCoreApplication::instance()->installNativeEventFilter(this);
  }
  ~CloseMessageFilter() override { QCoreApplication::instance()->removeNativeEventFilter(this); }
  bool nativeEventFilter(const QByteArray&, void* message, qintptr*) override {
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->hwnd != nullptr || msg->message != WM_CLOSE) return false;
    stop_();
    return true;
  }

 private:
  std::function<void()> stop_;
};

}  // namespace
#endif

void WhenAskedToClose(QObject* owner, std::function<void()> stop) {
#ifdef Q_OS_WIN
  new CloseMessageFilter(owner, std::move(stop));
#else
  Q_UNUSED(owner);
  Q_UNUSED(stop);
#endif
}
