#include <gtest/gtest.h>

#include <algorithm>
#include <coroutine>
#include <numeric>
#include <stdexcept>
#include <utility>
#include <vector>

#include "async/in_order.h"
#include "async/task.h"

// FetchInOrder and Both driven by hand: every fetch waits at a gate of its own that the test opens,
// so each arrival order is played exactly, without timers or an event loop.
namespace {

struct Gate {
  std::coroutine_handle<> waiting;
  bool open = false;
  bool failing = false;

  bool await_ready() const noexcept { return open; }
  void await_suspend(std::coroutine_handle<> handle) noexcept { waiting = handle; }
  void await_resume() const {
    if (failing) throw std::runtime_error("no answer");
  }
  void release(bool fail = false) {
    open = true;
    failing = fail;
    if (auto handle = std::exchange(waiting, {})) handle.resume();
  }
};

// What the fetches and applies saw, in the order they saw it.
struct Trace {
  std::vector<std::size_t> started;
  std::vector<std::size_t> applied;
  std::vector<std::size_t> gone;  // fetch frames destroyed, finished or not
};

struct FrameWitness {
  Trace* trace;
  std::size_t item;
  ~FrameWitness() { trace->gone.push_back(item); }
};

Task<int> Fetch(Gate* gate, Trace* trace, std::size_t item) {
  FrameWitness witness{trace, item};
  trace->started.push_back(item);
  co_await *gate;
  co_return static_cast<int>(item) * 10;
}

Task<void> FetchAll(std::vector<Gate>& gates, Trace& trace, bool sideBySide) {
  return FetchInOrder<int>(
      gates.size(), sideBySide, [&](std::size_t i) { return Fetch(&gates[i], &trace, i); },
      [&](std::size_t i, const int& value) {
        EXPECT_EQ(value, static_cast<int>(i) * 10);
        trace.applied.push_back(i);
      });
}

// The items applied once `released` are in: the longest prefix of items that have all arrived.
std::vector<std::size_t> InPrefix(const std::vector<bool>& released) {
  std::vector<std::size_t> prefix;
  while (prefix.size() < released.size() && released[prefix.size()]) prefix.push_back(prefix.size());
  return prefix;
}

std::vector<std::vector<std::size_t>> EveryOrder(std::size_t count) {
  std::vector<std::size_t> order(count);
  std::iota(order.begin(), order.end(), 0);
  std::vector<std::vector<std::size_t>> orders;
  do orders.push_back(order);
  while (std::next_permutation(order.begin(), order.end()));
  return orders;
}

}  // namespace

// Side by side, all four fetches start at once; after every arrival exactly the items whose answer
// and every earlier one are in have been applied, in the items' order.
TEST(FetchInOrder, sideBySideAppliesEachAnswerAsSoonAsEveryEarlierOneIsIn) {
  for (const std::vector<std::size_t>& arrival : EveryOrder(4)) {
    std::vector<Gate> gates(4);
    Trace trace;
    Task<void> run = FetchAll(gates, trace, true);
    bool finished = false;
    run.start([&] { finished = true; });
    EXPECT_EQ(trace.started, (std::vector<std::size_t>{0, 1, 2, 3}));
    std::vector<bool> released(4, false);
    for (std::size_t item : arrival) {
      EXPECT_FALSE(finished);
      gates[item].release();
      released[item] = true;
      EXPECT_EQ(trace.applied, InPrefix(released)) << "after item " << item << " arrived";
    }
    EXPECT_TRUE(finished);
    run.result();
  }
}

// One at a time, the next fetch starts only once the previous answer has been applied: the plain loop.
TEST(FetchInOrder, oneAtATimeIsThePlainLoop) {
  std::vector<Gate> gates(3);
  Trace trace;
  Task<void> run = FetchAll(gates, trace, false);
  bool finished = false;
  run.start([&] { finished = true; });
  for (std::size_t item = 0; item < 3; ++item) {
    EXPECT_EQ(trace.started.size(), item + 1) << "only the item in hand has started";
    EXPECT_EQ(trace.applied.size(), item);
    gates[item].release();
  }
  EXPECT_EQ(trace.applied, (std::vector<std::size_t>{0, 1, 2}));
  EXPECT_TRUE(finished);
  EXPECT_EQ(trace.gone, (std::vector<std::size_t>{0, 1, 2}));
}

TEST(FetchInOrder, noItemsFinishesAtOnce) {
  for (bool sideBySide : {false, true}) {
    std::vector<Gate> gates;
    Trace trace;
    Task<void> run = FetchAll(gates, trace, sideBySide);
    bool finished = false;
    run.start([&] { finished = true; });
    EXPECT_TRUE(finished);
    EXPECT_TRUE(trace.started.empty());
  }
}

// Destroying the run mid-way destroys every fetch still waiting and applies nothing more, whatever
// had arrived out of order.
TEST(FetchInOrder, cancellingMidRunDestroysTheWaitingFetchesAndAppliesNothingMore) {
  struct Case {
    bool sideBySide;
    std::vector<std::size_t> arrivedBeforeCancel;
    std::vector<std::size_t> applied;
  } cases[] = {
      {true, {}, {}},      {true, {2}, {}},  // arrived out of order: held back, then dropped
      {true, {0, 2}, {0}},                   // the prefix was applied, the rest goes
      {false, {}, {}},     {false, {0}, {0}},
  };
  for (const Case& c : cases) {
    std::vector<Gate> gates(3);
    Trace trace;
    bool finished = false;
    {
      Task<void> run = FetchAll(gates, trace, c.sideBySide);
      run.start([&] { finished = true; });
      for (std::size_t item : c.arrivedBeforeCancel) gates[item].release();
    }
    EXPECT_FALSE(finished);
    EXPECT_EQ(trace.applied, c.applied);
    std::vector<std::size_t> gone = trace.gone;
    std::vector<std::size_t> started = trace.started;
    std::sort(gone.begin(), gone.end());
    std::sort(started.begin(), started.end());
    EXPECT_EQ(gone, started) << "every fetch that started is gone";
  }
}

// A failing fetch stops the applying at its place: what came before it is applied, nothing after it,
// and the run raises the error once every fetch has ended.
TEST(FetchInOrder, aFailingFetchStopsTheApplyingAtItsPlace) {
  for (bool sideBySide : {false, true}) {
    std::vector<Gate> gates(3);
    Trace trace;
    Task<void> run = FetchAll(gates, trace, sideBySide);
    bool finished = false;
    run.start([&] { finished = true; });
    gates[0].release();
    gates[1].release(true);
    if (sideBySide) {
      EXPECT_FALSE(finished) << "side by side, the last fetch is still awaited";
      gates[2].release();
    }
    EXPECT_TRUE(finished);
    EXPECT_EQ(trace.applied, (std::vector<std::size_t>{0}));
    EXPECT_THROW(run.result(), std::runtime_error);
  }
}

namespace {

struct RoadWitness {
  int* gone;
  ~RoadWitness() {
    if (gone) ++*gone;
  }
};

Task<void> Road(Gate* gate, std::vector<int>* log, int name, int* gone = nullptr) {
  RoadWitness witness{gone};
  log->push_back(name);
  co_await *gate;
  log->push_back(-name);
}

}  // namespace

TEST(Both, sideBySideStartsBothAndEndsWhenTheLaterEndsInEitherOrder) {
  for (bool firstEndsFirst : {true, false}) {
    Gate first, second;
    std::vector<int> log;
    Task<void> both = Both(Road(&first, &log, 1), Road(&second, &log, 2), true);
    bool finished = false;
    both.start([&] { finished = true; });
    EXPECT_EQ(log, (std::vector<int>{1, 2}));
    (firstEndsFirst ? first : second).release();
    EXPECT_FALSE(finished);
    (firstEndsFirst ? second : first).release();
    EXPECT_TRUE(finished);
    EXPECT_EQ(log, firstEndsFirst ? (std::vector<int>{1, 2, -1, -2}) : (std::vector<int>{1, 2, -2, -1}));
  }
}

TEST(Both, oneAtATimeStartsTheSecondWhenTheFirstHasEnded) {
  Gate first, second;
  std::vector<int> log;
  Task<void> both = Both(Road(&first, &log, 1), Road(&second, &log, 2), false);
  bool finished = false;
  both.start([&] { finished = true; });
  EXPECT_EQ(log, (std::vector<int>{1}));
  first.release();
  EXPECT_EQ(log, (std::vector<int>{1, -1, 2}));
  second.release();
  EXPECT_TRUE(finished);
}

TEST(Both, cancellingDestroysBothRoads) {
  for (bool sideBySide : {false, true}) {
    Gate first, second;
    std::vector<int> log;
    int gone = 0;
    bool finished = false;
    {
      Task<void> both = Both(Road(&first, &log, 1, &gone), Road(&second, &log, 2, &gone), sideBySide);
      both.start([&] { finished = true; });
    }
    EXPECT_FALSE(finished);
    EXPECT_EQ(log, sideBySide ? (std::vector<int>{1, 2}) : (std::vector<int>{1}));
    EXPECT_EQ(gone, sideBySide ? 2 : 1) << "every road that started is gone, none resumed";
  }
}
