#include "toolkit/core/LayoutBinder.h"

#include "toolkit/core/Component.h"
#include "toolkit/core/LayoutParser.h"

#include <limits>

namespace tk {

std::int32_t TLayoutBinder::Int(const TLayoutValue& V) const {
  if (V.Kind != TLayoutValue::TKind::Integer) Fail("an integer is expected");
  if (V.Integer < std::numeric_limits<std::int32_t>::min() ||
      V.Integer > std::numeric_limits<std::int32_t>::max())
    Fail("integer " + std::to_string(V.Integer) + " is out of range");
  return static_cast<std::int32_t>(V.Integer);
}

bool TLayoutBinder::Bool(const TLayoutValue& V) const {
  if (V.Kind == TLayoutValue::TKind::Identifier) {
    if (V.Text == "True") return true;
    if (V.Text == "False") return false;
  }
  Fail("True or False is expected");
}

const std::string& TLayoutBinder::String(const TLayoutValue& V) const {
  if (V.Kind != TLayoutValue::TKind::String) Fail("a string is expected");
  return V.Text;
}

const std::string& TLayoutBinder::Ident(const TLayoutValue& V) const {
  if (V.Kind != TLayoutValue::TKind::Identifier) Fail("an identifier is expected");
  return V.Text;
}

const std::vector<std::string>& TLayoutBinder::StringList(const TLayoutValue& V) const {
  if (V.Kind != TLayoutValue::TKind::StringList) Fail("a list of strings ( ... ) is expected");
  return V.Items;
}

void TLayoutBinder::Fail(const std::string& Message) const {
  if (FProperty.empty()) ThrowLayoutError(FResourceName, FLine, Message);
  ThrowLayoutError(FResourceName, FLine, Message + " (property '" + FProperty + "')");
}

const std::any* TLayoutBinder::FindMethod(const std::string& Name) const {
  return FRoot ? FRoot->FindPublishedMethod(Name) : nullptr;
}

} // namespace tk
