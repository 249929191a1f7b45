#include "windowmodel/job.h"

void Job::start(Road road) {
  cancel();
  road_ = std::move(road);
  running_ = true;
  const quint64 generation = generation_;
  road_.start([this, generation] {
    QMetaObject::invokeMethod(
        &context_, [this, generation] { end(generation); }, Qt::QueuedConnection);
  });
}

void Job::cancel() {
  ++generation_;
  running_ = false;
  road_ = Road();
}

void Job::end(quint64 generation) {
  if (generation != generation_) return;  // cancelled or started again since
  Road finished = std::move(road_);
  running_ = false;
  ++generation_;
  std::optional<UserMessage> message;
  std::exception_ptr error;
  try {
    message = finished.result();
  } catch (...) {
    error = std::current_exception();
  }
  finished = Road();
  ended_(message, error);
}
