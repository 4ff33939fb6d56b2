// TCustomGrid: the in-place editor's life (load, write back, place, hide),
// keyboard navigation and mouse handling.
#include "toolkit/win/CustomGrid.h"

#include "toolkit/win/Form.h"
#include "toolkit/win/InplaceEdit.h"

#include <algorithm>

namespace tk {

// ---- editor hooks: defaults -------------------------------------------------

TInplaceEdit* TCustomGrid::CreateEditor() {
  return new TInplaceEdit(this);
}
std::string TCustomGrid::GetEditMask(int, int) {
  return {};
}
std::string TCustomGrid::GetEditText(int, int) {
  return {};
}
void TCustomGrid::SetEditText(int, int, const std::string&) {}
int TCustomGrid::GetEditLimit() {
  return 0;
}

// Recorded at each load: a length limit of -1 marks the cell read-only.
bool TCustomGrid::CanEditModify() {
  return FCanEditModify;
}

bool TCustomGrid::IsActiveControl() const {
  return Focused() || (FInplaceEdit && FInplaceEdit->Focused());
}

bool TCustomGrid::CanEditShow() {
  return (FOptions & (goRowSelect | goEditing)) == goEditing && FEditorMode && HandleAllocated() &&
         FCurrentCol >= FFixedCols && FCurrentRow >= FFixedRows &&
         ((FOptions & goAlwaysShowEditor) || IsActiveControl());
}

bool TCustomGrid::EditorPlaced() const {
  return FEditorMode && FInplaceEdit && FInplaceCol != -1 && FInplaceCol == FCurrentCol &&
         FInplaceRow == FCurrentRow;
}

bool TCustomGrid::EditorShowing() const {
  return FInplaceEdit && FInplaceEdit->HandleAllocated() &&
         IsWindowVisible(FInplaceEdit->WindowHandle());
}

// ---- editor life ------------------------------------------------------------

void TCustomGrid::SetEditorMode(bool Value) {
  if (Value)
    ShowEditor();
  else
    HideEditor();
}

void TCustomGrid::ShowEditor() {
  FEditorMode = true;
  UpdateEdit();
}

void TCustomGrid::HideEditor() {
  FEditorMode = false;
  HideEdit();
}

void TCustomGrid::UpdateText() {
  if (FInplaceEdit && FInplaceCol != -1 && FInplaceRow != -1)
    SetEditText(FInplaceCol, FInplaceRow, FInplaceEdit->Text());
}

void TCustomGrid::HideEdit() {
  if (!FInplaceEdit) return;
  // Forget the cell even when the write-back raises, so that it is not
  // written again.
  struct TForget {
    TCustomGrid* Grid;
    ~TForget() {
      Grid->FInplaceCol = Grid->FInplaceRow = -1;
      Grid->FInplaceEdit->Hide();
    }
  } Forget{this};
  UpdateText();
}

void TCustomGrid::LoadEditor() {
  FInplaceCol = FCurrentCol;
  FInplaceRow = FCurrentRow;
  try {
    FInplaceEdit->UpdateContents();
  } catch (...) {
    // A handler failed part-way through the load, before the cell's text
    // was in the editor: forget the cell, so that whatever the editor holds
    // is never written back over it. The next show loads it again.
    FInplaceCol = FInplaceRow = -1;
    throw;
  }
  FCanEditModify = FInplaceEdit->MaxLength() != -1;
  FInplaceEdit->SelectAll();
}

void TCustomGrid::UpdateEdit() {
  if (FUpdatingEdit || !CanEditShow()) return;
  FUpdatingEdit = true;
  struct TDone {
    bool& Flag;
    ~TDone() { Flag = false; }
  } Done{FUpdatingEdit};
  if (!FInplaceEdit) {
    FInplaceEdit.reset(CreateEditor());
    FInplaceEdit->SetGrid(this);
    FInplaceEdit->SetParent(this);
    FInplaceEdit->HandleNeeded();
    LoadEditor();
  } else if (FCurrentCol != FInplaceCol || FCurrentRow != FInplaceRow) {
    HideEdit();
    LoadEditor();
  }
  if (CanEditShow()) FInplaceEdit->Move(CellRect(FCurrentCol, FCurrentRow));
}

void TCustomGrid::InvalidateEditor() {
  FInplaceCol = FInplaceRow = -1;
  if (EditorShowing()) UpdateEdit();
}

void TCustomGrid::EditorTextChanged() {
  if (FInplaceEdit) FInplaceEdit->SetModified(true);
  UpdateText();
}

void TCustomGrid::EditorFocusLeaving(HWND NewFocus) {
  // Leaving the grid ends editor mode unless the editor is always shown.
  HWND EditWnd = FInplaceEdit ? FInplaceEdit->WindowHandle() : nullptr;
  if (NewFocus && (NewFocus == WindowHandle() || NewFocus == EditWnd)) return;
  if (!(FOptions & goAlwaysShowEditor) && FEditorMode) HideEditor();
}

// ---- focus and messages -------------------------------------------------------

void TCustomGrid::WMSetFocus(TMessage& Message) {
  TWinControl::WMSetFocus(Message);
  HWND From = reinterpret_cast<HWND>(Message.WParam);
  if (!FInplaceEdit || From != FInplaceEdit->WindowHandle()) {
    InvalidateGridRect(Selection());
    if ((FOptions & (goEditing | goAlwaysShowEditor)) == (goEditing | goAlwaysShowEditor))
      FEditorMode = true;
    UpdateEdit();
  }
}

void TCustomGrid::WMKillFocus(TMessage& Message) {
  TWinControl::WMKillFocus(Message);
  HWND To = reinterpret_cast<HWND>(Message.WParam);
  InvalidateGridRect(Selection());
  if (FInplaceEdit && To != FInplaceEdit->WindowHandle()) {
    HideEdit();
    EditorFocusLeaving(To);
  }
}

void TCustomGrid::CMCancelMode(TMessage& Message) {
  if (FInplaceEdit && FInplaceEdit->HandleAllocated())
    FInplaceEdit->Perform(Message.Msg, Message.WParam, Message.LParam);
  TWinControl::CMCancelMode(Message);
}

void TCustomGrid::WMCancelMode(TMessage& Message) {
  FGridState = TGridState::Normal;
  TWinControl::WMCancelMode(Message);
}

void TCustomGrid::WMCommand(TMessage& Message) {
  // The editor's own change notifications: the user changed its text.
  if (FInplaceEdit && Message.LParam &&
      reinterpret_cast<HWND>(Message.LParam) == FInplaceEdit->WindowHandle()) {
    if (HIWORD(Message.WParam) == EN_CHANGE && !FInplaceEdit->FSettingText) EditorTextChanged();
    Message.Result = 0;
    return;
  }
  TWinControl::WMCommand(Message);
}

void TCustomGrid::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (FOptions & goTabs) Message.Result |= DLGC_WANTTAB;
}

void TCustomGrid::SetFocus() {
  if (EditorShowing())
    FInplaceEdit->SetFocus();
  else
    TWinControl::SetFocus();
}

bool TCustomGrid::WantsDialogKey(WORD Key) const {
  return Key != VK_TAB || (FOptions & goTabs) != 0;
}

void TCustomGrid::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
  case WM_VSCROLL:
    ScrollMessage(SB_VERT, LOWORD(Message.WParam));
    Message.Result = 0;
    break;
  case WM_HSCROLL:
    ScrollMessage(SB_HORZ, LOWORD(Message.WParam));
    Message.Result = 0;
    break;
  default:
    TWinControl::Dispatch(Message);
    break;
  }
}

// ---- keyboard -------------------------------------------------------------------

void TCustomGrid::WMChar(TMessage& Message) {
  auto Ch = static_cast<unsigned char>(Message.WParam & 0xFF);
  // Typing into the grid itself opens the editor and types there.
  if ((FOptions & goEditing) && (Ch == 8 || Ch >= 32)) {
    ShowEditor();
    if (EditorShowing())
      SendMessageA(FInplaceEdit->WindowHandle(), WM_CHAR, Message.WParam, Message.LParam);
    Message.Result = 0;
    return;
  }
  TWinControl::WMChar(Message);
}

void TCustomGrid::KeyPress(char& Key) {
  TWinControl::KeyPress(Key);
  if (!(FOptions & goAlwaysShowEditor) && Key == '\r') {
    if (FEditorMode)
      HideEditor();
    else
      ShowEditor();
    Key = 0;
  }
}

void TCustomGrid::KeyUp(WORD& Key, TShiftState Shift) {
  TWinControl::KeyUp(Key, Shift);
}

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  bool Ctrl = (Shift & ssCtrl) != 0;
  int NewCol = FCurrentCol, NewRow = FCurrentRow;
  int Page = std::max(1, VisibleRowCount());
  bool Extend = (Shift & ssShift) && (FOptions & goRangeSelect) && !(FOptions & goRowSelect);
  switch (Key) {
  case VK_UP:
    --NewRow;
    break;
  case VK_DOWN:
    ++NewRow;
    break;
  case VK_PRIOR:
    NewRow -= Page;
    break;
  case VK_NEXT:
    NewRow += Page;
    break;
  case VK_LEFT:
    if (FOptions & goRowSelect) {
      SetLeftCol(FLeftCol - 1);
      return;
    }
    --NewCol;
    break;
  case VK_RIGHT:
    if (FOptions & goRowSelect) {
      SetLeftCol(FLeftCol + 1);
      return;
    }
    ++NewCol;
    break;
  case VK_HOME:
    NewCol = FFixedCols;
    if (Ctrl || (FOptions & goRowSelect)) NewRow = FFixedRows;
    break;
  case VK_END:
    NewCol = ColCount() - 1;
    if (Ctrl || (FOptions & goRowSelect)) NewRow = RowCount() - 1;
    break;
  case VK_TAB:
    if (!(FOptions & goTabs) || (Shift & ssAlt)) return;
    Extend = false;
    if (Shift & ssShift) {
      if (--NewCol < FFixedCols) {
        NewCol = ColCount() - 1;
        if (--NewRow < FFixedRows) NewRow = RowCount() - 1;
      }
    } else if (++NewCol >= ColCount()) {
      NewCol = FFixedCols;
      if (++NewRow >= RowCount()) NewRow = FFixedRows;
    }
    break;
  case VK_F2:
    ShowEditor();
    return;
  default:
    return;
  }
  MoveCurrent(NewCol, NewRow, !Extend, true);
}

// ---- mouse ----------------------------------------------------------------------

int TCustomGrid::ColBorderAt(int X, int Y) const {
  if (!(FOptions & goColSizing) || Y >= FixedHeight()) return -1;
  int ACol = 0, ARow = 0;
  if (!MouseToCell(X, Y, ACol, ARow)) return -1;
  // Near the right border of ACol, or the left border (the previous column's right).
  RECT R = CellRect(ACol, ARow);
  if (R.right - X <= 3) return ACol;
  if (X - R.left <= 3 && ACol > 0 && !(ACol == FLeftCol && FLeftCol > FFixedCols)) return ACol - 1;
  return -1;
}

void TCustomGrid::WMSetCursor(TMessage& Message) {
  if (LOWORD(Message.LParam) == HTCLIENT && FGridState == TGridState::Normal) {
    POINT P;
    GetCursorPos(&P);
    ::ScreenToClient(WindowHandle(), &P);
    if (ColBorderAt(P.x, P.y) >= 0) {
      SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEWE)));
      Message.Result = TRUE;
      return;
    }
  }
  TWinControl::WMSetCursor(Message);
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // A press on the grid outside the editor: the editor's text goes back first.
  if (EditorShowing()) UpdateText();
  if (!IsActiveControl() && CanFocus()) SetFocus();
  if (Button == mbLeft && !(Shift & ssDouble)) {
    if (FInplaceEdit) FInplaceEdit->StampClickTime(static_cast<DWORD>(GetMessageTime()));
    FClickedCurrent = false;
    int Border = ColBorderAt(X, Y);
    int ACol = 0, ARow = 0;
    if (Border >= 0) {
      FGridState = TGridState::ColSizing;
      FSizingCol = Border;
      FSizingStart = X - FCols.Size(Border);
      SetMouseCapture(true);
    } else if (MouseToCell(X, Y, ACol, ARow) && ACol >= FFixedCols && ARow >= FFixedRows) {
      FClickedCurrent = ACol == FCurrentCol && ARow == FCurrentRow;
      bool Extend = (Shift & ssShift) && (FOptions & goRangeSelect);
      MoveCurrent(ACol, ARow, !Extend, true);
      if (FOptions & goRangeSelect) {
        FGridState = TGridState::Selecting;
        SetMouseCapture(true);
      }
      // Clicking the current cell again gives the focus back to a shown editor.
      if (FClickedCurrent && EditorShowing() && Focused()) FInplaceEdit->SetFocus();
    }
  }
  TWinControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  if (FGridState == TGridState::ColSizing) {
    SetColWidths(FSizingCol, std::max(1, X - FSizingStart));
  } else if (FGridState == TGridState::Selecting) {
    RECT Client = ClientRect();
    int ACol = 0, ARow = 0;
    int CX = std::clamp(X, std::min(FixedWidth(), static_cast<int>(Client.right) - 1),
                        static_cast<int>(Client.right) - 1);
    int CY = std::clamp(Y, std::min(FixedHeight(), static_cast<int>(Client.bottom) - 1),
                        static_cast<int>(Client.bottom) - 1);
    if (MouseToCell(CX, CY, ACol, ARow) && ACol >= FFixedCols && ARow >= FFixedRows &&
        (ACol != FCurrentCol || ARow != FCurrentRow)) {
      // Dragging extends the selection; the editor stays on the pressed cell.
      TGridRect Old = Selection();
      FAnchorCol = ACol;
      FAnchorRow = ARow;
      InvalidateGridRect(Old);
      InvalidateGridRect(Selection());
    }
  }
  TWinControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    if (FGridState != TGridState::Normal) SetMouseCapture(false);
    FGridState = TGridState::Normal;
    int ACol = 0, ARow = 0;
    if (FClickedCurrent && !(FOptions & goAlwaysShowEditor) && MouseToCell(X, Y, ACol, ARow) &&
        ACol == FCurrentCol && ARow == FCurrentRow)
      ShowEditor();
    FClickedCurrent = false;
  }
  TWinControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::DblClick() {
  TWinControl::DblClick();
}

} // namespace tk
