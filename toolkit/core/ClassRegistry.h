// Component classes known to the layout reader by the class name a layout
// writes after "object Name:".
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace tk {

class TComponent;

// Creates a component owned by Owner.
using TComponentFactory = std::function<TComponent*(TComponent* Owner)>;

// A later registration of the same name replaces the earlier one.
void RegisterComponentClass(std::string ClassName, TComponentFactory Factory);

// For a class constructible from its owner alone.
template <class T> void RegisterComponentClass(std::string ClassName) {
  RegisterComponentClass(std::move(ClassName),
                         [](TComponent* Owner) -> TComponent* { return new T(Owner); });
}

// Empty when no class of that name (compared exactly) is registered.
TComponentFactory FindComponentClass(std::string_view ClassName);

} // namespace tk
