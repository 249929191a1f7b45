#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <algorithm>
#include <vector>

#include "async/limiter.h"
#include "async/run_blocking.h"
#include "async/sleep.h"
#include "async/task.h"
#include "async/when_all.h"
#include "qt_printers.h"

namespace {

// Takes a place, notes its name when let in, holds the place for a moment.
Task<void> Work(Limiter* limiter, QStringList* order, QString name, bool ahead) {
  Limiter::Permit permit;
  if (ahead)
    permit = co_await limiter->acquireAhead();
  else
    permit = co_await limiter->acquire();
  *order << name;
  co_await Sleep(5);
}

Task<void> Holder(Limiter* limiter, int* inside, int* most) {
  const Limiter::Permit permit = co_await limiter->acquire();
  *most = std::max(*most, ++*inside);
  co_await Sleep(5);
  --*inside;
}

Task<void> All(std::vector<Task<void>> tasks) {
  co_await WhenAll(std::move(tasks));
}

struct Asker {
  QString name;
  bool ahead;
};

}  // namespace

// One place: the first takes it; of those left waiting, the ones going ahead get in first, among
// themselves in the order they asked, then the others in theirs.
TEST(Limiter, workGoingAheadPassesTheLineButNotWorkAheadOfIt) {
  const struct {
    const char* what;
    std::vector<Asker> askers;
    QStringList expected;
  } cases[] = {
      {"all in line", {{"a", false}, {"b", false}, {"c", false}}, {"a", "b", "c"}},
      {"one ahead", {{"a", false}, {"b", false}, {"c", false}, {"d", true}}, {"a", "d", "b", "c"}},
      {"two ahead keep their order",
       {{"a", false}, {"b", false}, {"x", true}, {"c", false}, {"y", true}},
       {"a", "x", "y", "b", "c"}},
  };
  for (const auto& c : cases) {
    Limiter limiter(1);
    QStringList order;
    std::vector<Task<void>> tasks;
    for (const Asker& asker : c.askers) tasks.push_back(Work(&limiter, &order, asker.name, asker.ahead));
    RunBlocking(All(std::move(tasks)));
    EXPECT_EQ(order, c.expected) << c.what;
    EXPECT_EQ(limiter.inUse(), 0) << c.what;
  }
}

// Two places and six askers: never more than two at once, and a waiting task that is destroyed
// leaves the line without taking a place.
TEST(Limiter, neverMoreThanItsPlacesAndDestroyedWorkLeavesTheLine) {
  Limiter limiter(2);
  int inside = 0, most = 0;
  std::vector<Task<void>> tasks;
  for (int i = 0; i < 6; ++i) tasks.push_back(Holder(&limiter, &inside, &most));
  RunBlocking(All(std::move(tasks)));
  EXPECT_EQ(most, 2);

  QStringList order;
  {
    std::vector<Task<void>> first;
    first.push_back(Work(&limiter, &order, QStringLiteral("a"), false));
    first.push_back(Work(&limiter, &order, QStringLiteral("b"), false));
    first.push_back(Work(&limiter, &order, QStringLiteral("dropped"), true));
    Task<void> started = All(std::move(first));
    started.start([] {});
    RunUntil([&order] { return order.size() == 2; }, 1000);
    // `started` goes here with "dropped" still waiting for a place
  }
  EXPECT_EQ(limiter.inUse(), 0);
  RunBlocking(Work(&limiter, &order, QStringLiteral("c"), false));
  EXPECT_EQ(order, (QStringList{"a", "b", "c"}));
}
