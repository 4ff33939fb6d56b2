// Components: named objects owned by another component, which frees them,
// with published properties and handlers that a stored layout sets by name.
#pragma once

#include "toolkit/core/LayoutValue.h"
#include "toolkit/core/Object.h"

#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

class TLayoutBinder;

enum TComponentStateFlag : std::uint8_t { csLoading = 1, csDestroying = 2 };

class TComponent : public TObject {
public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  std::string_view ClassName() const override { return "TComponent"; }

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  void SetName(std::string Value) { FName = std::move(Value); }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int Index) const { return FComponents.at(Index); }
  TComponent* FindComponent(std::string_view AName) const;
  std::uint8_t ComponentState() const { return FState; }

  // Set by the layout reader by name. Returns false for a name the class does
  // not publish; each class handles its own names and passes the rest on.
  virtual bool SetPublishedProperty(std::string_view Name, const TLayoutValue& Value,
                                    TLayoutBinder& Binder);
  // The layout reader places a component inside another (a control inside
  // its parent control); plain components ignore it.
  virtual void SetParentComponent(TComponent* Parent);
  // Called by the layout reader on a root component when a component of the
  // given name was created, so the root can keep it in its published field.
  virtual void BindPublishedField(std::string_view FieldName, TComponent* Component);

  // Published handlers of a root component, found by name from stored layouts.
  // The value is the handler's event object (a TMethod of the event's type).
  void PublishMethod(std::string Name, std::any Method);
  const std::any* FindPublishedMethod(std::string_view Name) const;

  // The layout reader's steps: loading starts, properties are set, then
  // Loaded runs once on every component that was read.
  void BeginLoading() { FState = static_cast<std::uint8_t>(FState | csLoading); }
  virtual void Loaded();

private:
  void Insert(TComponent* Child);
  void Remove(TComponent* Child);

  TComponent* FOwner;
  std::string FName;
  std::vector<TComponent*> FComponents;
  std::map<std::string, std::any, std::less<>> FMethods;
  std::uint8_t FState = 0;
};

} // namespace tk
