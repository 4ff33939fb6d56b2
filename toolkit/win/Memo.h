// A multi-line text control over the system EDIT class.
#pragma once

#include "toolkit/core/Strings.h"
#include "toolkit/win/WinControl.h"

namespace tk {

class TMemo : public TWinControl {
public:
  explicit TMemo(TComponent* AOwner);
  std::string_view ClassName() const override { return "TMemo"; }

  // The lines, as the user sees them.
  TStrings& Lines();
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);

  bool WantsDialogKey(WORD Key) const override { return Key != VK_TAB; }
  bool SetPublishedProperty(std::string_view Name, const TLayoutValue& Value,
                            TLayoutBinder& Binder) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateHandleDone() override;

private:
  void LinesChanged();

  TStringList FLines;
  bool FReadOnly = false;
  bool FWordWrap = true;
  TScrollStyle FScrollBars = ssNone;
  bool FSyncing = false;
};

} // namespace tk
