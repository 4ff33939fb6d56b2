#include "toolkit/win/Form.h"

#include "toolkit/core/LayoutBinder.h"
#include "toolkit/core/LayoutReader.h"
#include "toolkit/win/Application.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace tk {

TCustomForm* GetParentForm(TControl* Control) {
  while (Control && Control->Parent())
    Control = Control->Parent();
  return dynamic_cast<TCustomForm*>(Control);
}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  SetColor(clBtnFace);
  SetVisible(false);
  SetBounds(0, 0, 320, 240);
}

TCustomForm::~TCustomForm() {
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
      Application->HandleException(this, std::current_exception());
    }
  }
  if (Application) Application->FormDestroyed(this);
}

void TCustomForm::SetCaption(std::string Value) {
  FCaption = std::move(Value);
  if (WindowHandle()) SetWindowTextA(WindowHandle(), FCaption.c_str());
}

RECT TCustomForm::ClientRect() const {
  if (WindowHandle()) return TWinControl::ClientRect();
  // Before the window exists, the client area is the outer size less the
  // frame that the window's style will have.
  RECT Frame{0, 0, 0, 0};
  AdjustWindowRectEx(&Frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  return {0, 0, std::max(0L, Width() - (Frame.right - Frame.left)),
          std::max(0L, Height() - (Frame.bottom - Frame.top))};
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  Params.WndParent = nullptr;
  Params.Caption = FCaption;
  Params.ClassStyle = CS_DBLCLKS;
  Params.WinClassName = "Tk" + std::string(ClassName());
}

void TCustomForm::CreateHandleDone() {
  if (HICON Icon = Application->Icon()) {
    SendMessageA(WindowHandle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Icon));
    SendMessageA(WindowHandle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Icon));
  }
}

void TCustomForm::LoadLayout() {
  std::string Name(ClassName());
  std::transform(Name.begin(), Name.end(), Name.begin(),
                 [](unsigned char C) { return static_cast<char>(std::toupper(C)); });
  HMODULE Module = GetModuleHandleA(nullptr);
  HRSRC Resource = FindResourceA(Module, Name.c_str(), MAKEINTRESOURCEA(10)); // RT_RCDATA
  if (!Resource) throw ELayoutError(Name + ": layout resource not found");
  HGLOBAL Loaded = LoadResource(Module, Resource);
  const char* Data = static_cast<const char*>(LockResource(Loaded));
  DWORD Size = SizeofResource(Module, Resource);
  LoadLayoutFromText(Name, std::string_view(Data, Size));
}

void TCustomForm::LoadLayoutFromText(std::string_view ResourceName, std::string_view Text) {
  ReadComponentLayout(*this, ResourceName, Text);
  ScaleToTextHeight();
  if (OnCreate) OnCreate(this);
}

int TCustomForm::MeasuredTextHeight() {
  HDC DC = GetDC(nullptr);
  HGDIOBJ Old = SelectObject(DC, Font().Handle());
  SIZE Size{};
  GetTextExtentPoint32A(DC, "0", 1, &Size);
  SelectObject(DC, Old);
  ReleaseDC(nullptr, DC);
  return Size.cy;
}

void TCustomForm::ScaleToTextHeight() {
  if (FTextHeight <= 0) return;
  int Measured = MeasuredTextHeight();
  if (Measured <= 0 || Measured == FTextHeight) return;
  // The layout was made with a font of FTextHeight pixels: grow or shrink
  // everything in proportion so that the text fits as designed.
  auto Scale = [&](int V) { return MulDiv(V, Measured, FTextHeight); };
  RECT Client = ClientRect();
  for (int I = 0; I < ControlCount(); ++I) {
    TControl* C = Controls(I);
    C->SetBounds(Scale(C->Left()), Scale(C->Top()), Scale(C->Width()), Scale(C->Height()));
  }
  SetBounds(Left(), Top(), Width() + Scale(Client.right) - Client.right,
            Height() + Scale(Client.bottom) - Client.bottom);
}

void TCustomForm::Show() {
  SetVisible(true);
  HWND Wnd = Handle();
  if (!FShownOnce && FPosition == poScreenCenter) {
    int X = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
    int Y = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
    SetBounds(X, Y, Width(), Height());
  }
  ShowWindow(Wnd, SW_SHOW);
  SetForegroundWindow(Wnd);
  if (!FShownOnce) {
    FShownOnce = true;
    FocusFirstControl();
  }
  UpdateWindow(Wnd);
}

void TCustomForm::Close() {
  if (WindowHandle()) PostMessageA(WindowHandle(), WM_CLOSE, 0, 0);
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  FActiveControl = Control;
  if (Control && WindowHandle() && Control->CanFocus()) Control->SetFocus();
}

void TCustomForm::FocusFirstControl() {
  if (FActiveControl) {
    FActiveControl->SetFocus();
    return;
  }
  SelectNext(nullptr, true);
}

namespace {
void CollectTabStops(TWinControl* Parent, std::vector<TWinControl*>& Out) {
  std::vector<TWinControl*> Children;
  for (int I = 0; I < Parent->ControlCount(); ++I)
    if (auto* W = dynamic_cast<TWinControl*>(Parent->Controls(I))) Children.push_back(W);
  std::stable_sort(Children.begin(), Children.end(),
                   [](TWinControl* A, TWinControl* B) { return A->TabOrder() < B->TabOrder(); });
  for (TWinControl* W : Children) {
    if (W->TabStop() && W->CanFocus()) Out.push_back(W);
    CollectTabStops(W, Out);
  }
}
} // namespace

void TCustomForm::SelectNext(TWinControl* Current, bool Forward) {
  std::vector<TWinControl*> Stops;
  CollectTabStops(this, Stops);
  if (Stops.empty()) return;
  auto It = std::find(Stops.begin(), Stops.end(), Current);
  std::size_t Index;
  if (It == Stops.end())
    Index = Forward ? 0 : Stops.size() - 1;
  else {
    std::size_t Pos = static_cast<std::size_t>(It - Stops.begin());
    Index = Forward ? (Pos + 1) % Stops.size() : (Pos + Stops.size() - 1) % Stops.size();
  }
  Stops[Index]->SetFocus();
}

void TCustomForm::FocusChanged(TWinControl* Control) {
  // The form's own window takes the focus while it is being activated; that
  // makes none of its controls active, so the first one still gets it.
  if (Control == this) return;
  FFocusedControl = Control;
  FActiveControl = Control ? Control->FocusedControlForForm() : nullptr;
}

void TCustomForm::ControlDestroying(TWinControl* Control) {
  if (FFocusedControl == Control) FFocusedControl = nullptr;
  if (FActiveControl == Control) FActiveControl = nullptr;
}

void TCustomForm::SendCancelMode(TControl* Sender) {
  if (FActiveControl && FActiveControl->HandleAllocated())
    FActiveControl->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(Sender));
}

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
  case WM_CLOSE:
    SetVisible(false);
    Application->FormClosed(this);
    Message.Result = 0;
    break;
  case WM_ENTERMENULOOP:
    SendCancelMode(nullptr);
    DefaultHandler(Message);
    break;
  case WM_SYSCOMMAND:
    SendCancelMode(nullptr);
    DefaultHandler(Message);
    break;
  case WM_ACTIVATE:
    DefaultHandler(Message);
    // Give the focus back to the control that had it when the window is
    // activated again.
    if (LOWORD(Message.WParam) != WA_INACTIVE && FFocusedControl &&
        FFocusedControl->HandleAllocated() && IsWindowVisible(FFocusedControl->WindowHandle()))
      ::SetFocus(FFocusedControl->WindowHandle());
    break;
  default:
    TWinControl::Dispatch(Message);
    break;
  }
}

void TCustomForm::WMEraseBkgnd(TMessage& Message) {
  RECT R;
  GetClientRect(WindowHandle(), &R);
  FillRect(reinterpret_cast<HDC>(Message.WParam), &R, BackgroundBrush());
  Message.Result = 1;
}

void TCustomForm::WMNCButtonDown(TMessage& Message) {
  SendCancelMode(this);
  DefaultHandler(Message);
}

bool TCustomForm::SetPublishedProperty(std::string_view Name, const TLayoutValue& Value,
                                       TLayoutBinder& Binder) {
  if (Name == "Caption")
    SetCaption(Binder.String(Value));
  else if (Name == "Position")
    SetPosition(Binder.Enum<TPosition>(
        Value, {{"poDesigned", poDesigned}, {"poScreenCenter", poScreenCenter}}));
  else if (Name == "PixelsPerInch")
    FPixelsPerInch = Binder.Int(Value);
  else if (Name == "TextHeight")
    FTextHeight = Binder.Int(Value);
  else if (Name == "OldCreateOrder")
    FOldCreateOrder = Binder.Bool(Value);
  else if (Name == "ClientWidth")
    SetClientWidth(Binder.Int(Value));
  else if (Name == "ClientHeight")
    SetBounds(Left(), Top(), Width(), Height() + Binder.Int(Value) - ClientHeight());
  else if (Name == "OnCreate")
    OnCreate = Binder.Method<TNotifyEvent>(Value);
  else if (Name == "OnDestroy")
    OnDestroy = Binder.Method<TNotifyEvent>(Value);
  else
    return TWinControl::SetPublishedProperty(Name, Value, Binder);
  return true;
}

} // namespace tk
