#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "async/task.h"
#include "async/when_all.h"

// Fetches every item and applies what came back in the items' order, whatever order the answers
// arrive in. Side by side, all fetches start at once (a limiter elsewhere bounds how many really
// run) and each answer is applied as soon as it and every earlier one are in; one after another,
// each item is fetched and applied before the next starts, exactly as a plain loop does.
//
//   co_await FetchInOrder<OrcaAnswer>(months.size(), sideBySide,
//       [&](std::size_t i) { return client.post(path, Body(months[i])); },
//       [&](std::size_t i, const OrcaAnswer& answer) { Parse(answer, months[i]); });
//
// `fetch` and `apply` are kept for the whole run, so what they refer to must outlive it.
namespace in_order_detail {

template <class Fetched, class Fetch, class Apply>
struct Run {
  Fetch fetch;
  Apply apply;
  std::vector<std::optional<Fetched>> arrived;
  std::size_t next = 0;  // the first item not applied yet

  // Applies every answer that no earlier item is still waiting for.
  void applyReady() {
    while (next < arrived.size() && arrived[next]) {
      const std::size_t i = next++;
      Fetched fetched = std::move(*arrived[i]);
      arrived[i].reset();
      apply(i, fetched);
    }
  }
};

template <class Fetched, class Fetch, class Apply>
Task<void> FetchOne(Run<Fetched, Fetch, Apply>* run, std::size_t i) {
  run->arrived[i].emplace(co_await run->fetch(i));
  run->applyReady();
}

}  // namespace in_order_detail

template <class Fetched, class Fetch, class Apply>
Task<void> FetchInOrder(std::size_t count, bool sideBySide, Fetch fetch, Apply apply) {
  if (!sideBySide) {
    for (std::size_t i = 0; i < count; ++i) {
      Fetched fetched = co_await fetch(i);
      apply(i, fetched);
    }
    co_return;
  }
  in_order_detail::Run<Fetched, Fetch, Apply> run{std::move(fetch), std::move(apply), {}, 0};
  run.arrived.resize(count);
  std::vector<Task<void>> tasks;
  tasks.reserve(count);
  for (std::size_t i = 0; i < count; ++i) tasks.push_back(in_order_detail::FetchOne(&run, i));
  co_await WhenAll(std::move(tasks));
}

// Two independent roads: side by side, or the first and then the second.
inline Task<void> Both(Task<void> first, Task<void> second, bool sideBySide) {
  if (!sideBySide) {
    co_await first;
    co_await second;
    co_return;
  }
  std::vector<Task<void>> both;
  both.push_back(std::move(first));
  both.push_back(std::move(second));
  co_await WhenAll(std::move(both));
}
