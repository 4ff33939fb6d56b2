// The grid's in-place editor: a borderless multi-line EDIT placed over the
// current cell, with masked input, loaded from and written back to the cell
// by its grid.
#pragma once

#include "toolkit/core/MaskEngine.h"
#include "toolkit/win/WinControl.h"

#include <string>

namespace tk {

class TCustomGrid;

class TInplaceEdit : public TWinControl {
public:
  explicit TInplaceEdit(TComponent* AOwner);
  std::string_view ClassName() const override { return "TInplaceEdit"; }

  TCustomGrid* Grid() const { return FGrid; }
  void SetGrid(TCustomGrid* Value) { FGrid = Value; }

  // The editor's text: the raw displayed text without a mask; with a mask,
  // unfilled positions as spaces and literals as the mask says.
  std::string Text() const;
  // Sets the text by program: never an edit, never written back; calls
  // Change when the text differs from before.
  void SetText(const std::string& Value);
  // The text exactly as displayed (with a mask: blanks and literals shown).
  std::string DisplayText() const;
  const std::string& EditMask() const { return FEditMask; }
  // Sets the mask; the current text is refitted into it (a Change if that
  // alters the text).
  void SetEditMask(const std::string& Value);
  bool IsMasked() const { return !FMask.IsEmpty(); }
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  int SelStart() const;
  int SelLength() const;
  void SetSel(int Start, int Length);
  void SelectAll();
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }
  // Whether the grid lets the cell be changed (the grid's CanEditModify).
  bool EditCanModify();

  // Placing and hiding, called by the grid.
  void Move(const RECT& Loc);
  void Hide();
  void UpdateLoc(const RECT& Loc);
  // The time (GetMessageTime) of the grid's last left press, so a press on
  // the editor soon after it becomes a double click.
  void StampClickTime(DWORD Time) {
    FClickTime = Time;
    FClickTimeValid = true;
  }

  TWinControl* FocusedControlForForm() override;
  bool WantsDialogKey(WORD Key) const override;

  TNotifyEvent OnChange;

  // Loads the grid's current cell: empties the text, sets the mask from the
  // grid's GetEditMask, the text from GetEditText, the length limit from
  // GetEditLimit. The grid calls it; subclasses extend it.
  virtual void UpdateContents();

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateHandleDone() override;
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  // After every placement; sets the formatting rectangle of the text.
  virtual void BoundsChanged();
  // The text was set by program and differs from before.
  virtual void Change();
  void DblClick() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void WMChar(TMessage& Message) override;
  void WMKeyDown(TMessage& Message) override;
  void WMKillFocus(TMessage& Message) override;
  void WMGetDlgCode(TMessage& Message) override;
  void WMPaint(TMessage& Message) override;

private:
  friend class TCustomGrid;

  void InternalMove(const RECT& Loc, bool Redraw);
  // Enter on a wholly selected text removes the selection.
  void Deselect();
  // Typing, deleting, cutting and pasting are allowed.
  bool CanType();
  TMaskEditState MaskState() const;
  void ApplyMaskState(const TMaskEditState& State);
  void SetRawText(const std::string& Display);
  // The masked editing operations; each writes the result into the window
  // and reports a user change to the grid.
  bool MaskedChar(char Ch);
  bool MaskedKey(WORD Key);
  void MaskedPaste();
  void MaskedCut();
  void UserChanged();

  TCustomGrid* FGrid = nullptr;
  std::string FEditMask;
  TEditMask FMask;
  int FMaxLength = 0;
  bool FReadOnly = false;
  bool FModified = false;
  DWORD FClickTime = 0;
  bool FClickTimeValid = false;
  bool FSettingText = false;
};

} // namespace tk
