// A string grid whose in-place editor treats each cell by a format kind that
// the application chooses: keystrokes are filtered by the kind, date cells
// get an input mask, and the text written back is normalised.
#pragma once

#include "components/FormatRules.h"
#include "toolkit/win/StringGrid.h"

#include <string>

namespace quillet {

// (Sender, ACol, ARow, Value in/out)
using TGetFormatKindEvent = tk::TMethod<tk::TObject*, int, int, TFormatKind&>;

// The mask of date cells.
inline constexpr const char* kDateEditMask = "!99/99/0000;1;_";

class TFormatedStringGrid : public tk::TStringGrid {
public:
  explicit TFormatedStringGrid(tk::TComponent* AOwner);
  std::string_view ClassName() const override { return "TFormatedStringGrid"; }

  // The kind of the cell the in-place editor was last loaded with.
  TFormatKind FormatKind() const { return FFormatKind; }
  void SetFormatKind(TFormatKind Value) { FFormatKind = Value; }

  const TGetFormatKindEvent& OnGetFormatKind() const { return FOnGetFormatKind; }
  void SetOnGetFormatKind(TGetFormatKindEvent Value) { FOnGetFormatKind = std::move(Value); }
  // Stored and published; the grid never raises it.
  const tk::TNotifyEvent& OnHideEditor() const { return FOnHideEditor; }
  void SetOnHideEditor(tk::TNotifyEvent Value) { FOnHideEditor = std::move(Value); }

  void KeyPress(char& Key) override;

  bool SetPublishedProperty(std::string_view Name, const tk::TLayoutValue& Value,
                            tk::TLayoutBinder& Binder) override;

protected:
  tk::TInplaceEdit* CreateEditor() override;
  std::string GetEditMask(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;

private:
  TFormatKind FFormatKind = fkNone;
  TGetFormatKindEvent FOnGetFormatKind;
  tk::TNotifyEvent FOnHideEditor;
};

} // namespace quillet
