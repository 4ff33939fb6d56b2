#include "toolkit/core/ClassRegistry.h"

#include <map>

namespace tk {

namespace {

// Built on first use, so classes can register from static initialisers of any
// translation unit.
std::map<std::string, TComponentFactory, std::less<>>& Registry() {
  static std::map<std::string, TComponentFactory, std::less<>> Classes;
  return Classes;
}

} // namespace

void RegisterComponentClass(std::string ClassName, TComponentFactory Factory) {
  Registry().insert_or_assign(std::move(ClassName), std::move(Factory));
}

TComponentFactory FindComponentClass(std::string_view ClassName) {
  auto It = Registry().find(ClassName);
  return It == Registry().end() ? TComponentFactory() : It->second;
}

} // namespace tk
