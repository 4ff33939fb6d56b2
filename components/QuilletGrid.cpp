#include "components/QuilletGrid.h"

#include "components/QuilletInplaceEdit.h"
#include "toolkit/core/LayoutBinder.h"

namespace quillet {

TQuillet::TQuillet(tk::TComponent* AOwner) : TFormatedStringGrid(AOwner) {
  SetDropDownCount(10);
}

TQuillet::~TQuillet() = default;

void TQuillet::Loaded() {
  TFormatedStringGrid::Loaded();
}

tk::TInplaceEdit* TQuillet::CreateEditor() {
  return new TQuilletInplaceEdit(this);
}

void TQuillet::DoEditButtonClick() {
  if (FOnEditButtonClick) FOnEditButtonClick(this);
}

void TQuillet::DoGetDropDownList(int ACol, int ARow, tk::TStrings* Value) {
  if (FOnGetDropDownList) FOnGetDropDownList(this, ACol, ARow, Value);
}

void TQuillet::DoGetEditStyle(int ACol, int ARow, TEditStyle& Value, bool& ReadOnly) {
  if (FOnGetEditStyle) FOnGetEditStyle(this, ACol, ARow, Value, ReadOnly);
}

void TQuillet::DoCloseUp() {
  if (FOnCloseUp) FOnCloseUp(this);
}

bool TQuillet::SetPublishedProperty(std::string_view Name, const tk::TLayoutValue& Value,
                                    tk::TLayoutBinder& Binder) {
  if (Name == "DropDownCount")
    SetDropDownCount(Binder.Int(Value));
  else if (Name == "OnEditButtonClick")
    SetOnEditButtonClick(Binder.Method<tk::TNotifyEvent>(Value));
  else if (Name == "OnGetDropDownList")
    SetOnGetDropDownList(Binder.Method<TGetDropDownListEvent>(Value));
  else if (Name == "OnGetEditStyle")
    SetOnGetEditStyle(Binder.Method<TGetEditStyleEvent>(Value));
  else if (Name == "OnCloseUp")
    SetOnCloseUp(Binder.Method<tk::TNotifyEvent>(Value));
  else if (Name == "OnChangeInplaceEditor")
    SetOnChangeInplaceEditor(Binder.Method<tk::TNotifyEvent>(Value));
  else
    return TFormatedStringGrid::SetPublishedProperty(Name, Value, Binder);
  return true;
}

} // namespace quillet
