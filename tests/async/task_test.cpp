#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <stdexcept>

#include "async/run_blocking.h"
#include "async/sleep.h"
#include "async/task.h"
#include "async/when_all.h"
#include "qt_printers.h"

namespace {

Task<int> Later(int value, int ms, QStringList* finished = nullptr) {
  co_await Sleep(ms);
  if (finished) *finished << QString::number(value);
  co_return value;
}

Task<int> Failing(int ms) {
  co_await Sleep(ms);
  throw std::runtime_error("no answer");
}

Task<int> Sum(int a, int b) {
  const int first = co_await Later(a, 5);
  const int second = co_await Later(b, 5);
  co_return first + second;
}

// Notes in a list when the frame that holds it goes away.
struct Witness {
  QStringList* log;
  QString name;
  ~Witness() { *log << name + QStringLiteral(" gone"); }
};

Task<void> Waiting(QStringList* log, QString name, int ms) {  // by value: the task starts later
  Witness witness{log, name};
  co_await Sleep(ms);
  *log << name + QStringLiteral(" resumed");
}

}  // namespace

TEST(Task, awaitedTasksChainTheirResultsAndErrors) {
  EXPECT_EQ(RunBlocking(Sum(2, 3)), 5);
  EXPECT_THROW(RunBlocking(Failing(1)), std::runtime_error);
}

// The slowest task comes first in the list: the results keep the list's order, not the order in
// which the tasks finished, and the tasks ran side by side.
TEST(Task, whenAllKeepsTheOrderOfTheTasksWhateverOrderTheyFinishIn) {
  QStringList finished;
  std::vector<Task<int>> tasks;
  tasks.push_back(Later(1, 60, &finished));
  tasks.push_back(Later(2, 1, &finished));
  tasks.push_back(Later(3, 30, &finished));
  auto all = [](std::vector<Task<int>> t) -> Task<std::vector<int>> {
    co_return co_await WhenAll(std::move(t));
  };
  EXPECT_EQ(RunBlocking(all(std::move(tasks))), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(finished, (QStringList{"2", "3", "1"}));

  auto none = [](std::vector<Task<int>> t) -> Task<std::size_t> {
    co_return (co_await WhenAll(std::move(t))).size();
  };
  EXPECT_EQ(RunBlocking(none({})), 0u);
}

TEST(Task, whenAllRaisesTheFirstErrorInOrderOnceAllHaveFinished) {
  QStringList finished;
  std::vector<Task<int>> tasks;
  tasks.push_back(Later(1, 1, &finished));
  tasks.push_back(Failing(30));
  tasks.push_back(Later(3, 50, &finished));
  auto all = [](std::vector<Task<int>> t) -> Task<int> {
    co_await WhenAll(std::move(t));
    co_return 0;
  };
  EXPECT_THROW(RunBlocking(all(std::move(tasks))), std::runtime_error);
  EXPECT_EQ(finished, (QStringList{"1", "3"}));
}

// Cancelling is destroying: every frame of the work goes, with what it holds, and nothing of it
// runs again, although its pauses would have ended.
TEST(Task, destroyingAStartedTaskEndsAllItsWorkForGood) {
  QStringList log;
  {
    std::vector<Task<void>> tasks;
    tasks.push_back(Waiting(&log, "a", 20));
    tasks.push_back(Waiting(&log, "b", 20));
    auto both = [](std::vector<Task<void>> t) -> Task<void> { co_await WhenAll(std::move(t)); };
    Task<void> root = both(std::move(tasks));
    root.start([&] { log << "root finished"; });
    EXPECT_TRUE(log.isEmpty());
  }
  log.sort();
  EXPECT_EQ(log, (QStringList{"a gone", "b gone"}));
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 60) QCoreApplication::processEvents();
  EXPECT_EQ(log, (QStringList{"a gone", "b gone"}));
}
