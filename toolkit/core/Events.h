// Events: a function bound to the object it belongs to. An unassigned event is
// empty and is skipped by whoever raises it.
#pragma once

#include <concepts>
#include <functional>
#include <utility>

namespace tk {

class TObject;

template <class... Args> class TMethod {
public:
  TMethod() = default;

  // A method of an object: the usual way a form binds its handlers.
  template <class T>
  TMethod(T* Object, void (T::*Method)(Args...))
      : FCall([Object, Method](Args... A) { (Object->*Method)(std::forward<Args>(A)...); }),
        FData(Object) {}

  // Any callable: handy for tests and programs that do not use method tables.
  template <class F>
  requires std::invocable<F&, Args...> &&
      (!std::same_as<std::decay_t<F>, TMethod>)TMethod(F Callable)
      : FCall(std::move(Callable)) {}

  explicit operator bool() const noexcept { return static_cast<bool>(FCall); }
  void operator()(Args... A) const { FCall(std::forward<Args>(A)...); }
  // The object the method is bound to, or null for a free callable.
  const void* Data() const noexcept { return FData; }

private:
  std::function<void(Args...)> FCall;
  const void* FData = nullptr;
};

using TNotifyEvent = TMethod<TObject*>;

} // namespace tk
