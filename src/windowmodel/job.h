#pragma once

#include <QObject>
#include <exception>
#include <optional>

#include "async/progress.h"
#include "async/task.h"
#include "windowmodel/message_kind.h"

// A window's road (list a day, open a patient) running in the background on the event loop. A
// job ends with a box to show or with nothing; its error ends it too. Starting a job again, or
// cancelling it, destroys the road that runs: its replies are aborted and nothing of it reaches
// the controls any more. The road tells how far it is through progress(); ended() is emitted from
// the event loop after the road is gone, so that a box it asks for is never shown from inside a road
// that could be cancelled meanwhile.
class Job : public QObject {
  Q_OBJECT
 public:
  using Road = Task<std::optional<UserMessage>>;

  explicit Job(QObject* parent = nullptr);
  ~Job() override;

  void start(Road road);
  void cancel();
  bool running() const { return running_; }

  // Set by the road and the steps it calls; cleared when the job ends or is cancelled.
  Progress& progress() { return progress_; }
  const Progress& progress() const { return progress_; }

 signals:
  // Started, or no longer running: ended, cancelled.
  void runningChanged(bool running);
  void ended(const std::optional<UserMessage>& message, std::exception_ptr error);

 private:
  void end(quint64 generation);

  Road road_;
  bool running_ = false;
  quint64 generation_ = 0;  // which start an end belongs to
  Progress progress_;
};
