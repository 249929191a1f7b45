#pragma once

#include <coroutine>
#include <exception>
#include <functional>
#include <optional>
#include <utility>

// A piece of work that may wait (for ORCA, for a pause) without blocking the thread: a C++20
// coroutine that starts when it is awaited, or when a runner starts it, and hands its result or
// its error to whoever awaits it. Destroying a Task that has not finished destroys its frame and,
// with it, everything it waits on: this is how work is cancelled.
//
//   Task<QString> Name(OrcaClient& client) { const OrcaAnswer a = co_await client.post(...); co_return ...; }
template <class T = void>
class Task;

namespace task_detail {

struct PromiseBase {
  std::coroutine_handle<> continuation;  // the coroutine awaiting this one
  std::exception_ptr error;
  std::function<void()> finished;  // a runner's, for a task nobody awaits

  struct FinalAwaiter {
    bool await_ready() noexcept { return false; }
    template <class Promise>
    std::coroutine_handle<> await_suspend(std::coroutine_handle<Promise> self) noexcept {
      PromiseBase& promise = self.promise();
      if (promise.continuation) return promise.continuation;
      if (promise.finished) promise.finished();
      return std::noop_coroutine();
    }
    void await_resume() noexcept {}
  };

  std::suspend_always initial_suspend() noexcept { return {}; }
  FinalAwaiter final_suspend() noexcept { return {}; }
  void unhandled_exception() noexcept { error = std::current_exception(); }
};

template <class T>
struct Promise : PromiseBase {
  std::optional<T> value;
  Task<T> get_return_object() noexcept;
  template <class U>
  void return_value(U&& result) {
    value.emplace(std::forward<U>(result));
  }
  T take() {
    if (error) std::rethrow_exception(error);
    return std::move(*value);
  }
};

template <>
struct Promise<void> : PromiseBase {
  Task<void> get_return_object() noexcept;
  void return_void() noexcept {}
  void take() {
    if (error) std::rethrow_exception(error);
  }
};

}  // namespace task_detail

template <class T>
class [[nodiscard]] Task {
 public:
  using promise_type = task_detail::Promise<T>;
  using Handle = std::coroutine_handle<promise_type>;

  Task() = default;
  explicit Task(Handle handle) : handle_(handle) {}
  Task(Task&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
  Task& operator=(Task&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, {});
    }
    return *this;
  }
  Task(const Task&) = delete;
  Task& operator=(const Task&) = delete;
  ~Task() { reset(); }

  bool valid() const { return bool(handle_); }
  bool done() const { return handle_ && handle_.done(); }

  // Awaiting starts the task; the awaiter resumes when it has finished.
  bool await_ready() const noexcept { return false; }
  std::coroutine_handle<> await_suspend(std::coroutine_handle<> awaiting) noexcept {
    handle_.promise().continuation = awaiting;
    return handle_;
  }
  T await_resume() { return handle_.promise().take(); }

  // For runners: starts a task that nobody awaits; `finished` is called once it has finished,
  // from inside its last step, so it must not destroy the task itself.
  void start(std::function<void()> finished) {
    handle_.promise().finished = std::move(finished);
    handle_.resume();
  }
  // The result of a finished task; its error is raised here.
  T result() { return handle_.promise().take(); }

 private:
  void reset() {
    if (handle_) handle_.destroy();
    handle_ = {};
  }

  Handle handle_;
};

namespace task_detail {

template <class T>
Task<T> Promise<T>::get_return_object() noexcept {
  return Task<T>(std::coroutine_handle<Promise<T>>::from_promise(*this));
}

inline Task<void> Promise<void>::get_return_object() noexcept {
  return Task<void>(std::coroutine_handle<Promise<void>>::from_promise(*this));
}

}  // namespace task_detail
