// The in-place editor of TQuillet: the host editor with a button drawn inside
// its right edge (left under right-to-left layout) whose look and behaviour
// follow the cell's editor style, and the pick list it drops down.
#pragma once

#include "components/EditStyle.h"
#include "toolkit/win/Ime.h"
#include "toolkit/win/InplaceEdit.h"

#include <string>

namespace quillet {

class TQuillet;
class TQuilletPopupListbox;

class TQuilletInplaceEdit : public tk::TInplaceEdit {
public:
  explicit TQuilletInplaceEdit(tk::TComponent* AOwner);
  std::string_view ClassName() const override { return "TQuilletInplaceEdit"; }

  // Asks the grid for the cell's style and read-only flag, applies them, then
  // loads mask and text. The style is applied even when the grid's handler
  // throws; the exception then goes on to the caller.
  void UpdateContents() override;

  // Takes a style: for esPickList the pick list is created when first needed
  // and filled afresh by the grid. Neither shows nor hides the list.
  void SetEditStyle(TEditStyle Value);
  // Shows the pick list under (or above) the editor; nothing without a list,
  // with an empty one, or when it already shows.
  void DropDown();
  // Hides a shown list. Accepting with an item highlighted writes its text
  // and object into the current cell and raises the grid's OnCloseUp;
  // without a highlighted item it only closes.
  void CloseUp(bool Accept);
  // The pick list's OnMouseUp.
  void PickListMouseUp(tk::TObject* Sender, tk::TMouseButton Button, tk::TShiftState Shift, int X,
                       int Y);

  // In client coordinates, whatever the style.
  RECT GetButtonRect() const;
  bool IsOverButton(POINT P) const;

  TEditStyle EditStyle() const { return FStyle; }
  bool DroppedDown() const { return FDroppedDown; }
  bool ButtonTracking() const { return FBtnTracking; }
  bool ButtonDown() const { return FBtnDown; }
  int ButtonWidth() const { return FBtnWidth; }
  TQuilletPopupListbox* PopupList() const { return FPopupList; }

  // The input method wanted when the editor has the focus; plain values.
  const std::string& ImeName() const { return FImeName; }
  void SetImeName(std::string Value) { FImeName = std::move(Value); }
  tk::TImeMode ImeMode() const { return FImeMode; }
  void SetImeMode(tk::TImeMode Value) { FImeMode = Value; }

protected:
  void WndProc(tk::TMessage& Message) override;
  void PaintWindow(HDC DC) override;
  void BoundsChanged() override;
  void MouseDown(tk::TMouseButton Button, tk::TShiftState Shift, int X, int Y) override;
  void MouseMove(tk::TShiftState Shift, int X, int Y) override;
  void MouseUp(tk::TMouseButton Button, tk::TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void Change() override;
  void KeyDown(WORD& Key, tk::TShiftState Shift) override;

  void WMPaint(tk::TMessage& Message) override;
  void WMSetCursor(tk::TMessage& Message) override;
  void WMLButtonDblClk(tk::TMessage& Message) override;
  void WMCancelMode(tk::TMessage& Message) override;
  void WMKillFocus(tk::TMessage& Message) override;
  void CMCancelMode(tk::TMessage& Message) override;

  void TrackButtonAt(int X, int Y);
  void StopButtonTracking();
  void HandleDropDownKeys(WORD& Key, tk::TShiftState Shift);

private:
  TQuillet* QuilletGrid() const;
  bool RightToLeft() const;

  int FBtnWidth = 0;
  TQuilletPopupListbox* FPopupList = nullptr;
  TQuilletPopupListbox* FCurrentList = nullptr;
  TEditStyle FStyle = esEllipsis;
  bool FDroppedDown = false;
  bool FBtnTracking = false;
  bool FBtnDown = false;
  std::string FImeName;
  tk::TImeMode FImeMode = tk::imDontCare;
};

} // namespace quillet
