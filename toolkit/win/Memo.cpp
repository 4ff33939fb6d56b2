#include "toolkit/win/Memo.h"

#include "toolkit/core/LayoutBinder.h"

#include <vector>

namespace tk {

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 185, 89);
  SetColor(clWindow);
  FLines.OnChange = TNotifyEvent([this](TObject*) { LinesChanged(); });
}

void TMemo::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClassName = "EDIT";
  Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL;
  if (!FWordWrap) Params.Style |= ES_AUTOHSCROLL;
  if (FReadOnly) Params.Style |= ES_READONLY;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TMemo::CreateHandleDone() {
  FSyncing = true;
  SetWindowTextA(WindowHandle(), FLines.Text().c_str());
  FSyncing = false;
}

TStrings& TMemo::Lines() {
  // The user may have edited the text: read it back before handing out the lines.
  if (HWND W = WindowHandle(); W && SendMessageA(W, EM_GETMODIFY, 0, 0)) {
    int Length = GetWindowTextLengthA(W);
    std::vector<char> Buffer(static_cast<std::size_t>(Length) + 1);
    GetWindowTextA(W, Buffer.data(), Length + 1);
    FSyncing = true;
    FLines.SetText(std::string_view(Buffer.data(), static_cast<std::size_t>(Length)));
    FSyncing = false;
    SendMessageA(W, EM_SETMODIFY, FALSE, 0);
  }
  return FLines;
}

void TMemo::LinesChanged() {
  if (FSyncing || !WindowHandle()) return;
  SetWindowTextA(WindowHandle(), FLines.Text().c_str());
}

void TMemo::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (WindowHandle()) SendMessageA(WindowHandle(), EM_SETREADONLY, Value, 0);
}

void TMemo::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  RecreateWnd();
}

void TMemo::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  RecreateWnd();
}

bool TMemo::SetPublishedProperty(std::string_view Name, const TLayoutValue& Value,
                                 TLayoutBinder& Binder) {
  if (Name == "Lines.Strings") {
    FLines.BeginUpdate();
    FLines.Clear();
    for (const std::string& Line : Binder.StringList(Value))
      FLines.Add(Line);
    FLines.EndUpdate();
  } else if (Name == "ReadOnly")
    SetReadOnly(Binder.Bool(Value));
  else if (Name == "WordWrap")
    SetWordWrap(Binder.Bool(Value));
  else if (Name == "ScrollBars")
    SetScrollBars(Binder.Enum<TScrollStyle>(Value, {{"ssNone", ssNone},
                                                    {"ssHorizontal", ssHorizontal},
                                                    {"ssVertical", ssVertical},
                                                    {"ssBoth", ssBoth}}));
  else
    return TWinControl::SetPublishedProperty(Name, Value, Binder);
  return true;
}

} // namespace tk
