#pragma once

#include <QTimer>
#include <coroutine>
#include <memory>

// Waits on the event loop, as a retry's pause does: `co_await Sleep(200);`. A task destroyed
// while it waits is never resumed.
class Sleep {
 public:
  explicit Sleep(int ms) : ms_(ms) {}
  Sleep(const Sleep&) = delete;
  Sleep& operator=(const Sleep&) = delete;
  ~Sleep() {
    if (!timer_) return;
    timer_->stop();
    timer_->disconnect();
    timer_.release()->deleteLater();  // it may be emitting its timeout right now
  }

  bool await_ready() const noexcept { return ms_ <= 0; }
  void await_suspend(std::coroutine_handle<> waiting) {
    timer_ = std::make_unique<QTimer>();
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_.get(), &QTimer::timeout, [waiting] { waiting.resume(); });
    timer_->start(ms_);
  }
  void await_resume() const noexcept {}

 private:
  int ms_;
  std::unique_ptr<QTimer> timer_;
};
