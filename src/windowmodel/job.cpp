#include "windowmodel/job.h"

Job::Job(QObject* parent) : QObject(parent) {}

Job::~Job() {
  ++generation_;
  road_ = Road();
}

void Job::start(Road road) {
  cancel();
  road_ = std::move(road);
  running_ = true;
  emit runningChanged(true);
  const quint64 generation = generation_;
  road_.start([this, generation] {
    QMetaObject::invokeMethod(
        this, [this, generation] { end(generation); }, Qt::QueuedConnection);
  });
}

void Job::cancel() {
  ++generation_;
  const bool wasRunning = running_;
  running_ = false;
  road_ = Road();
  if (!wasRunning) return;
  progress_.clear();
  emit runningChanged(false);
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
  progress_.clear();
  emit runningChanged(false);
  emit ended(message, error);
}
