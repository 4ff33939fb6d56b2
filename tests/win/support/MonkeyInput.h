// A seeded generator of user input for a form holding a TQuillet: each Step
// picks one event from the seed's random stream and delivers it the way the
// system would. Key messages are sent to the focused window with realistic
// lParam, posted so that the message loop translates them, or typed through
// the input queue; mouse messages go to the window holding the capture, else
// to the window under the point, in its client coordinates; a few clicks go
// through the input queue. Header only, like the form it drives.
#pragma once

#include "support/MonkeyAim.h"
#include "support/MonkeyRandom.h"
#include "support/QuilletKindsForm.h"
#include "support/WinTest.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iterator>
#include <optional>
#include <string>

namespace wintest {

class MonkeyInput {
public:
  MonkeyInput(std::uint64_t Seed, const MonkeyTargets& Targets)
      : FRandom(Seed), T(Targets), FAim(FRandom, T) {
    FChars = "0123456789012345.,/-+eE $maMAjJuUnNdDx";
    FChars += T.Settings.DecimalSeparator;
    FChars += T.Settings.DateSeparator;
    FChars += "\xE9\xFC";
  }
  MonkeyInput(const MonkeyInput&) = delete;
  MonkeyInput& operator=(const MonkeyInput&) = delete;

  // Told what each event is before it is delivered.
  std::function<void(const std::string&)> OnEvent;

  // Delivers one event; returns its description.
  std::string Step() {
    using TEvent = void (MonkeyInput::*)();
    struct Weighted {
      int PerMille;
      TEvent Event;
    };
    static constexpr Weighted kEvents[] = {
        {150, &MonkeyInput::SentKey},      {70, &MonkeyInput::PostedKey},
        {150, &MonkeyInput::SentChar},     {15, &MonkeyInput::ControlChar},
        {80, &MonkeyInput::AltChord},      {110, &MonkeyInput::MousePress},
        {110, &MonkeyInput::MouseMove},    {100, &MonkeyInput::MouseRelease},
        {25, &MonkeyInput::DoubleClick},   {20, &MonkeyInput::RealMouse},
        {15, &MonkeyInput::RealKey},       {25, &MonkeyInput::Scroll},
        {15, &MonkeyInput::MoveFocus},     {25, &MonkeyInput::CancelMode},
        {15, &MonkeyInput::FillClipboard}, {75, &MonkeyInput::EditCommand}};
    int Roll = Below(1000);
    for (const Weighted& E : kEvents)
      if ((Roll -= E.PerMille) < 0) {
        (this->*E.Event)();
        break;
      }
    return FWhat;
  }

  bool AnyButtonHeld() const { return FHeld[0] || FHeld[1] || FHeld[2]; }

  // Releases every button still held, where the pointer last was.
  void ReleaseAll() {
    for (int B = 0; B < 3; ++B)
      if (FHeld[B]) Release(B, FPointer);
  }

private:
  static constexpr UINT kDown[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
  static constexpr UINT kUp[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
  static constexpr const char* kButtonName[3] = {"left", "right", "middle"};
  void Announce(std::string What) {
    FWhat = std::move(What);
    if (OnEvent) OnEvent(FWhat);
  }

  quillet::TQuilletInplaceEdit* Editor() const { return T.Editor(); }
  HWND EditWnd() const { return T.EditWnd(); }
  HWND ListWnd() const { return T.ListWnd(); }
  int Below(int N) { return FRandom.Below(N); }
  bool Chance(int Percent) { return FRandom.Chance(Percent); }
  template <class A> auto Pick(const A& Items) -> decltype(Items[0]) { return FRandom.Pick(Items); }
  bool AimedPoint(POINT& P, std::string& Where) { return FAim.AimedPoint(P, Where); }
  WPARAM HeldKeys() const {
    return (FHeld[0] ? MK_LBUTTON : 0) | (FHeld[1] ? MK_RBUTTON : 0) | (FHeld[2] ? MK_MBUTTON : 0);
  }

  // ---- mouse ----

  // To the capture window, else to the client area of the window of ours
  // under the point; false when nothing of ours would receive it.
  bool SendMouse(UINT Msg, POINT Screen, WPARAM Keys) {
    FPointer = Screen;
    HWND Target = GetCapture();
    if (!Target) {
      Target = WindowFromPoint(Screen);
      if (!Target || !tk::FindControl(Target)) return false;
      if (SendMessageA(Target, WM_NCHITTEST, 0, tk::PackPoint(Screen.x, Screen.y)) != HTCLIENT)
        return false;
    }
    POINT C = Screen;
    ScreenToClient(Target, &C);
    SendMessageA(Target, Msg, Keys, tk::PackPoint(C.x, C.y));
    return true;
  }
  void Release(int B, POINT P) {
    FHeld[B] = false;
    SendMouse(kUp[B], P, HeldKeys());
  }

  void MousePress() {
    int B = Below(10) < 8 ? 0 : 1 + Below(2);
    POINT P;
    std::string Where;
    if (FHeld[B] || !AimedPoint(P, Where)) return MouseRelease();
    Announce("press " + std::string(kButtonName[B]) + " at " + Where);
    FHeld[B] = true;
    SendMouse(kDown[B], P, HeldKeys());
  }
  void MouseRelease() {
    int B = Below(3);
    if (!FHeld[B]) B = FHeld[0] ? 0 : FHeld[1] ? 1 : FHeld[2] ? 2 : -1;
    POINT P = FPointer;
    std::string Where = "where it was";
    if (B < 0 || (Chance(60) && !AimedPoint(P, Where))) return MouseMove();
    Announce("release " + std::string(kButtonName[B]) + " at " + Where);
    Release(B, P);
  }
  void MouseMove() {
    POINT P;
    std::string Where;
    if (!AimedPoint(P, Where)) return Announce("move: nowhere to go");
    Announce("move to " + Where);
    SendMouse(WM_MOUSEMOVE, P, HeldKeys());
  }
  void DoubleClick() {
    POINT P;
    std::string Where;
    if (FHeld[0] || !AimedPoint(P, Where)) return MouseMove();
    Announce("double click at " + Where);
    for (UINT Msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
      SendMouse(Msg, P, Msg == WM_LBUTTONUP ? HeldKeys() : HeldKeys() | MK_LBUTTON);
      Pump(0);
    }
  }
  // Through the input queue: a click, a drag or a double click, whole, so
  // that no button stays down in the system's state.
  void RealMouse() {
    POINT P, To;
    std::string Where, ToWhere;
    HWND Fore = GetForegroundWindow();
    bool Ours = Fore == T.Form->WindowHandle() || Fore == T.Other->WindowHandle();
    if (AnyButtonHeld() || GetCapture() || !Ours || !AimedPoint(P, Where)) return SentKey();
    HWND Under = WindowFromPoint(P);
    if (!Under || !tk::FindControl(Under)) return SentKey();
    int Kind = Below(4), B = Chance(85) ? 0 : 1;
    Button Btn = B == 0 ? Button::Left : Button::Right;
    if (Kind == 1 && !AimedPoint(To, ToWhere)) Kind = 0;
    Announce(std::string("input ") +
             (Kind == 1   ? "drag"
              : Kind == 2 ? "double click"
                          : "click") +
             " " + kButtonName[B] + " at " + Where + (Kind == 1 ? " to " + ToWhere : ""));
    FPointer = P;
    InputMouseMoveScreen(P.x, P.y);
    InputMouseButton(Btn, false);
    if (Kind == 1) {
      InputMouseMoveScreen(To.x, To.y);
      FPointer = To;
    }
    InputMouseButton(Btn, true);
    if (Kind == 2) {
      InputMouseButton(Btn, false);
      InputMouseButton(Btn, true);
    }
    Pump(5);
  }

  // ---- keyboard ----

  HWND KeyTarget() const { return GetFocus(); }

  // The character TranslateMessage would make of the key now.
  static char CharOf(WORD Vk) {
    BYTE State[256];
    GetKeyboardState(State);
    WORD Out = 0;
    UINT Scan = MapVirtualKeyA(Vk, MAPVK_VK_TO_VSC);
    return ToAscii(Vk, Scan, State, &Out, 0) == 1 ? static_cast<char>(Out & 0xFF) : 0;
  }

  WORD RandomKey() {
    static constexpr WORD kKeys[] = {
        VK_UP,         VK_DOWN,      VK_LEFT,  VK_RIGHT,     VK_HOME,   VK_END,
        VK_PRIOR,      VK_NEXT,      VK_TAB,   VK_RETURN,    VK_RETURN, VK_ESCAPE,
        VK_BACK,       VK_DELETE,    VK_F2,    VK_INSERT,    VK_SPACE,  '0',
        '1',           '5',          '9',      'A',          'M',       'J',
        VK_OEM_PERIOD, VK_OEM_COMMA, VK_OEM_2, VK_OEM_MINUS, VK_APPS};
    return Pick(kKeys);
  }
  // Shift or Ctrl, now and then, held in this thread's key state for one event.
  WORD RandomModifier(std::string& Name) {
    int Roll = Below(100);
    Name = Roll < 12 ? " +Shift" : Roll < 20 ? " +Ctrl" : "";
    return Roll < 12 ? VK_SHIFT : Roll < 20 ? VK_CONTROL : 0;
  }
  static void Hold(std::optional<wintest::HeldKeys>& Held, WORD Key) {
    if (Key) Held.emplace(std::initializer_list<WORD>{Key});
  }

  void SentKey() {
    HWND To = KeyTarget();
    WORD Vk = RandomKey();
    std::string Mods;
    WORD Modifier = RandomModifier(Mods);
    Announce("sent key " + std::to_string(Vk) + Mods);
    if (!To) return;
    std::optional<wintest::HeldKeys> Held;
    Hold(Held, Modifier);
    SendMessageA(To, WM_KEYDOWN, Vk, KeyData(Vk, false));
    if (char Ch = CharOf(Vk); Ch && IsWindow(To))
      SendMessageA(To, WM_CHAR, static_cast<unsigned char>(Ch), KeyData(Vk, false));
    // The key-up goes wherever the focus is by then.
    if (HWND Now = GetFocus()) SendMessageA(Now, WM_KEYUP, Vk, KeyData(Vk, true));
  }
  void PostedKey() {
    HWND To = KeyTarget();
    WORD Vk = RandomKey();
    std::string Mods;
    WORD Modifier = RandomModifier(Mods);
    Announce("posted key " + std::to_string(Vk) + Mods);
    if (!To) return;
    std::optional<wintest::HeldKeys> Held;
    Hold(Held, Modifier);
    PostMessageA(To, WM_KEYDOWN, Vk, KeyData(Vk, false));
    PostMessageA(To, WM_KEYUP, Vk, KeyData(Vk, true));
    Pump(0);
  }
  void RealKey() {
    HWND Fore = GetForegroundWindow();
    if (Fore != T.Form->WindowHandle() && Fore != T.Other->WindowHandle()) return PostedKey();
    WORD Vk = RandomKey();
    Announce("input key " + std::to_string(Vk));
    InputKeyStroke(Vk);
    Pump(2);
  }
  void SentChar() {
    char Ch = FChars[static_cast<std::size_t>(Below(static_cast<int>(FChars.size())))];
    Announce(std::string("sent char '") + Ch + "'");
    if (HWND To = KeyTarget()) SendChar(To, Ch);
  }
  // Ctrl+A..Ctrl+Z as characters: copy, paste, cut and undo among them.
  void ControlChar() {
    static constexpr int kEditing[] = {3, 22, 24, 26};
    int Code = Chance(60) ? Pick(kEditing) : 1 + Below(31);
    Announce("sent control char " + std::to_string(Code));
    if (HWND To = KeyTarget()) {
      wintest::HeldKeys Hold{VK_CONTROL};
      SendMessageA(To, WM_CHAR, static_cast<WPARAM>(Code), KeyData(0, false));
    }
  }
  // Alt with another key: key-ups with and without the Alt context, in
  // either release order; now and then Alt alone, which opens the system
  // menu (the test ends it), or a character message with the Alt context.
  void AltChord() {
    static constexpr WORD kAltKeys[] = {VK_DOWN,  VK_DOWN,   VK_UP,     VK_UP,   VK_RETURN,
                                        VK_BACK,  'A',       'M',       '1',     VK_LEFT,
                                        VK_RIGHT, VK_ESCAPE, VK_DELETE, VK_PRIOR};
    HWND To = KeyTarget();
    WORD Vk = Pick(kAltKeys);
    int Shape = Below(20);
    Announce(std::string(Shape < 12   ? "Alt chord "
                         : Shape < 17 ? "Alt chord, Alt released first, "
                         : Shape < 19 ? "char with Alt context "
                                      : "lone Alt") +
             (Shape < 19 ? std::to_string(Vk) : std::string()));
    if (!To) return;
    auto Send = [&](UINT Msg, WORD Key, bool Up, bool Alt) {
      if (IsWindow(To)) SendMessageA(To, Msg, Key, KeyData(Key, Up, Alt));
    };
    if (Shape >= 17 && Shape < 19) {
      static constexpr WORD kCodes[] = {13, 27, 38, 40};
      Send(WM_CHAR, Pick(kCodes), false, true);
      return;
    }
    Send(WM_SYSKEYDOWN, VK_MENU, false, true);
    if (Shape == 19) {
      Send(WM_SYSKEYUP, VK_MENU, true, true);
      return;
    }
    Send(WM_SYSKEYDOWN, Vk, false, true);
    if (Shape < 12) {
      Send(WM_SYSKEYUP, Vk, true, true);
      Send(WM_KEYUP, VK_MENU, true, false);
    } else {
      Send(WM_KEYUP, VK_MENU, true, false);
      Send(WM_KEYUP, Vk, true, false);
    }
  }

  // ---- everything else ----

  void Scroll() {
    static constexpr WORD kCodes[] = {SB_LINEUP,   SB_LINEDOWN, SB_PAGEUP,
                                      SB_PAGEDOWN, SB_TOP,      SB_BOTTOM};
    int Kind = Below(3);
    HWND To = Kind == 0 ? KeyTarget() : Kind == 1 ? T.Grid->WindowHandle() : ListWnd();
    WORD Code = Pick(kCodes);
    Announce(Kind == 0   ? "wheel"
             : Kind == 1 ? "grid scroll " + std::to_string(Code)
                         : "list scroll " + std::to_string(Code));
    if (!Shown(To)) return;
    if (Kind == 0)
      SendMessageA(To, WM_MOUSEWHEEL, MAKEWPARAM(HeldKeys(), Chance(50) ? 120 : -120),
                   tk::PackPoint(FPointer.x, FPointer.y));
    else
      SendMessageA(To, Chance(80) ? WM_VSCROLL : WM_HSCROLL, Code, 0);
  }
  void MoveFocus() {
    int Kind = Below(10);
    if (Kind < 4) {
      Announce("focus to the memo");
      ::SetFocus(T.Memo->WindowHandle());
    } else if (Kind < 6) {
      Announce("focus to the other window");
      Activate(T.Other->WindowHandle());
      ::SetFocus(T.OtherMemo->WindowHandle());
    } else {
      Announce("back to the form");
      Activate(T.Form->WindowHandle());
    }
  }
  void CancelMode() {
    if (Chance(50)) {
      HWND To = GetCapture();
      if (!To) To = Chance(70) ? EditWnd() : ListWnd();
      Announce("WM_CANCELMODE");
      if (To) SendMessageA(To, WM_CANCELMODE, 0, 0);
      return;
    }
    tk::TControl* Senders[] = {nullptr, T.Grid, T.Memo, Editor(),
                               Editor() ? Editor()->PopupList() : nullptr};
    int Which = Below(5);
    Announce("CM_CANCELMODE from sender " + std::to_string(Which));
    T.Form->SendCancelMode(Senders[Which]);
  }
  void FillClipboard() {
    static const char* const kTexts[] = {"12",
                                         "-3",
                                         "1.5",
                                         "1,5",
                                         "abc",
                                         "12/31/2024",
                                         "3/4/21",
                                         "March",
                                         "99999999999",
                                         "  7  ",
                                         "1e5",
                                         "",
                                         "\r\n1\r\n",
                                         "0000000000000000000000042",
                                         "1234567890123456789012345678901234567890.5"};
    const char* Text = Pick(kTexts);
    Announce(std::string("clipboard '") + Text + "'");
    SetClipboardText(T.Form->WindowHandle(), Text);
  }
  // What an edit control's context menu would send.
  void EditCommand() {
    static constexpr UINT kCommands[] = {WM_PASTE, WM_PASTE, WM_CUT,  WM_COPY,
                                         WM_CLEAR, WM_UNDO,  EM_UNDO, EM_SETSEL};
    UINT Msg = Pick(kCommands);
    Announce("edit command " + std::to_string(Msg));
    if (HWND To = EditWnd())
      SendMessageA(To, Msg, Msg == EM_SETSEL ? static_cast<WPARAM>(Below(12)) : 0,
                   Msg == EM_SETSEL ? Below(12) : 0);
  }

  MonkeyRandom FRandom;
  MonkeyTargets T;
  MonkeyAim FAim;
  std::string FChars;
  std::string FWhat;
  bool FHeld[3] = {false, false, false};
  POINT FPointer{0, 0};
};

} // namespace wintest
