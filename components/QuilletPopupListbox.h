// The pick list of TQuillet's in-place editor: a list box whose window floats
// above everything in screen coordinates, never takes the keyboard focus (the
// editor keeps it and passes key-ups and characters on), and searches its
// items by the letters typed in quick succession.
#pragma once

#include "toolkit/win/ListBox.h"

#include <string>

namespace quillet {

class TQuilletPopupListbox : public tk::TCustomListBox {
public:
  explicit TQuilletPopupListbox(tk::TComponent* AOwner);
  std::string_view ClassName() const override { return "TQuilletPopupListbox"; }

  // The letters typed so far (at most 32) and the tick count of the last one.
  // Both outlive closing and reopening the list.
  const std::string& TypedPrefix() const { return FTypedPrefix; }
  DWORD LastKeyTime() const { return FLastKeyTime; }

  // Where the key times come from: the system tick count unless a test puts
  // its own clock here.
  using TTickSource = DWORD (*)();
  void SetTickSource(TTickSource Value) { FTickSource = Value; }

protected:
  void CreateParams(tk::TCreateParams& Params) override;
  void CreateWnd() override;
  void KeyPress(char& Key) override;
  void MouseUp(tk::TMouseButton Button, tk::TShiftState Shift, int X, int Y) override;

private:
  static DWORD SystemTickCount();

  std::string FTypedPrefix;
  DWORD FLastKeyTime = 0;
  TTickSource FTickSource = &SystemTickCount;
};

} // namespace quillet
