#pragma once

#include <cstddef>
#include <exception>
#include <optional>
#include <type_traits>
#include <vector>

#include "async/task.h"

// Runs tasks side by side and resumes when the last one has finished. The results come in the
// order of the tasks, whatever order they finish in; the first error, in that order, is raised
// once all have finished. Destroying the awaiting task destroys them all.
//
//   std::vector<Answer> answers = co_await WhenAll(std::move(tasks));
namespace when_all_detail {

struct Counter {
  std::size_t remaining = 0;
  std::coroutine_handle<> parent;
};

// One task of the group, run by a coroutine of its own that counts down when it has finished.
struct Member {
  struct promise_type {
    Counter* counter = nullptr;
    Member get_return_object() noexcept {
      return Member(std::coroutine_handle<promise_type>::from_promise(*this));
    }
    std::suspend_always initial_suspend() noexcept { return {}; }
    struct Last {
      bool await_ready() noexcept { return false; }
      std::coroutine_handle<> await_suspend(std::coroutine_handle<promise_type> self) noexcept {
        Counter* counter = self.promise().counter;
        if (--counter->remaining == 0) return counter->parent;
        return std::noop_coroutine();
      }
      void await_resume() noexcept {}
    };
    Last final_suspend() noexcept { return {}; }
    void return_void() noexcept {}
    void unhandled_exception() noexcept { std::terminate(); }  // members catch everything
  };

  explicit Member(std::coroutine_handle<promise_type> handle) : handle(handle) {}
  Member(Member&& other) noexcept : handle(std::exchange(other.handle, {})) {}
  Member(const Member&) = delete;
  ~Member() {
    if (handle) handle.destroy();
  }

  std::coroutine_handle<promise_type> handle;
};

template <class T>
struct Slot {
  std::conditional_t<std::is_void_v<T>, bool, std::optional<T>> value{};
  std::exception_ptr error;
};

template <class T>
Member RunMember(Task<T>& task, Slot<T>& slot) {
  try {
    if constexpr (std::is_void_v<T>) {
      co_await task;
      slot.value = true;
    } else {
      slot.value.emplace(co_await task);
    }
  } catch (...) {
    slot.error = std::current_exception();
  }
}

template <class T>
class Awaiter {
 public:
  explicit Awaiter(std::vector<Task<T>> tasks) : tasks_(std::move(tasks)), slots_(tasks_.size()) {}

  bool await_ready() const noexcept { return tasks_.empty(); }
  std::coroutine_handle<> await_suspend(std::coroutine_handle<> parent) {
    counter_.parent = parent;
    counter_.remaining = tasks_.size() + 1;  // one more while they are being started
    members_.reserve(tasks_.size());
    for (std::size_t i = 0; i < tasks_.size(); ++i) {
      members_.push_back(RunMember(tasks_[i], slots_[i]));
      members_.back().handle.promise().counter = &counter_;
      members_.back().handle.resume();
    }
    if (--counter_.remaining == 0) return parent;  // every one finished while starting
    return std::noop_coroutine();
  }
  auto await_resume() {
    for (const Slot<T>& slot : slots_) {
      if (slot.error) std::rethrow_exception(slot.error);
    }
    if constexpr (!std::is_void_v<T>) {
      std::vector<T> results;
      results.reserve(slots_.size());
      for (Slot<T>& slot : slots_) results.push_back(std::move(*slot.value));
      return results;
    }
  }

 private:
  std::vector<Task<T>> tasks_;
  std::vector<Slot<T>> slots_;
  Counter counter_;
  std::vector<Member> members_;  // destroyed before the tasks they await
};

}  // namespace when_all_detail

template <class T>
when_all_detail::Awaiter<T> WhenAll(std::vector<Task<T>> tasks) {
  return when_all_detail::Awaiter<T>(std::move(tasks));
}
