#include "components/QuilletInplaceEdit.h"

#include "components/QuilletGrid.h"
#include "components/QuilletPopupListbox.h"
#include "toolkit/win/SysLocale.h"

#include <exception>

namespace quillet {

TQuilletInplaceEdit::TQuilletInplaceEdit(tk::TComponent* AOwner) : tk::TInplaceEdit(AOwner) {
  FBtnWidth = GetSystemMetrics(SM_CXVSCROLL);
  // Stored directly: the first load replaces it before the editor shows.
  FStyle = esEllipsis;
  SetReadOnly(false);
}

// Every editor of this class comes from TQuillet::CreateEditor.
TQuillet* TQuilletInplaceEdit::QuilletGrid() const {
  return static_cast<TQuillet*>(Grid());
}

bool TQuilletInplaceEdit::RightToLeft() const {
  auto* OwnerControl = dynamic_cast<tk::TControl*>(Owner());
  return OwnerControl && OwnerControl->UseRightToLeftAlignment();
}

// ---- Loading and placing ----

void TQuilletInplaceEdit::UpdateContents() {
  TEditStyle Style = esSimple;
  bool ReadOnlyCell = false;
  std::exception_ptr Error;
  try {
    TQuillet* G = QuilletGrid();
    G->DoGetEditStyle(G->Col(), G->Row(), Style, ReadOnlyCell);
  } catch (...) {
    Error = std::current_exception();
  }
  SetEditStyle(Style);
  SetReadOnly(ReadOnlyCell);
  tk::TInplaceEdit::UpdateContents();
  if (Error) std::rethrow_exception(Error);
}

void TQuilletInplaceEdit::BoundsChanged() {
  RECT R{2, 2, Width() - 2, Height()};
  if (FStyle != esSimple) {
    if (RightToLeft())
      R.left += FBtnWidth - 2;
    else
      R.right -= FBtnWidth;
  }
  HWND Wnd = Handle();
  SendMessageA(Wnd, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&R));
  SendMessageA(Wnd, EM_SCROLLCARET, 0, 0);
  if (tk::SysLocale().FarEast) tk::SetImeCompositionWindow(Wnd, Font(), R.left, R.top);
}

// ---- The button ----

RECT TQuilletInplaceEdit::GetButtonRect() const {
  if (RightToLeft()) return RECT{0, 0, FBtnWidth, Height()};
  return RECT{Width() - FBtnWidth, 0, Width(), Height()};
}

bool TQuilletInplaceEdit::IsOverButton(POINT P) const {
  RECT R = GetButtonRect();
  return PtInRect(&R, P) != FALSE;
}

void TQuilletInplaceEdit::TrackButtonAt(int X, int Y) {
  RECT R = GetButtonRect();
  bool Over = PtInRect(&R, POINT{X, Y}) != FALSE;
  if (Over == FBtnDown) return;
  FBtnDown = Over;
  if (HWND Wnd = WindowHandle()) InvalidateRect(Wnd, &R, FALSE);
}

void TQuilletInplaceEdit::StopButtonTracking() {
  if (!FBtnTracking) return;
  TrackButtonAt(-1, -1);
  FBtnTracking = false;
  SetMouseCapture(false);
}

void TQuilletInplaceEdit::MouseDown(tk::TMouseButton Button, tk::TShiftState Shift, int X, int Y) {
  bool OnButton = Button == tk::mbLeft && FStyle != esSimple && IsOverButton(POINT{X, Y});
  if (OnButton) {
    // A press on the arrow of a shown list only closes it.
    if (FDroppedDown) {
      CloseUp(false);
    } else {
      SetMouseCapture(true);
      FBtnTracking = true;
      TrackButtonAt(X, Y);
      if (FCurrentList) DropDown();
    }
  } else if (FDroppedDown) {
    CloseUp(false);
  }
  tk::TInplaceEdit::MouseDown(Button, Shift, X, Y);
}

void TQuilletInplaceEdit::MouseMove(tk::TShiftState Shift, int X, int Y) {
  if (FBtnTracking) {
    TrackButtonAt(X, Y);
    if (FDroppedDown && FCurrentList) {
      POINT L = FCurrentList->ScreenToClient(ClientToScreen(POINT{X, Y}));
      RECT Client = FCurrentList->ClientRect();
      if (PtInRect(&Client, L)) {
        // Dragged from the arrow into the list: the list takes the press
        // over and tracks the mouse from here.
        StopButtonTracking();
        SendMessageA(FCurrentList->Handle(), WM_LBUTTONDOWN, 0, tk::PackPoint(L.x, L.y));
        return;
      }
    }
  }
  tk::TInplaceEdit::MouseMove(Shift, X, Y);
}

void TQuilletInplaceEdit::MouseUp(tk::TMouseButton Button, tk::TShiftState Shift, int X, int Y) {
  // The click counts by the pressed state of the last tracking update, not
  // by where the button is released.
  bool WasDown = FBtnDown;
  StopButtonTracking();
  if (Button == tk::mbLeft && FStyle == esEllipsis && WasDown) QuilletGrid()->DoEditButtonClick();
  tk::TInplaceEdit::MouseUp(Button, Shift, X, Y);
}

void TQuilletInplaceEdit::DblClick() {
  if (FStyle == esEllipsis) QuilletGrid()->DoEditButtonClick();
  tk::TInplaceEdit::DblClick();
}

void TQuilletInplaceEdit::WMLButtonDblClk(tk::TMessage& Message) {
  // The second press of a double click on the button is swallowed, as is a
  // press that follows the grid click which brought the editor here.
  POINT P{tk::LoWordSigned(Message.LParam), tk::HiWordSigned(Message.LParam)};
  if (FStyle != esSimple && IsOverButton(P)) return;
  tk::TInplaceEdit::WMLButtonDblClk(Message);
}

void TQuilletInplaceEdit::WMSetCursor(tk::TMessage& Message) {
  POINT P{};
  GetCursorPos(&P);
  ::ScreenToClient(Handle(), &P);
  if (FStyle != esSimple && IsOverButton(P)) {
    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512))); // IDC_ARROW
    Message.Result = TRUE;
    return;
  }
  tk::TInplaceEdit::WMSetCursor(Message);
}

void TQuilletInplaceEdit::WMCancelMode(tk::TMessage& Message) {
  StopButtonTracking();
  tk::TInplaceEdit::WMCancelMode(Message);
}

// ---- Painting ----

void TQuilletInplaceEdit::WMPaint(tk::TMessage& Message) {
  // Always through PaintWindow, so the edit control never paints over the
  // button on its own.
  PaintHandler(Message);
}

void TQuilletInplaceEdit::PaintWindow(HDC DC) {
  if (FStyle != esSimple) {
    RECT R = GetButtonRect();
    if (FStyle == esPickList) {
      UINT Flags = DFCS_SCROLLCOMBOBOX;
      if (!FCurrentList)
        Flags |= DFCS_INACTIVE;
      else if (FBtnDown)
        Flags |= DFCS_FLAT | DFCS_PUSHED;
      DrawFrameControl(DC, &R, DFC_SCROLL, Flags);
    } else {
      DrawEdge(DC, &R, EDGE_RAISED, BF_RECT | BF_MIDDLE | (FBtnDown ? BF_FLAT : 0));
      // Three black dots, S pixels square and S pixels apart, one pixel
      // right and down while pressed.
      int Shift = FBtnDown ? 1 : 0;
      int X = R.left + (R.right - R.left) / 2 - 1 + Shift;
      int Y = R.top + (R.bottom - R.top) / 2 - 1 + Shift;
      int S = FBtnWidth / 8;
      if (S == 0) S = 1;
      PatBlt(DC, X, Y, S, S, BLACKNESS);
      PatBlt(DC, X - 2 * S, Y, S, S, BLACKNESS);
      PatBlt(DC, X + 2 * S, Y, S, S, BLACKNESS);
    }
    ExcludeClipRect(DC, R.left, R.top, R.right, R.bottom);
  }
  tk::TInplaceEdit::PaintWindow(DC);
}

// ---- Notifications ----

void TQuilletInplaceEdit::Change() {
  tk::TInplaceEdit::Change();
  // The editor is the Sender, so the handler can read its Text.
  if (TQuillet* G = QuilletGrid(); G && G->OnChangeInplaceEditor())
    G->OnChangeInplaceEditor()(this);
}

// ---- The pick list ----

void TQuilletInplaceEdit::SetEditStyle(TEditStyle Value) {
  FStyle = Value;
  if (Value == esPickList) {
    if (!FPopupList) {
      FPopupList = new TQuilletPopupListbox(this);
      FPopupList->SetVisible(false); // shown and hidden only by placing its window
      FPopupList->SetParent(this);
      FPopupList->OnMouseUp = tk::TMouseEvent(this, &TQuilletInplaceEdit::PickListMouseUp);
      FPopupList->SetIntegralHeight(true);
      FPopupList->SetItemHeight(11);
    }
    FCurrentList = FPopupList;
    // The grid's handler fills the list for this cell; what an earlier cell
    // (or an earlier visit to this one) put there goes first.
    FPopupList->Items().Clear();
    TQuillet* G = QuilletGrid();
    G->DoGetDropDownList(G->Col(), G->Row(), &FPopupList->Items());
  } else {
    FCurrentList = nullptr;
  }
  if (HandleAllocated()) Repaint();
}

void TQuilletInplaceEdit::DropDown() {
  if (FDroppedDown || !FCurrentList) return;
  TQuilletPopupListbox& List = *FCurrentList;
  // Row height and client width are the window's: it must exist first.
  List.HandleNeeded();
  List.SetWidth(Width());
  TQuillet* G = QuilletGrid();
  // The stored text, not what may have been typed since.
  std::string CellText = G->Cells(G->Col(), G->Row());
  List.SetColor(Color());
  List.Font().Assign(Font());
  tk::TStrings& Items = List.Items();
  int Count = Items.Count();
  if (Count == 0) {
    List.SetHeight(0);
    return;
  }
  int Rows = G->DropDownCount();
  if (Count < Rows) Rows = Count;
  List.SetHeight(List.ItemHeight() * Rows + 4);
  List.SetItemIndex(Items.IndexOf(CellText));
  // At least as wide as the editor, and as wide as the widest item.
  int ClientW = List.ClientWidth();
  for (int I = 0; I < Count; ++I) {
    int TextW = List.Canvas().TextWidth(Items.Strings(I));
    if (TextW > ClientW) ClientW = TextW;
  }
  List.SetClientWidth(ClientW);

  POINT P = G->ClientToScreen(POINT{Left(), Top()});
  int Y = P.y + Height();
  // Above the editor when it would pass the bottom of the screen.
  if (Y + List.Height() > GetSystemMetrics(SM_CYSCREEN)) Y = P.y - List.Height();
  SetWindowPos(List.Handle(), HWND_TOP, P.x, Y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  FDroppedDown = true;
  Invalidate();
  ::SetFocus(Handle());
}

void TQuilletInplaceEdit::CloseUp(bool Accept) {
  if (!FDroppedDown) return;
  // Ends the button tracking, or the list's own tracking of a held button.
  if (HWND Capture = GetCapture()) SendMessageA(Capture, WM_CANCELMODE, 0, 0);
  bool Chosen = false;
  std::string Text;
  tk::TObject* Object = nullptr;
  if (FCurrentList && FCurrentList == FPopupList) {
    int Index = FCurrentList->ItemIndex();
    if (Index != -1 && FCurrentList->Items().Count() > 0) {
      Text = FCurrentList->Items().Strings(Index);
      Object = FCurrentList->Items().Objects(Index);
      Chosen = true;
    }
  }
  if (FCurrentList && FCurrentList->HandleAllocated())
    SetWindowPos(FCurrentList->WindowHandle(), nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  // Cleared before the writes below: each makes the grid reload the editor,
  // which comes back here through the focus loss and must find it closed.
  FDroppedDown = false;
  Invalidate();
  // Without a highlighted item there is nothing to accept: the cell keeps
  // its text, as on a cancel.
  if (Accept && Chosen && EditCanModify()) {
    TQuillet* G = QuilletGrid();
    G->SetCells(G->Col(), G->Row(), Text);
    G->SetObjects(G->Col(), G->Row(), Object);
    G->DoCloseUp();
  }
}

void TQuilletInplaceEdit::PickListMouseUp(tk::TObject*, tk::TMouseButton Button, tk::TShiftState,
                                          int X, int Y) {
  if (Button != tk::mbLeft) return;
  bool Inside = FCurrentList && X >= 0 && X < FCurrentList->ClientWidth() && Y >= 0 &&
                Y < FCurrentList->ClientHeight();
  CloseUp(Inside);
}

// ---- Keys ----

void TQuilletInplaceEdit::WndProc(tk::TMessage& Message) {
  // Another window took the mouse capture (a menu, say): the press can no
  // longer be followed, so it ends as on WM_CANCELMODE, without a click, as
  // a push button's does. (A capture merely released, by the edit control
  // itself on a button release, names no window.)
  auto NewCapture = reinterpret_cast<HWND>(Message.LParam);
  if (Message.Msg == WM_CAPTURECHANGED && NewCapture && NewCapture != WindowHandle())
    StopButtonTracking();
  bool KeyMessage = Message.Msg == WM_KEYUP || Message.Msg == WM_CHAR || Message.Msg == WM_SYSKEYUP;
  if (KeyMessage && FStyle == esPickList) {
    WORD Key = LOWORD(Message.WParam);
    HandleDropDownKeys(Key, tk::KeyDataToShiftState(Message.LParam));
    if (Key != 0 && FDroppedDown && FCurrentList) {
      // While the list shows, key-ups and characters are the list's.
      SendMessageA(FCurrentList->Handle(), Message.Msg, Message.WParam, Message.LParam);
      return;
    }
    if (Key == 0) Message.WParam = 0;
  }
  tk::TInplaceEdit::WndProc(Message);
}

void TQuilletInplaceEdit::HandleDropDownKeys(WORD& Key, tk::TShiftState Shift) {
  bool Alt = (Shift & tk::ssAlt) != 0;
  switch (Key) {
  case VK_RETURN:
  case VK_ESCAPE:
    if (FDroppedDown && !Alt) {
      CloseUp(Key == VK_RETURN);
      Key = 0;
    }
    break;
  case VK_UP:
  case VK_DOWN:
    if (Alt) {
      if (FDroppedDown)
        CloseUp(true);
      else
        DropDown();
      Key = 0;
    }
    break;
  default:
    break;
  }
}

void TQuilletInplaceEdit::KeyDown(WORD& Key, tk::TShiftState Shift) {
  tk::TInplaceEdit::KeyDown(Key, Shift);
  // The character message of the same keystroke then closes it, accepting.
  if (Key == VK_RETURN) DropDown();
}

// ---- Focus and cancel mode ----

void TQuilletInplaceEdit::WMKillFocus(tk::TMessage& Message) {
  if (tk::SysLocale().FarEast) {
    auto Receiver = reinterpret_cast<HWND>(Message.WParam);
    // Stored only: the host's input-method reset below then switches nothing.
    FImeName = tk::DefaultImeName();
    FImeMode = tk::imDontCare;
    tk::TInplaceEdit::WMKillFocus(Message);
    TQuillet* G = QuilletGrid();
    if (!G || Receiver != G->WindowHandle())
      ActivateKeyboardLayout(tk::DefaultKeyboardLayout(), KLF_ACTIVATE);
  } else {
    tk::TInplaceEdit::WMKillFocus(Message);
  }
  CloseUp(false);
}

void TQuilletInplaceEdit::CMCancelMode(tk::TMessage& Message) {
  // A press on the list (or its scroll bar) leaves it open; a press in the
  // editor is left to MouseDown.
  auto* Sender = reinterpret_cast<tk::TControl*>(Message.LParam);
  if (Sender != this && Sender != FCurrentList) CloseUp(false);
}

} // namespace quillet
