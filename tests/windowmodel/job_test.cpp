#include <gtest/gtest.h>

#include <QCoreApplication>
#include <coroutine>
#include <stdexcept>
#include <utility>

#include "windowmodel/job.h"

namespace {

// What a road waits on; the test opens it.
struct Gate {
  std::coroutine_handle<> waiting;
  bool open = false;
  bool await_ready() const noexcept { return open; }
  void await_suspend(std::coroutine_handle<> handle) noexcept { waiting = handle; }
  void await_resume() const noexcept {}
  void release() {
    open = true;
    if (waiting) std::exchange(waiting, {}).resume();
  }
};

// Counts the frames that held it when they are destroyed.
struct FrameSpy {
  int* destroyed;
  explicit FrameSpy(int* counter) : destroyed(counter) {}
  FrameSpy(FrameSpy&& other) noexcept : destroyed(std::exchange(other.destroyed, nullptr)) {}
  ~FrameSpy() {
    if (destroyed) ++*destroyed;
  }
};

Job::Road Waits(Gate& gate, FrameSpy spy, const char* text, bool fails = false) {
  const FrameSpy held = std::move(spy);
  co_await gate;
  if (fails) throw std::runtime_error(text);
  co_return UserMessage{MessageKind::Information, QString::fromUtf8(text)};
}

Job::Road CountsSteps(Gate& gate, Progress& progress) {
  progress.set(QStringLiteral("他院薬歴"), 2);
  co_await gate;
  progress.advance();
  co_return std::nullopt;
}

// Every signal of a job, in order: "running", "idle", "ended <text>", "error <what>".
struct Record {
  QStringList events;
  explicit Record(Job& job) {
    QObject::connect(&job, &Job::runningChanged, [this](bool running) {
      events << (running ? QStringLiteral("running") : QStringLiteral("idle"));
    });
    QObject::connect(&job, &Job::ended,
                     [this](const std::optional<UserMessage>& message, std::exception_ptr error) {
                       if (error) {
                         try {
                           std::rethrow_exception(error);
                         } catch (const std::exception& e) {
                           events << QStringLiteral("error ") + QString::fromUtf8(e.what());
                         }
                       } else {
                         events << QStringLiteral("ended ") + (message ? message->text : QStringLiteral("-"));
                       }
                     });
  }
};

void Drain() {
  QCoreApplication::processEvents();
}

}  // namespace

TEST(Job, endsFromTheEventLoopOnceItsRoadHasFinished) {
  Job job;
  Record record(job);
  Gate gate;
  int destroyed = 0;
  job.start(Waits(gate, FrameSpy(&destroyed), "一"));
  EXPECT_TRUE(job.running());
  gate.release();
  EXPECT_EQ(record.events, QStringList{"running"}) << "not from inside the road";
  Drain();
  EXPECT_EQ(record.events, (QStringList{"running", "idle", "ended 一"}));
  EXPECT_FALSE(job.running());
  EXPECT_EQ(destroyed, 1);
}

// Each row: what happens to a first road before its end is handed over.
TEST(Job, aRoadReplacedOrCancelledIsDestroyedAndNeverEnds) {
  const struct {
    const char* what;
    bool releaseFirst;  // the first road finishes, its end still waiting in the event loop
    bool restart;       // a second road is started; else the job is cancelled
    QStringList events;
  } cases[] = {
      {"restart while waiting", false, true, {"running", "idle", "running", "idle", "ended 二"}},
      {"restart after finishing", true, true, {"running", "idle", "running", "idle", "ended 二"}},
      {"cancel while waiting", false, false, {"running", "idle"}},
      {"cancel after finishing", true, false, {"running", "idle"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Job job;
    Record record(job);
    Gate first, second;
    int destroyed = 0;
    job.start(Waits(first, FrameSpy(&destroyed), "一"));
    if (c.releaseFirst) first.release();
    if (c.restart) {
      job.start(Waits(second, FrameSpy(&destroyed), "二"));
      EXPECT_EQ(destroyed, 1) << "the first road's frame is gone";
      second.release();
    } else {
      job.cancel();
      EXPECT_EQ(destroyed, 1);
      EXPECT_FALSE(job.running());
    }
    Drain();
    EXPECT_EQ(record.events, c.events);
    EXPECT_EQ(destroyed, c.restart ? 2 : 1);
  }
}

TEST(Job, anErrorEndsItToo) {
  Job job;
  Record record(job);
  Gate gate;
  int destroyed = 0;
  job.start(Waits(gate, FrameSpy(&destroyed), "応答がありません", true));
  gate.release();
  Drain();
  EXPECT_EQ(record.events, (QStringList{"running", "idle", "error 応答がありません"}));
}

TEST(Job, itsProgressIsTheRoadsUntilTheEnd) {
  Job job;
  Gate gate;
  int changes = 0;
  QObject::connect(&job.progress(), &Progress::changed, [&] { ++changes; });
  job.start(CountsSteps(gate, job.progress()));
  EXPECT_EQ(job.progress().value(), (Progress::Value{QStringLiteral("他院薬歴"), 0, 2}));
  gate.release();
  EXPECT_EQ(job.progress().value(), (Progress::Value{QStringLiteral("他院薬歴"), 1, 2}));
  Drain();
  EXPECT_EQ(job.progress().value(), Progress::Value{});
  EXPECT_EQ(changes, 3);

  Gate again;
  job.start(CountsSteps(again, job.progress()));
  job.cancel();
  EXPECT_EQ(job.progress().value(), Progress::Value{}) << "cleared with the road";
}
