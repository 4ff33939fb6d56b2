#include "toolkit/win/Control.h"

#include "toolkit/core/LayoutBinder.h"
#include "toolkit/win/Form.h"
#include "toolkit/win/SysLocale.h"
#include "toolkit/win/WinControl.h"

namespace tk {

TShiftState KeyDataToShiftState(LPARAM KeyData) {
  TShiftState Shift = 0;
  if (KeyData & (1L << 29)) Shift |= ssAlt;
  if (GetKeyState(VK_SHIFT) < 0) Shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) Shift |= ssCtrl;
  return Shift;
}

TShiftState MouseKeysToShiftState(WPARAM Keys) {
  TShiftState Shift = 0;
  if (Keys & MK_SHIFT) Shift |= ssShift;
  if (Keys & MK_CONTROL) Shift |= ssCtrl;
  if (Keys & MK_LBUTTON) Shift |= ssLeft;
  if (Keys & MK_RBUTTON) Shift |= ssRight;
  if (Keys & MK_MBUTTON) Shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) Shift |= ssAlt;
  return Shift;
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>()) {
  FFont->OnChange = TNotifyEvent([this](TObject*) {
    FParentFont = false;
    FontChanged();
  });
}

TControl::~TControl() {
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* Value) {
  if (Value == FParent) return;
  if (FParent) FParent->RemoveControl(this);
  FParent = Value;
  if (FParent) {
    FParent->InsertControl(this);
    if (FParentFont) ParentFontChanged();
  }
}

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* W = dynamic_cast<TWinControl*>(Value)) SetParent(W);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
}

RECT TControl::ClientRect() const {
  return {0, 0, FWidth, FHeight};
}
int TControl::ClientWidth() const {
  RECT R = ClientRect();
  return R.right - R.left;
}
int TControl::ClientHeight() const {
  RECT R = ClientRect();
  return R.bottom - R.top;
}

void TControl::SetClientWidth(int Value) {
  SetBounds(FLeft, FTop, FWidth + Value - ClientWidth(), FHeight);
}

POINT TControl::ClientToScreen(POINT P) const {
  if (HWND W = WindowHandle()) {
    ::ClientToScreen(W, &P);
    return P;
  }
  POINT Origin = FParent ? FParent->ClientToScreen(POINT{FLeft, FTop}) : POINT{FLeft, FTop};
  return {P.x + Origin.x, P.y + Origin.y};
}

POINT TControl::ScreenToClient(POINT P) const {
  if (HWND W = WindowHandle()) {
    ::ScreenToClient(W, &P);
    return P;
  }
  POINT Origin = ClientToScreen(POINT{0, 0});
  return {P.x - Origin.x, P.y - Origin.y};
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  FAlign = Value;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (FParent && FAlign != alNone) FParent->AlignControls();
}

void TControl::SetVisible(bool Value) {
  FVisible = Value;
}

void TControl::SetEnabled(bool Value) {
  FEnabled = Value;
  if (HWND W = WindowHandle()) EnableWindow(W, Value);
}

void TControl::SetColor(TColor Value) {
  FColor = Value;
}

void TControl::SetParentFont(bool Value) {
  FParentFont = Value;
  if (Value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParent) return;
  FFont->Assign(FParent->Font()); // clears FParentFont through OnChange
  FParentFont = true;
}

bool TControl::UseRightToLeftAlignment() const {
  return SysLocale().MiddleEast && FBiDiMode == bdRightToLeft;
}

bool TControl::UseRightToLeftReading() const {
  return SysLocale().MiddleEast && FBiDiMode == bdRightToLeft;
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

bool TControl::MouseCapture() const {
  HWND W = WindowHandle();
  return W && GetCapture() == W;
}

void TControl::SetMouseCapture(bool Value) {
  HWND W = WindowHandle();
  if (!W) return;
  if (Value)
    SetCapture(W);
  else if (GetCapture() == W)
    ReleaseCapture();
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::FontChanged() {}

void TControl::SendCancelMode() {
  if (TCustomForm* Form = GetParentForm(this)) Form->SendCancelMode(this);
}

TColor LayoutColor(const TLayoutValue& Value, TLayoutBinder& Binder) {
  if (Value.Kind == TLayoutValue::TKind::Integer) return Binder.Int(Value);
  TColor C = 0;
  if (!IdentToColor(Binder.Ident(Value), C)) Binder.Fail("unknown colour '" + Value.Text + "'");
  return C;
}

bool TControl::SetPublishedProperty(std::string_view Name, const TLayoutValue& Value,
                                    TLayoutBinder& Binder) {
  if (Name == "Left")
    SetLeft(Binder.Int(Value));
  else if (Name == "Top")
    SetTop(Binder.Int(Value));
  else if (Name == "Width")
    SetWidth(Binder.Int(Value));
  else if (Name == "Height")
    SetHeight(Binder.Int(Value));
  else if (Name == "Visible")
    SetVisible(Binder.Bool(Value));
  else if (Name == "Enabled")
    SetEnabled(Binder.Bool(Value));
  else if (Name == "ParentFont")
    SetParentFont(Binder.Bool(Value));
  else if (Name == "Align")
    SetAlign(Binder.Enum<TAlign>(Value, {{"alNone", alNone},
                                         {"alTop", alTop},
                                         {"alBottom", alBottom},
                                         {"alLeft", alLeft},
                                         {"alRight", alRight},
                                         {"alClient", alClient}}));
  else if (Name == "BiDiMode")
    SetBiDiMode(Binder.Enum<TBiDiMode>(
        Value, {{"bdLeftToRight", bdLeftToRight}, {"bdRightToLeft", bdRightToLeft}}));
  else if (Name == "Color")
    SetColor(LayoutColor(Value, Binder));
  else if (Name == "Font.Name")
    Font().SetName(Binder.String(Value));
  else if (Name == "Font.Height")
    Font().SetHeight(Binder.Int(Value));
  else if (Name == "Font.Charset") {
    if (Value.Kind == TLayoutValue::TKind::Integer)
      Font().SetCharset(Binder.Int(Value));
    else
      Font().SetCharset(Binder.Enum<int>(Value, {{"DEFAULT_CHARSET", DEFAULT_CHARSET},
                                                 {"ANSI_CHARSET", ANSI_CHARSET},
                                                 {"SYMBOL_CHARSET", SYMBOL_CHARSET},
                                                 {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET}}));
  } else if (Name == "Font.Color")
    Font().SetColor(LayoutColor(Value, Binder));
  else if (Name == "Font.Style")
    Font().SetStyle(Binder.Set<TFontStyles>(Value, {{"fsBold", fsBold},
                                                    {"fsItalic", fsItalic},
                                                    {"fsUnderline", fsUnderline},
                                                    {"fsStrikeOut", fsStrikeOut}}));
  else if (Name == "OnClick")
    OnClick = Binder.Method<TNotifyEvent>(Value);
  else if (Name == "OnDblClick")
    OnDblClick = Binder.Method<TNotifyEvent>(Value);
  else if (Name == "OnMouseDown")
    OnMouseDown = Binder.Method<TMouseEvent>(Value);
  else if (Name == "OnMouseMove")
    OnMouseMove = Binder.Method<TMouseMoveEvent>(Value);
  else if (Name == "OnMouseUp")
    OnMouseUp = Binder.Method<TMouseEvent>(Value);
  else
    return TComponent::SetPublishedProperty(Name, Value, Binder);
  return true;
}

} // namespace tk
