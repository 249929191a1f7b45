#pragma once

#include <QObject>
#include <exception>
#include <functional>
#include <optional>

#include "async/task.h"
#include "windowmodel/message_kind.h"

// A window's road (list a day, open a patient) running in the background on the event loop. A
// job ends with a box to show or with nothing; its error ends it too. Starting a job again, or
// cancelling it, destroys the road that runs: its replies are aborted and nothing of it reaches
// the controls any more. The end is handed over from the event loop after the road is gone, so
// that a box it asks for is never shown from inside a road that could be cancelled meanwhile.
class Job {
 public:
  using Road = Task<std::optional<UserMessage>>;
  using Ended = std::function<void(const std::optional<UserMessage>& message, std::exception_ptr error)>;

  explicit Job(Ended ended) : ended_(std::move(ended)) {}
  ~Job() { cancel(); }
  Job(const Job&) = delete;
  Job& operator=(const Job&) = delete;

  void start(Road road);
  void cancel();
  bool running() const { return running_; }

 private:
  void end(quint64 generation);

  Ended ended_;
  Road road_;
  bool running_ = false;
  quint64 generation_ = 0;  // which start an end belongs to
  QObject context_;         // ends queued on the event loop die with the job
};
