#include "toolkit/core/Component.h"

#include <algorithm>

namespace tk {

TComponent::TComponent(TComponent* AOwner) : FOwner(AOwner) {
  if (FOwner) FOwner->Insert(this);
}

TComponent::~TComponent() {
  FState = static_cast<std::uint8_t>(FState | csDestroying);
  // Owned components go last-created first, so later ones never see an
  // earlier sibling already gone.
  while (!FComponents.empty()) {
    TComponent* Child = FComponents.back();
    FComponents.pop_back();
    Child->FOwner = nullptr;
    delete Child;
  }
  if (FOwner) FOwner->Remove(this);
}

TComponent* TComponent::FindComponent(std::string_view AName) const {
  for (TComponent* C : FComponents)
    if (!AName.empty() && C->Name() == AName) return C;
  return nullptr;
}

bool TComponent::SetPublishedProperty(std::string_view Name, const TLayoutValue& Value,
                                      TLayoutBinder&) {
  if (Name == "Name" && Value.Kind == TLayoutValue::TKind::String) {
    SetName(Value.Text);
    return true;
  }
  return false;
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::BindPublishedField(std::string_view, TComponent*) {}

void TComponent::PublishMethod(std::string Name, std::any Method) {
  FMethods.insert_or_assign(std::move(Name), std::move(Method));
}

const std::any* TComponent::FindPublishedMethod(std::string_view Name) const {
  auto It = FMethods.find(Name);
  return It == FMethods.end() ? nullptr : &It->second;
}

void TComponent::Loaded() {
  FState = static_cast<std::uint8_t>(FState & ~csLoading);
}

void TComponent::Insert(TComponent* Child) {
  FComponents.push_back(Child);
}

void TComponent::Remove(TComponent* Child) {
  auto It = std::find(FComponents.begin(), FComponents.end(), Child);
  if (It != FComponents.end()) FComponents.erase(It);
}

} // namespace tk
