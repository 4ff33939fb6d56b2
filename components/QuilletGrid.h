// TQuillet: the formatted string grid whose cells each get an editor style
// (plain, ellipsis button, drop-down pick list) and a read-only flag, chosen
// by the application through events.
#pragma once

#include "components/EditStyle.h"
#include "components/FormatedStringGrid.h"

#include <cstdint>

namespace quillet {

class TQuillet : public TFormatedStringGrid {
public:
  explicit TQuillet(tk::TComponent* AOwner);
  ~TQuillet() override;
  std::string_view ClassName() const override { return "TQuillet"; }

  void Loaded() override;

  // The most rows the pick list shows at once. Stored as given: zero and
  // negative values included.
  std::int32_t DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(std::int32_t Value) { FDropDownCount = Value; }

  const tk::TNotifyEvent& OnEditButtonClick() const { return FOnEditButtonClick; }
  void SetOnEditButtonClick(tk::TNotifyEvent Value) { FOnEditButtonClick = std::move(Value); }
  const TGetDropDownListEvent& OnGetDropDownList() const { return FOnGetDropDownList; }
  void SetOnGetDropDownList(TGetDropDownListEvent Value) { FOnGetDropDownList = std::move(Value); }
  const TGetEditStyleEvent& OnGetEditStyle() const { return FOnGetEditStyle; }
  void SetOnGetEditStyle(TGetEditStyleEvent Value) { FOnGetEditStyle = std::move(Value); }
  const tk::TNotifyEvent& OnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(tk::TNotifyEvent Value) { FOnCloseUp = std::move(Value); }
  // Raised by the editor itself, with the editor as Sender.
  const tk::TNotifyEvent& OnChangeInplaceEditor() const { return FOnChangeInplaceEditor; }
  void SetOnChangeInplaceEditor(tk::TNotifyEvent Value) {
    FOnChangeInplaceEditor = std::move(Value);
  }

  // Dispatchers: each raises its event, if assigned, with the grid as Sender
  // and the arguments passed through.
  virtual void DoEditButtonClick();
  virtual void DoGetDropDownList(int ACol, int ARow, tk::TStrings* Value);
  virtual void DoGetEditStyle(int ACol, int ARow, TEditStyle& Value, bool& ReadOnly);
  virtual void DoCloseUp();

  bool SetPublishedProperty(std::string_view Name, const tk::TLayoutValue& Value,
                            tk::TLayoutBinder& Binder) override;

protected:
  tk::TInplaceEdit* CreateEditor() override;

private:
  TGetDropDownListEvent FOnGetDropDownList;
  tk::TNotifyEvent FOnEditButtonClick;
  TGetEditStyleEvent FOnGetEditStyle;
  std::int32_t FDropDownCount = 10;
  tk::TNotifyEvent FOnCloseUp;
  tk::TNotifyEvent FOnChangeInplaceEditor;
};

} // namespace quillet
