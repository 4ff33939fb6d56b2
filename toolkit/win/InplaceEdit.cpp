#include "toolkit/win/InplaceEdit.h"

#include "toolkit/win/CustomGrid.h"

#include <vector>

namespace tk {

namespace {

char LocaleChar(LCTYPE Type, char Default) {
  char Buffer[8];
  return GetLocaleInfoA(LOCALE_USER_DEFAULT, Type, Buffer, sizeof Buffer) > 1 ? Buffer[0] : Default;
}

// Read each time a mask is set, so a changed locale shows at the next load.
TMaskSeparators CurrentSeparators() {
  return TMaskSeparators{LocaleChar(LOCALE_SDATE, '/'), LocaleChar(LOCALE_STIME, ':')};
}

std::string RawWindowText(HWND Wnd) {
  if (!Wnd) return {};
  int Length = GetWindowTextLengthA(Wnd);
  std::vector<char> Buffer(static_cast<std::size_t>(Length) + 1);
  int Got = GetWindowTextA(Wnd, Buffer.data(), Length + 1);
  return std::string(Buffer.data(), static_cast<std::size_t>(Got));
}

std::string ClipboardText(HWND Owner) {
  std::string Result;
  if (!OpenClipboard(Owner)) return Result;
  if (HANDLE Data = GetClipboardData(CF_TEXT)) {
    if (const char* Text = static_cast<const char*>(GlobalLock(Data))) {
      Result = Text;
      GlobalUnlock(Data);
    }
  }
  CloseClipboard();
  return Result;
}

} // namespace

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(false);
}

void TInplaceEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClassName = "EDIT";
  // Multi-line without ES_WANTRETURN: Enter reaches the grid's key handling
  // instead of the edit breaking the line.
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS | ES_MULTILINE | ES_AUTOHSCROLL;
  if (FReadOnly) Params.Style |= ES_READONLY;
  Params.ExStyle = 0;
}

void TInplaceEdit::CreateHandleDone() {
  SendMessageA(WindowHandle(), EM_LIMITTEXT, FMaxLength > 0 ? FMaxLength : 0, 0);
  SendMessageA(WindowHandle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

// ---- text -------------------------------------------------------------------

std::string TInplaceEdit::DisplayText() const {
  return RawWindowText(WindowHandle());
}

std::string TInplaceEdit::Text() const {
  std::string Raw = DisplayText();
  return IsMasked() ? FMask.TextFromDisplay(Raw) : Raw;
}

void TInplaceEdit::SetRawText(const std::string& Display) {
  HWND Wnd = Handle();
  FSettingText = true;
  SetWindowTextA(Wnd, Display.c_str());
  FSettingText = false;
}

void TInplaceEdit::SetText(const std::string& Value) {
  std::string Old = Text();
  SetRawText(IsMasked() ? FMask.DisplayFromText(Value) : Value);
  if (Text() != Old) Change();
}

void TInplaceEdit::SetEditMask(const std::string& Value) {
  std::string Old = Text();
  FEditMask = Value;
  FMask = TEditMask(Value, CurrentSeparators());
  SetRawText(IsMasked() ? FMask.DisplayFromText(Old) : Old);
  if (Text() != Old) Change();
}

void TInplaceEdit::SetMaxLength(int Value) {
  FMaxLength = Value;
  if (HandleAllocated())
    SendMessageA(WindowHandle(), EM_LIMITTEXT, static_cast<WPARAM>(Value > 0 ? Value : 0), 0);
}

void TInplaceEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (HandleAllocated()) SendMessageA(WindowHandle(), EM_SETREADONLY, Value, 0);
}

int TInplaceEdit::SelStart() const {
  DWORD Start = 0, End = 0;
  if (HandleAllocated())
    SendMessageA(WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&Start),
                 reinterpret_cast<LPARAM>(&End));
  return static_cast<int>(Start);
}

int TInplaceEdit::SelLength() const {
  DWORD Start = 0, End = 0;
  if (HandleAllocated())
    SendMessageA(WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&Start),
                 reinterpret_cast<LPARAM>(&End));
  return static_cast<int>(End - Start);
}

void TInplaceEdit::SetSel(int Start, int Length) {
  if (HandleAllocated())
    SendMessageA(WindowHandle(), EM_SETSEL, static_cast<WPARAM>(Start),
                 static_cast<LPARAM>(Start + Length));
}

void TInplaceEdit::SelectAll() {
  if (HandleAllocated()) SendMessageA(WindowHandle(), EM_SETSEL, 0, -1);
}

void TInplaceEdit::Deselect() {
  int Length = GetWindowTextLengthA(WindowHandle());
  SetSel(Length, 0);
}

bool TInplaceEdit::EditCanModify() {
  return FGrid ? FGrid->CanEditModify() : true;
}

bool TInplaceEdit::CanType() {
  return !FReadOnly && EditCanModify();
}

void TInplaceEdit::Change() {
  if (OnChange) OnChange(this);
}

void TInplaceEdit::UpdateContents() {
  if (!FGrid) return;
  if (Color() != FGrid->Color()) TControl::SetColor(FGrid->Color());
  int ACol = FGrid->Col(), ARow = FGrid->Row();
  SetText("");
  SetEditMask(FGrid->GetEditMask(ACol, ARow));
  SetText(FGrid->GetEditText(ACol, ARow));
  SetMaxLength(FGrid->GetEditLimit());
}

// ---- masked editing ------------------------------------------------------------

TMaskEditState TInplaceEdit::MaskState() const {
  return TMaskEditState{DisplayText(), SelStart(), SelLength()};
}

void TInplaceEdit::ApplyMaskState(const TMaskEditState& State) {
  if (State.Display != DisplayText()) SetRawText(State.Display);
  SetSel(State.SelStart, State.SelLength);
}

void TInplaceEdit::UserChanged() {
  FModified = true;
  if (FGrid) FGrid->EditorTextChanged();
}

bool TInplaceEdit::MaskedChar(char Ch) {
  TMaskEditState State = MaskState();
  TMaskEditResult Result = MaskTypeChar(FMask, State, Ch);
  if (Result.Beep) MessageBeep(0);
  ApplyMaskState(State);
  if (Result.Changed) UserChanged();
  return !Result.Beep;
}

bool TInplaceEdit::MaskedKey(WORD Key) {
  TMaskEditState State = MaskState();
  TMaskEditResult Result = Key == VK_BACK ? MaskBackspace(FMask, State) : MaskDelete(FMask, State);
  ApplyMaskState(State);
  if (Result.Changed) UserChanged();
  return true;
}

void TInplaceEdit::MaskedPaste() {
  TMaskEditState State = MaskState();
  TMaskEditResult Result = MaskPaste(FMask, State, ClipboardText(WindowHandle()));
  if (Result.Beep) MessageBeep(0);
  if (!Result.Changed) return;
  // Pasting rewrites the text by program: a change notice, no write-back.
  std::string Old = Text();
  ApplyMaskState(State);
  if (Text() != Old) Change();
}

void TInplaceEdit::MaskedCut() {
  TMaskEditState State = MaskState();
  TMaskEditResult Result = MaskCut(FMask, State);
  ApplyMaskState(State);
  if (Result.Changed) UserChanged();
}

// ---- placing --------------------------------------------------------------------

void TInplaceEdit::Move(const RECT& Loc) {
  InternalMove(Loc, true);
}

void TInplaceEdit::UpdateLoc(const RECT& Loc) {
  InternalMove(Loc, false);
}

void TInplaceEdit::InternalMove(const RECT& Loc, bool Redraw) {
  if (IsRectEmpty(&Loc)) {
    Hide();
    return;
  }
  HWND Wnd = Handle();
  Redraw = Redraw || !IsWindowVisible(Wnd);
  Invalidate();
  SetWindowPos(Wnd, HWND_TOP, Loc.left, Loc.top, Loc.right - Loc.left, Loc.bottom - Loc.top,
               SWP_SHOWWINDOW | SWP_NOREDRAW);
  BoundsChanged();
  if (Redraw) Invalidate();
  if (FGrid && FGrid->Focused()) ::SetFocus(Wnd);
}

void TInplaceEdit::Hide() {
  if (!HandleAllocated() || !IsWindowVisible(WindowHandle())) return;
  HWND Wnd = WindowHandle();
  bool HadFocus = Focused();
  RECT R;
  GetWindowRect(Wnd, &R);
  SetWindowPos(Wnd, nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW |
                   SWP_NOACTIVATE);
  if (FGrid && FGrid->HandleAllocated()) {
    // Hidden without redrawing: the grid repaints the cell it covered.
    MapWindowPoints(nullptr, FGrid->WindowHandle(), reinterpret_cast<POINT*>(&R), 2);
    InvalidateRect(FGrid->WindowHandle(), &R, FALSE);
    if (HadFocus || GetFocus() == Wnd) ::SetFocus(FGrid->WindowHandle());
  }
}

void TInplaceEdit::BoundsChanged() {
  RECT R{2, 2, Width() - 2, Height()};
  SendMessageA(WindowHandle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&R));
  SendMessageA(WindowHandle(), EM_SCROLLCARET, 0, 0);
}

// ---- messages ---------------------------------------------------------------------

void TInplaceEdit::WndProc(TMessage& Message) {
  if (Message.Msg == WM_LBUTTONDOWN) {
    // A press soon after the grid's own press on this cell is the second
    // click of a double click.
    if (FClickTimeValid && static_cast<DWORD>(GetMessageTime()) - FClickTime <
                               static_cast<DWORD>(GetDoubleClickTime()))
      Message.Msg = WM_LBUTTONDBLCLK;
    FClickTime = 0;
    FClickTimeValid = false;
  }
  TWinControl::WndProc(Message);
}

void TInplaceEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
  case WM_PASTE:
  case WM_CUT:
  case WM_CLEAR:
    if (!CanType()) {
      if (Message.Msg == WM_CUT) {
        TMessage Copy{WM_COPY, 0, 0, 0};
        DefaultHandler(Copy);
      }
    } else if (!IsMasked()) {
      DefaultHandler(Message);
    } else if (Message.Msg == WM_PASTE) {
      MaskedPaste();
    } else {
      if (Message.Msg == WM_CUT) {
        TMessage Copy{WM_COPY, 0, 0, 0};
        DefaultHandler(Copy);
      }
      MaskedCut();
    }
    break;
  case WM_UNDO:
  case EM_UNDO:
    // The edit's own undo knows nothing of the mask.
    if (!IsMasked()) DefaultHandler(Message);
    break;
  default:
    TWinControl::Dispatch(Message);
    break;
  }
}

void TInplaceEdit::WMPaint(TMessage& Message) {
  PaintHandler(Message);
}

void TInplaceEdit::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (FGrid && (FGrid->Options() & goTabs)) Message.Result |= DLGC_WANTTAB;
}

void TInplaceEdit::WMKillFocus(TMessage& Message) {
  TWinControl::WMKillFocus(Message);
  if (FGrid) FGrid->EditorFocusLeaving(reinterpret_cast<HWND>(Message.WParam));
}

TWinControl* TInplaceEdit::FocusedControlForForm() {
  return FGrid ? static_cast<TWinControl*>(FGrid) : this;
}

bool TInplaceEdit::WantsDialogKey(WORD Key) const {
  if (Key == VK_TAB) return FGrid && (FGrid->Options() & goTabs);
  return true;
}

void TInplaceEdit::WMKeyDown(TMessage& Message) {
  WORD Key = static_cast<WORD>(Message.WParam);
  TShiftState Shift = KeyDataToShiftState(Message.LParam);
  KeyDown(Key, Shift);
  if (Key == 0) return;
  if (IsMasked() && Key == VK_DELETE && Message.Msg == WM_KEYDOWN) {
    if (Shift & ssShift)
      Perform(WM_CUT, 0, 0);
    else if (CanType())
      MaskedKey(VK_DELETE);
    return;
  }
  // Shift+Insert pastes inside the edit control, past WM_PASTE: through the
  // mask instead, like Ctrl+V.
  if (IsMasked() && Key == VK_INSERT && (Shift & ssShift) && Message.Msg == WM_KEYDOWN) {
    Perform(WM_PASTE, 0, 0);
    return;
  }
  Message.WParam = Key;
  DefaultHandler(Message);
}

void TInplaceEdit::WMChar(TMessage& Message) {
  char Key = static_cast<char>(Message.WParam & 0xFF);
  KeyPress(Key);
  if (Key == 0) return;
  auto Ch = static_cast<unsigned char>(Key);
  if (IsMasked() && (Ch == 8 || (Ch >= 32 && Ch != 127))) {
    if (!CanType()) return;
    if (Ch == 8)
      MaskedKey(VK_BACK);
    else
      MaskedChar(Key);
    return;
  }
  // Of the other characters a masked editor lets only copy, paste and cut
  // reach the edit control (which sends them back as messages): the line
  // break of Ctrl+Enter, say, would put text past the mask.
  if (IsMasked() && Ch != 3 && Ch != 22 && Ch != 24) return;
  Message.WParam = Ch;
  DefaultHandler(Message);
}

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
  auto SendToParent = [&] {
    if (FGrid) FGrid->KeyDown(Key, Shift);
    Key = 0;
  };
  DWORD Start = 0, End = 0;
  SendMessageA(WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&Start),
               reinterpret_cast<LPARAM>(&End));
  auto Length = static_cast<DWORD>(GetWindowTextLengthA(WindowHandle()));
  bool LeftSide = Start == 0 && (End == 0 || End == Length);
  bool RightSide = (Start == 0 || End == Start) && End == Length;
  switch (Key) {
  case VK_UP:
  case VK_DOWN:
  case VK_PRIOR:
  case VK_NEXT:
  case VK_ESCAPE:
    SendToParent();
    break;
  case VK_LEFT:
  case VK_HOME:
    if (LeftSide && !(Shift & ssShift)) SendToParent();
    break;
  case VK_RIGHT:
  case VK_END:
    if (RightSide && !(Shift & ssShift)) SendToParent();
    break;
  case VK_INSERT:
    if ((Shift & ssShift) && !EditCanModify()) Key = 0;
    break;
  case VK_TAB:
    if (!(Shift & ssAlt)) SendToParent();
    break;
  default:
    break;
  }
  if (Key == VK_DELETE && !EditCanModify()) Key = 0;
  if (Key == 0) return;
  // The grid's OnKeyDown sees the editor's keys too.
  if (FGrid && FGrid->OnKeyDown) FGrid->OnKeyDown(FGrid, Key, Shift);
  if (Key != 0) TWinControl::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(char& Key) {
  if (FGrid) FGrid->KeyPress(Key);
  // What the grid refused is dropped without a sound.
  if (Key == 27 || Key == 0) {
    Key = 0;
    return;
  }
  auto Ch = static_cast<unsigned char>(Key);
  switch (Ch) {
  case 9:
    Key = 0;
    break;
  case 13: {
    int Length = GetWindowTextLengthA(WindowHandle());
    if (SelStart() == 0 && SelLength() == Length)
      Deselect();
    else
      SelectAll();
    Key = 0;
    break;
  }
  case 8:
  case 22: // Ctrl+V
  case 24: // Ctrl+X
    if (!EditCanModify()) Key = 0;
    break;
  default:
    if (Ch >= 32 && !EditCanModify()) Key = 0;
    break;
  }
  if (Key != 0) TWinControl::KeyPress(Key);
}

void TInplaceEdit::KeyUp(WORD& Key, TShiftState Shift) {
  if (FGrid) FGrid->KeyUp(Key, Shift);
}

void TInplaceEdit::DblClick() {
  if (FGrid) FGrid->DblClick();
}

} // namespace tk
