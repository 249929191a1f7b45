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
  const Limiter::Permit permit = co_await limiter->acquire(ahead);
  *order << name;
  co_await Sleep(5);
}

Task<void> Holder(Limiter* limiter, int* inside, int* most) {
  const Limiter::Permit permit = co_await limiter->acquire();
  *most = std::max(*most, ++*inside);
  co_await Sleep(5);
  --*inside;
}

// Takes a place and holds it until told to let go.
Task<void> HoldUntil(Limiter* limiter, QStringList* order, QString name, const bool* release) {
  const Limiter::Permit permit = co_await limiter->acquire(true);
  *order << name;
  while (!*release) co_await Sleep(1);
}

Task<void> All(std::vector<Task<void>> tasks) {
  co_await WhenAll(std::move(tasks));
}

struct Asker {
  QString name;
  bool ahead;
};

}  // namespace

// One place, everybody asking in the same turn of the event loop: the work going ahead gets in
// first, among itself in the order it asked, then the work in line in its order.
TEST(Limiter, workGoingAheadPassesTheLineButNotWorkAheadOfIt) {
  const struct {
    const char* what;
    std::vector<Asker> askers;
    QStringList expected;
  } cases[] = {
      {"all in line", {{"a", false}, {"b", false}, {"c", false}}, {"a", "b", "c"}},
      {"one ahead", {{"a", false}, {"b", false}, {"c", false}, {"d", true}}, {"d", "a", "b", "c"}},
      {"two ahead keep their order",
       {{"a", false}, {"b", false}, {"x", true}, {"c", false}, {"y", true}},
       {"x", "y", "a", "b", "c"}},
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

// Two places and six askers: never more than two at once. Work that waits for a place and is
// destroyed leaves the line without taking one.
TEST(Limiter, neverMoreThanItsPlacesAndDestroyedWorkLeavesTheLine) {
  Limiter limiter(2);
  int inside = 0, most = 0;
  std::vector<Task<void>> tasks;
  for (int i = 0; i < 6; ++i) tasks.push_back(Holder(&limiter, &inside, &most));
  RunBlocking(All(std::move(tasks)));
  EXPECT_EQ(most, 2);

  bool release = false;
  QStringList order;
  std::vector<Task<void>> holders;
  holders.push_back(HoldUntil(&limiter, &order, QStringLiteral("a"), &release));
  holders.push_back(HoldUntil(&limiter, &order, QStringLiteral("b"), &release));
  Task<void> both = All(std::move(holders));
  both.start([] {});
  ASSERT_TRUE(RunUntil([&order] { return order.size() == 2; }, 5000));
  {
    Task<void> dropped = HoldUntil(&limiter, &order, QStringLiteral("dropped"), &release);
    dropped.start([] {});
    RunUntil([] { return false; }, 20);  // it waits: both places are taken
  }
  release = true;
  ASSERT_TRUE(RunUntil([&limiter] { return limiter.inUse() == 0; }, 5000));
  RunBlocking(Work(&limiter, &order, QStringLiteral("c"), false));
  EXPECT_EQ(order, (QStringList{"a", "b", "c"}));
}

namespace {

Task<void> Background(Limiter* limiter, QStringList* order, QString name, const bool* background, int* most) {
  const Limiter::Permit permit = co_await limiter->acquire(false, background);
  *order << name;
  *most = std::max(*most, limiter->backgroundInUse());
  co_await Sleep(5);
}

}  // namespace

// Background work takes one place at most and only while nothing else waits: work asked for after
// it still goes first. Raised while it waits, it goes as the others do.
TEST(Limiter, backgroundWorkTakesOnePlaceAndLetsLaterWorkPass) {
  Limiter limiter(2);
  QStringList order;
  int most = 0;
  const bool background = true;
  std::vector<Task<void>> tasks;
  for (const char* name : {"p1", "p2", "p3"})
    tasks.push_back(Background(&limiter, &order, name, &background, &most));
  tasks.push_back(Work(&limiter, &order, QStringLiteral("u1"), false));
  tasks.push_back(Work(&limiter, &order, QStringLiteral("u2"), false));
  RunBlocking(All(std::move(tasks)));
  EXPECT_EQ(order, (QStringList{"u1", "u2", "p1", "p2", "p3"}));
  EXPECT_EQ(most, 1);
  EXPECT_EQ(limiter.inUse(), 0);
  EXPECT_EQ(limiter.backgroundInUse(), 0);

  // Two background askers wait behind a holder; raising them lets both in at once.
  order.clear();
  most = 0;
  bool release = false;
  bool raised = true;
  Task<void> holder = HoldUntil(&limiter, &order, QStringLiteral("h"), &release);
  holder.start([] {});
  Task<void> other = HoldUntil(&limiter, &order, QStringLiteral("h2"), &release);
  other.start([] {});
  ASSERT_TRUE(RunUntil([&order] { return order.size() == 2; }, 5000));
  std::vector<Task<void>> lifted;
  lifted.push_back(Background(&limiter, &order, QStringLiteral("b1"), &raised, &most));
  lifted.push_back(Background(&limiter, &order, QStringLiteral("b2"), &raised, &most));
  Task<void> both = All(std::move(lifted));
  both.start([] {});
  raised = false;
  limiter.reconsider();
  release = true;
  ASSERT_TRUE(RunUntil([&order] { return order.size() == 4; }, 5000));
  EXPECT_EQ(most, 0);  // neither was let in as background work
  ASSERT_TRUE(RunUntil([&limiter] { return limiter.inUse() == 0; }, 5000));
}
