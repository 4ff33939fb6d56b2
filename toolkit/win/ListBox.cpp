#include "toolkit/win/ListBox.h"

#include "toolkit/core/LayoutBinder.h"

#include <vector>

namespace tk {

// The items of a list box: LB_ messages to the window while it exists, the
// list box's memory list otherwise.
class TCustomListBox::TListBoxStrings : public TStrings {
public:
  explicit TListBoxStrings(TCustomListBox& ListBox) : FListBox(ListBox) {}
  std::string_view ClassName() const override { return "TListBoxStrings"; }

  int GetCount() const override {
    if (HWND W = Wnd()) return static_cast<int>(SendMessageA(W, LB_GETCOUNT, 0, 0));
    return Saved().GetCount();
  }

  std::string Get(int Index) const override {
    HWND W = Wnd();
    if (!W) return Saved().Get(Index);
    LRESULT Length = SendMessageA(W, LB_GETTEXTLEN, static_cast<WPARAM>(Index), 0);
    if (Length == LB_ERR) IndexError(Index);
    std::vector<char> Buffer(static_cast<std::size_t>(Length) + 1);
    SendMessageA(W, LB_GETTEXT, static_cast<WPARAM>(Index),
                 reinterpret_cast<LPARAM>(Buffer.data()));
    return std::string(Buffer.data(), static_cast<std::size_t>(Length));
  }

  TObject* GetObjectAt(int Index) const override {
    HWND W = Wnd();
    if (!W) return Saved().GetObjectAt(Index);
    CheckIndex(Index);
    return reinterpret_cast<TObject*>(
        SendMessageA(W, LB_GETITEMDATA, static_cast<WPARAM>(Index), 0));
  }

  void Put(int Index, const std::string& S) override {
    HWND W = Wnd();
    if (!W) {
      Saved().Put(Index, S);
      return;
    }
    TObject* Object = GetObjectAt(Index);
    int Selected = FListBox.ItemIndex();
    SendMessageA(W, LB_DELETESTRING, static_cast<WPARAM>(Index), 0);
    InsertIntoWindow(W, Index, S, Object);
    if (Selected == Index) SendMessageA(W, LB_SETCURSEL, static_cast<WPARAM>(Index), 0);
    Changed();
  }

  void PutObjectAt(int Index, TObject* AObject) override {
    HWND W = Wnd();
    if (!W) {
      Saved().PutObjectAt(Index, AObject);
      return;
    }
    CheckIndex(Index);
    SendMessageA(W, LB_SETITEMDATA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(AObject));
    Changed();
  }

  void Delete(int Index) override {
    HWND W = Wnd();
    if (!W) {
      Saved().Delete(Index);
      return;
    }
    CheckIndex(Index);
    SendMessageA(W, LB_DELETESTRING, static_cast<WPARAM>(Index), 0);
    Changed();
  }

  void Clear() override {
    HWND W = Wnd();
    if (!W) {
      Saved().Clear();
      FListBox.FSavedIndex = -1;
      return;
    }
    SendMessageA(W, LB_RESETCONTENT, 0, 0);
    Changed();
  }

  int IndexOf(std::string_view S) const override {
    HWND W = Wnd();
    if (!W) return TStrings::IndexOf(S);
    std::string Text(S);
    LRESULT Found = SendMessageA(W, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(Text.c_str()));
    return Found == LB_ERR ? -1 : static_cast<int>(Found);
  }

protected:
  void InsertItem(int Index, const std::string& S, TObject* AObject) override {
    HWND W = Wnd();
    if (!W) {
      Saved().InsertObject(Index, S, AObject);
      return;
    }
    if (Index < 0 || Index > GetCount()) IndexError(Index);
    InsertIntoWindow(W, Index, S, AObject);
    Changed();
  }

  void SetUpdateState(bool Updating) override {
    if (HWND W = Wnd()) {
      SendMessageA(W, WM_SETREDRAW, !Updating, 0);
      if (!Updating) InvalidateRect(W, nullptr, TRUE);
    }
  }

private:
  HWND Wnd() const { return FListBox.WindowHandle(); }
  TStringList& Saved() const { return *FListBox.FSaved; }
  void CheckIndex(int Index) const {
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
  }
  static void InsertIntoWindow(HWND W, int Index, const std::string& S, TObject* AObject) {
    LRESULT At = SendMessageA(W, LB_INSERTSTRING, static_cast<WPARAM>(Index),
                              reinterpret_cast<LPARAM>(S.c_str()));
    if (At >= 0)
      SendMessageA(W, LB_SETITEMDATA, static_cast<WPARAM>(At), reinterpret_cast<LPARAM>(AObject));
  }

  TCustomListBox& FListBox;
};

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TListBoxStrings>(*this)),
      FSaved(std::make_unique<TStringList>()) {
  SetBounds(0, 0, 121, 97);
  SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() {
  // The window goes while this object is whole, so its last messages reach a list box.
  if (WindowHandle()) DestroyWnd();
}

TStrings& TCustomListBox::Items() {
  return *FItems;
}
const TStrings& TCustomListBox::Items() const {
  return *FItems;
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClassName = "LISTBOX";
  Params.Style |= WS_VSCROLL | WS_HSCROLL | LBS_HASSTRINGS | LBS_NOTIFY;
  if (!FIntegralHeight) Params.Style |= LBS_NOINTEGRALHEIGHT;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd() {
  // The parent's window creation makes its children's windows, and
  // TWinControl::Handle then asks again: one window is enough.
  if (HandleAllocated()) return;
  TWinControl::CreateWnd();
  HWND W = WindowHandle();
  if (!W) return;
  // Put back what an earlier window held.
  SendMessageA(W, WM_SETREDRAW, FALSE, 0);
  for (int I = 0; I < FSaved->Count(); ++I) {
    LRESULT At = SendMessageA(W, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FSaved->Get(I).c_str()));
    if (At >= 0)
      SendMessageA(W, LB_SETITEMDATA, static_cast<WPARAM>(At),
                   reinterpret_cast<LPARAM>(FSaved->GetObjectAt(I)));
  }
  if (FSavedIndex >= 0) SendMessageA(W, LB_SETCURSEL, static_cast<WPARAM>(FSavedIndex), 0);
  SendMessageA(W, WM_SETREDRAW, TRUE, 0);
  FSaved->Clear();
  FSavedIndex = -1;
}

void TCustomListBox::Dispatch(TMessage& Message) {
  // However the window goes (its own re-creation, or with its parent's
  // window), its items and selection stay for the next one.
  if (Message.Msg == WM_DESTROY) SaveItems();
  TWinControl::Dispatch(Message);
}

void TCustomListBox::SaveItems() {
  HWND W = WindowHandle();
  if (!W) return;
  FSaved->Clear();
  int N = FItems->Count();
  for (int I = 0; I < N; ++I)
    FSaved->AddObject(FItems->Get(I), FItems->GetObjectAt(I));
  FSavedIndex = static_cast<int>(SendMessageA(W, LB_GETCURSEL, 0, 0));
}

int TCustomListBox::ItemIndex() const {
  if (HWND W = WindowHandle()) return static_cast<int>(SendMessageA(W, LB_GETCURSEL, 0, 0));
  return FSavedIndex;
}

void TCustomListBox::SetItemIndex(int Value) {
  if (ItemIndex() == Value) return;
  if (HWND W = WindowHandle())
    SendMessageA(W, LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
  else
    FSavedIndex = Value;
}

int TCustomListBox::ItemHeight() const {
  HWND W = WindowHandle();
  if (!W) return FItemHeight;
  RECT R{};
  if (SendMessageA(W, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&R)) != LB_ERR)
    return R.bottom - R.top;
  return static_cast<int>(SendMessageA(W, LB_GETITEMHEIGHT, 0, 0));
}

void TCustomListBox::SetIntegralHeight(bool Value) {
  if (Value == FIntegralHeight) return;
  FIntegralHeight = Value;
  RecreateWnd();
}

void TCustomListBox::AddBiDiModeExStyle(DWORD& ExStyle) const {
  if (UseRightToLeftReading()) ExStyle |= WS_EX_RTLREADING;
  // The scroll bar goes left, and left-aligned text right, under the same
  // right-to-left layout.
  if (UseRightToLeftAlignment()) ExStyle |= WS_EX_LEFTSCROLLBAR | WS_EX_RIGHT;
}

bool TCustomListBox::SetPublishedProperty(std::string_view Name, const TLayoutValue& Value,
                                          TLayoutBinder& Binder) {
  if (Name == "Items.Strings") {
    FItems->BeginUpdate();
    FItems->Clear();
    for (const std::string& Item : Binder.StringList(Value))
      FItems->Add(Item);
    FItems->EndUpdate();
  } else if (Name == "ItemIndex")
    SetItemIndex(Binder.Int(Value));
  else if (Name == "ItemHeight")
    SetItemHeight(Binder.Int(Value));
  else if (Name == "IntegralHeight")
    SetIntegralHeight(Binder.Bool(Value));
  else
    return TWinControl::SetPublishedProperty(Name, Value, Binder);
  return true;
}

} // namespace tk
