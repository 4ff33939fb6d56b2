#include "toolkit/win/WinControl.h"

#include "toolkit/core/LayoutBinder.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Form.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace tk {

namespace {

constexpr const char* kControlProp = "TkControl";
// The control whose window is being created: its first messages arrive
// before CreateWindowEx returns.
thread_local TWinControl* gCreatingControl = nullptr;

// The controls of this thread's windows. The window procedure looks its
// control up for every message, and a window property would cost a request
// to the window system each time (a wineserver round trip under Wine, a few
// microseconds, far more than the message itself). Never freed: windows may
// still go away while the static objects (the application and its forms)
// are destroyed at exit, after this thread's own objects.
std::unordered_map<HWND, TWinControl*>& ThreadControls() {
  thread_local auto* Controls = new std::unordered_map<HWND, TWinControl*>;
  return *Controls;
}

// Default window procedures of the toolkit's window classes, by class name.
std::map<std::string, WNDPROC>& ClassDefaults() {
  static std::map<std::string, WNDPROC> Defaults;
  return Defaults;
}

} // namespace

TWinControl* FindControl(HWND Wnd) {
  if (!Wnd) return nullptr;
  auto& Controls = ThreadControls();
  if (auto It = Controls.find(Wnd); It != Controls.end()) return It->second;
  // A window of another thread, or none of the toolkit's.
  return static_cast<TWinControl*>(GetPropA(Wnd, kControlProp));
}

LRESULT CALLBACK ToolkitWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TWinControl* Control = FindControl(Wnd);
  if (!Control && gCreatingControl) {
    Control = gCreatingControl;
    gCreatingControl = nullptr;
    Control->AttachHandle(Wnd);
  }
  if (!Control) return DefWindowProcA(Wnd, Msg, WParam, LParam);
  TMessage Message{Msg, WParam, LParam, 0};
  // An exception must never unwind through the system's code: it goes to
  // the application's exception handling and the message counts as handled.
  try {
    Control->WndProc(Message);
  } catch (...) {
    if (Application) Application->HandleException(Control, std::current_exception());
  }
  if (Msg == WM_NCDESTROY) Control->DetachHandle();
  return Message.Result;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  if (TCustomForm* Form = GetParentForm(this); Form && Form != this) Form->ControlDestroying(this);
  // Children go first so that none outlives its parent's window.
  while (!FControls.empty()) {
    TControl* Child = FControls.back();
    Child->SetParent(nullptr);
  }
  if (FHandle) DestroyWnd();
  if (FBrush) DeleteObject(FBrush);
}

HWND TWinControl::Handle() {
  if (!FHandle) {
    // Creating the parent's window creates its children's too, this one included.
    if (Parent()) Parent()->HandleNeeded();
    if (FHandle) return FHandle;
    CreateWnd();
    if (FHandle) {
      SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), 0);
      CreateHandleDone();
      for (TControl* Child : std::vector<TControl*>(FControls))
        if (auto* W = dynamic_cast<TWinControl*>(Child)) W->HandleNeeded();
      AlignControls();
    }
  }
  return FHandle;
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  DestroyWnd();
  HandleNeeded();
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  if (Visible()) Params.Style |= WS_VISIBLE;
  if (!Enabled()) Params.Style |= WS_DISABLED;
  Params.X = Left();
  Params.Y = Top();
  Params.Width = Width();
  Params.Height = Height();
  Params.WndParent = Parent() ? Parent()->Handle() : nullptr;
  Params.WinClassName = "Tk" + std::string(ClassName());
  Params.Cursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
}

void TWinControl::CreateWnd() {
  TCreateParams Params;
  CreateParams(Params);
  CreateWindowHandle(Params);
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  HINSTANCE Instance = GetModuleHandleA(nullptr);
  auto& Defaults = ClassDefaults();
  auto Found = Defaults.find(Params.WinClassName);
  if (Found == Defaults.end()) {
    WNDCLASSA Class{};
    WNDPROC Default = DefWindowProcA;
    if (!Params.SystemClassName.empty()) {
      if (!GetClassInfoA(nullptr, Params.SystemClassName.c_str(), &Class))
        throw Exception("system window class " + Params.SystemClassName + " not found");
      Default = Class.lpfnWndProc;
    } else {
      Class.hCursor = Params.Cursor;
      Class.hbrBackground = Params.Background;
    }
    Class.style = Params.ClassStyle;
    Class.lpfnWndProc = ToolkitWindowProc;
    Class.hInstance = Instance;
    Class.lpszClassName = Params.WinClassName.c_str();
    if (!RegisterClassA(&Class))
      throw Exception("cannot register window class " + Params.WinClassName);
    Found = Defaults.emplace(Params.WinClassName, Default).first;
  }
  FDefWndProc = Found->second;
  gCreatingControl = this;
  HWND Wnd = CreateWindowExA(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(),
                             Params.Style, Params.X, Params.Y, Params.Width, Params.Height,
                             Params.WndParent, nullptr, Instance, nullptr);
  gCreatingControl = nullptr;
  if (!Wnd) throw Exception("cannot create the window of " + std::string(ClassName()));
}

void TWinControl::DestroyWnd() {
  if (FHandle) DestroyWindow(FHandle);
  FHandle = nullptr;
}

void TWinControl::AttachHandle(HWND Wnd) {
  FHandle = Wnd;
  ThreadControls()[Wnd] = this;
  SetPropA(Wnd, kControlProp, this);
}

void TWinControl::DetachHandle() {
  if (FHandle) {
    ThreadControls().erase(FHandle);
    RemovePropA(FHandle, kControlProp);
  }
  FHandle = nullptr;
}

void TWinControl::InsertControl(TControl* Control) {
  FControls.push_back(Control);
}

void TWinControl::RemoveControl(TControl* Control) {
  auto It = std::find(FControls.begin(), FControls.end(), Control);
  if (It == FControls.end()) return;
  FControls.erase(It);
  Control->FParent = nullptr;
  if (auto* W = dynamic_cast<TWinControl*>(Control); W && W->FHandle) W->DestroyWnd();
  AlignControls();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  bool Resized = AWidth != Width() || AHeight != Height();
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FHandle)
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  else if (Resized)
    AlignControls();
  RequestAlign();
}

RECT TWinControl::ClientRect() const {
  RECT R{0, 0, Width(), Height()};
  if (FHandle) GetClientRect(FHandle, &R);
  return R;
}

void TWinControl::UpdateBoundsFromWindow() {
  RECT R;
  GetWindowRect(FHandle, &R);
  HWND ParentWnd = (GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD) ? GetParent(FHandle) : nullptr;
  if (ParentWnd) MapWindowPoints(nullptr, ParentWnd, reinterpret_cast<POINT*>(&R), 2);
  TControl::SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
}

void TWinControl::AlignControls() {
  if (FAligning) return;
  FAligning = true;
  RECT R = ClientRect();
  for (TAlign Pass : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* C : FControls) {
      if (C->Align() != Pass || !C->Visible()) continue;
      int W = C->Width(), H = C->Height();
      switch (Pass) {
      case alTop:
        C->SetBounds(R.left, R.top, R.right - R.left, H);
        R.top += H;
        break;
      case alBottom:
        C->SetBounds(R.left, R.bottom - H, R.right - R.left, H);
        R.bottom -= H;
        break;
      case alLeft:
        C->SetBounds(R.left, R.top, W, R.bottom - R.top);
        R.left += W;
        break;
      case alRight:
        C->SetBounds(R.right - W, R.top, W, R.bottom - R.top);
        R.right -= W;
        break;
      default:
        C->SetBounds(R.left, R.top, std::max(0L, R.right - R.left), std::max(0L, R.bottom - R.top));
        break;
      }
    }
  }
  FAligning = false;
}

void TWinControl::SetVisible(bool Value) {
  TControl::SetVisible(Value);
  if (FHandle) ShowWindow(FHandle, Value ? SW_SHOWNA : SW_HIDE);
  RequestAlign();
}

void TWinControl::SetColor(TColor Value) {
  TControl::SetColor(Value);
  Invalidate();
}

HBRUSH TWinControl::BackgroundBrush() {
  if (!FBrush || FBrushColor != Color()) {
    if (FBrush) DeleteObject(FBrush);
    FBrush = CreateSolidBrush(ColorToRGB(Color()));
    FBrushColor = Color();
  }
  return FBrush;
}

void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

bool TWinControl::Showing() const {
  return FHandle && IsWindowVisible(FHandle);
}

bool TWinControl::CanFocus() const {
  for (const TWinControl* C = this; C; C = C->Parent())
    if (!C->Visible() || !C->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const {
  return FHandle && GetFocus() == FHandle;
}

void TWinControl::SetFocus() {
  ::SetFocus(Handle());
}

void TWinControl::SetTabOrder(int Value) {
  FTabOrder = Value;
}

bool TWinControl::WantsDialogKey(WORD Key) const {
  return Key != VK_TAB;
}

void TWinControl::FontChanged() {
  if (FHandle) {
    SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
  }
  for (TControl* C : FControls)
    if (C->ParentFont()) C->ParentFontChanged();
}

LRESULT TWinControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage Message{Msg, WParam, LParam, 0};
  WndProc(Message);
  return Message.Result;
}

void TWinControl::WndProc(TMessage& Message) {
  Dispatch(Message);
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (!FHandle) return;
  Message.Result =
      CallWindowProcA(FDefWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
  case WM_PAINT:
    WMPaint(Message);
    break;
  case WM_SIZE:
    WMSize(Message);
    break;
  case WM_MOVE:
    DefaultHandler(Message);
    if (FHandle) UpdateBoundsFromWindow();
    break;
  case WM_SETFOCUS:
    WMSetFocus(Message);
    break;
  case WM_KILLFOCUS:
    WMKillFocus(Message);
    break;
  case WM_SETCURSOR:
    WMSetCursor(Message);
    break;
  case WM_CANCELMODE:
    WMCancelMode(Message);
    break;
  case CM_CANCELMODE:
    CMCancelMode(Message);
    break;
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN:
    WMKeyDown(Message);
    break;
  case WM_KEYUP:
  case WM_SYSKEYUP:
    WMKeyUp(Message);
    break;
  case WM_CHAR:
    WMChar(Message);
    break;
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_MBUTTONDOWN:
  case WM_LBUTTONUP:
  case WM_RBUTTONUP:
  case WM_MBUTTONUP:
    WMMouseButton(Message);
    break;
  case WM_LBUTTONDBLCLK:
    WMLButtonDblClk(Message);
    break;
  case WM_MOUSEMOVE:
    WMMouseMove(Message);
    break;
  case WM_NCLBUTTONDOWN:
  case WM_NCLBUTTONDBLCLK:
    WMNCButtonDown(Message);
    break;
  case WM_ERASEBKGND:
    WMEraseBkgnd(Message);
    break;
  case WM_COMMAND:
    WMCommand(Message);
    break;
  case WM_GETDLGCODE:
    WMGetDlgCode(Message);
    break;
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORSTATIC:
  case WM_CTLCOLORLISTBOX: {
    // A system child control asks for its colours: answer with its own.
    TWinControl* Child = FindControl(reinterpret_cast<HWND>(Message.LParam));
    if (!Child) {
      DefaultHandler(Message);
      break;
    }
    HDC DC = reinterpret_cast<HDC>(Message.WParam);
    SetTextColor(DC, ColorToRGB(Child->Font().Color()));
    SetBkColor(DC, ColorToRGB(Child->Color()));
    Message.Result = reinterpret_cast<LRESULT>(Child->BackgroundBrush());
    break;
  }
  default:
    DefaultHandler(Message);
    break;
  }
}

void TWinControl::PaintHandler(TMessage& Message) {
  HDC DC = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT PS;
  if (!DC) DC = BeginPaint(FHandle, &PS);
  int Saved = SaveDC(DC);
  PaintWindow(DC);
  RestoreDC(DC, Saved);
  if (!Message.WParam) EndPaint(FHandle, &PS);
  Message.Result = 0;
}

void TWinControl::PaintWindow(HDC DC) {
  TMessage Paint{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  DefaultHandler(Paint);
}

void TWinControl::WMPaint(TMessage& Message) {
  DefaultHandler(Message);
}

void TWinControl::WMSize(TMessage& Message) {
  DefaultHandler(Message);
  if (!FHandle) return;
  UpdateBoundsFromWindow();
  AlignControls();
}

void TWinControl::WMSetFocus(TMessage& Message) {
  DefaultHandler(Message);
  if (TCustomForm* Form = GetParentForm(this)) Form->FocusChanged(this);
  if (OnEnter) OnEnter(this);
}

void TWinControl::WMKillFocus(TMessage& Message) {
  DefaultHandler(Message);
  if (OnExit) OnExit(this);
}

void TWinControl::WMSetCursor(TMessage& Message) {
  DefaultHandler(Message);
}

void TWinControl::WMCancelMode(TMessage& Message) {
  if (FHandle && GetCapture() == FHandle) ReleaseCapture();
  DefaultHandler(Message);
}

void TWinControl::CMCancelMode(TMessage&) {}

void TWinControl::WMKeyDown(TMessage& Message) {
  WORD Key = static_cast<WORD>(Message.WParam);
  KeyDown(Key, KeyDataToShiftState(Message.LParam));
  if (Key == 0) return;
  Message.WParam = Key;
  DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message) {
  WORD Key = static_cast<WORD>(Message.WParam);
  KeyUp(Key, KeyDataToShiftState(Message.LParam));
  if (Key == 0) return;
  Message.WParam = Key;
  DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message) {
  char Key = static_cast<char>(Message.WParam & 0xFF);
  KeyPress(Key);
  if (Key == 0) return;
  Message.WParam = static_cast<unsigned char>(Key);
  DefaultHandler(Message);
}

void TWinControl::WMMouseButton(TMessage& Message) {
  bool Press = Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_RBUTTONDOWN ||
               Message.Msg == WM_MBUTTONDOWN;
  if (Message.Msg == WM_LBUTTONDOWN) SendCancelMode();
  DefaultHandler(Message);
  TMouseButton Button = (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONUP)   ? mbLeft
                        : (Message.Msg == WM_RBUTTONDOWN || Message.Msg == WM_RBUTTONUP) ? mbRight
                                                                                         : mbMiddle;
  TShiftState Shift = MouseKeysToShiftState(Message.WParam);
  int X = LoWordSigned(Message.LParam), Y = HiWordSigned(Message.LParam);
  if (Press)
    MouseDown(Button, Shift, X, Y);
  else
    MouseUp(Button, Shift, X, Y);
}

void TWinControl::WMLButtonDblClk(TMessage& Message) {
  SendCancelMode();
  DefaultHandler(Message);
  DblClick();
  MouseDown(mbLeft, static_cast<TShiftState>(MouseKeysToShiftState(Message.WParam) | ssDouble),
            LoWordSigned(Message.LParam), HiWordSigned(Message.LParam));
}

void TWinControl::WMMouseMove(TMessage& Message) {
  DefaultHandler(Message);
  MouseMove(MouseKeysToShiftState(Message.WParam), LoWordSigned(Message.LParam),
            HiWordSigned(Message.LParam));
}

void TWinControl::WMNCButtonDown(TMessage& Message) {
  SendCancelMode();
  DefaultHandler(Message);
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  DefaultHandler(Message);
}

void TWinControl::WMCommand(TMessage& Message) {
  DefaultHandler(Message);
}

void TWinControl::WMGetDlgCode(TMessage& Message) {
  DefaultHandler(Message);
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

bool TWinControl::SetPublishedProperty(std::string_view Name, const TLayoutValue& Value,
                                       TLayoutBinder& Binder) {
  if (Name == "TabOrder")
    SetTabOrder(Binder.Int(Value));
  else if (Name == "TabStop")
    SetTabStop(Binder.Bool(Value));
  else if (Name == "OnKeyDown")
    OnKeyDown = Binder.Method<TKeyEvent>(Value);
  else if (Name == "OnKeyPress")
    OnKeyPress = Binder.Method<TKeyPressEvent>(Value);
  else if (Name == "OnKeyUp")
    OnKeyUp = Binder.Method<TKeyEvent>(Value);
  else if (Name == "OnEnter")
    OnEnter = Binder.Method<TNotifyEvent>(Value);
  else if (Name == "OnExit")
    OnExit = Binder.Method<TNotifyEvent>(Value);
  else
    return TControl::SetPublishedProperty(Name, Value, Binder);
  return true;
}

} // namespace tk
