#include "components/FormatedStringGrid.h"

#include "toolkit/core/LayoutBinder.h"
#include "toolkit/win/InplaceEdit.h"
#include "toolkit/win/LocaleSettings.h"

namespace quillet {

TFormatedStringGrid::TFormatedStringGrid(tk::TComponent* AOwner) : tk::TStringGrid(AOwner) {
  SetFormatKind(fkNone);
}

tk::TInplaceEdit* TFormatedStringGrid::CreateEditor() {
  return tk::TStringGrid::CreateEditor();
}

std::string TFormatedStringGrid::GetEditMask(int ACol, int ARow) {
  std::string Mask = tk::TStringGrid::GetEditMask(ACol, ARow);
  FFormatKind = fkNone;
  // The handler starts from fkNone; whatever it leaves is the cell's kind.
  if (FOnGetFormatKind) FOnGetFormatKind(this, ACol, ARow, FFormatKind);
  if (FFormatKind == fkDate) Mask = kDateEditMask;
  return Mask;
}

void TFormatedStringGrid::KeyPress(char& Key) {
  tk::TStringGrid::KeyPress(Key);
  tk::TInplaceEdit* Editor = InplaceEditor();
  switch (FFormatKind) {
  case fkInteger:
    Key = FilterIntegerKey(Key);
    break;
  case fkFloat:
    Key = FilterFloatKey(Key, Editor ? Editor->DisplayText() : std::string(),
                         tk::CurrentDecimalSeparator());
    break;
  case fkCurrency:
    Key = FilterCurrencyKey(Key, Editor ? Editor->DisplayText() : std::string(),
                            Editor ? Editor->SelStart() : 0, tk::CurrentDecimalSeparator());
    break;
  default:
    break;
  }
}

void TFormatedStringGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
  std::string Text =
      NormalizeEditText(FFormatKind, Value, tk::CurrentFormatSettings(), tk::LocalDate());
  tk::TStringGrid::SetEditText(ACol, ARow, Text);
}

bool TFormatedStringGrid::SetPublishedProperty(std::string_view Name, const tk::TLayoutValue& Value,
                                               tk::TLayoutBinder& Binder) {
  if (Name == "OnGetFormatKind")
    SetOnGetFormatKind(Binder.Method<TGetFormatKindEvent>(Value));
  else if (Name == "OnHideEditor")
    SetOnHideEditor(Binder.Method<tk::TNotifyEvent>(Value));
  else
    return tk::TStringGrid::SetPublishedProperty(Name, Value, Binder);
  return true;
}

} // namespace quillet
