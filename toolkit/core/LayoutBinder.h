// What a component sees of the layout reader while its properties are set:
// typed conversions of the stored values, the root's published handlers, and
// errors that name the resource, line and property.
#pragma once

#include "toolkit/core/Exceptions.h"
#include "toolkit/core/LayoutValue.h"

#include <any>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace tk {

class TComponent;

class TLayoutBinder {
public:
  TLayoutBinder(std::string ResourceName, TComponent* Root)
      : FResourceName(std::move(ResourceName)), FRoot(Root) {}

  const std::string& ResourceName() const { return FResourceName; }
  TComponent* Root() const { return FRoot; }

  // The property being set, for error messages; the reader keeps it current.
  void SetCurrent(std::string_view Property, int Line) {
    FProperty = Property;
    FLine = Line;
  }

  std::int32_t Int(const TLayoutValue& V) const;
  bool Bool(const TLayoutValue& V) const;
  const std::string& String(const TLayoutValue& V) const;
  const std::string& Ident(const TLayoutValue& V) const;
  const std::vector<std::string>& StringList(const TLayoutValue& V) const;

  // An identifier from a fixed table, e.g. alTop -> alTop.
  template <class E>
  E Enum(const TLayoutValue& V, std::initializer_list<std::pair<const char*, E>> Table) const {
    const std::string& Name = Ident(V);
    for (const auto& [N, E2] : Table)
      if (Name == N) return E2;
    Fail("unknown value '" + Name + "'");
  }
  // A set of identifiers from a fixed table, as a bit mask.
  template <class M>
  M Set(const TLayoutValue& V, std::initializer_list<std::pair<const char*, M>> Table) const {
    if (V.Kind != TLayoutValue::TKind::Set) Fail("a set [...] is expected");
    M Mask{};
    for (const std::string& Item : V.Items) {
      bool Found = false;
      for (const auto& [N, Bit] : Table)
        if (Item == N) {
          Mask = static_cast<M>(Mask | Bit);
          Found = true;
        }
      if (!Found) Fail("unknown set element '" + Item + "'");
    }
    return Mask;
  }

  // The root's published handler of the given name and event type.
  template <class Event> Event Method(const TLayoutValue& V) const {
    const std::any* Found = FindMethod(Ident(V));
    if (!Found) Fail("unknown handler '" + V.Text + "'");
    if (const Event* E = std::any_cast<Event>(Found)) return *E;
    Fail("handler '" + V.Text + "' has the wrong signature for this event");
  }

  [[noreturn]] void Fail(const std::string& Message) const;

private:
  const std::any* FindMethod(const std::string& Name) const;

  std::string FResourceName;
  TComponent* FRoot;
  std::string FProperty;
  int FLine = 0;
};

} // namespace tk
