// Helpers for window tests: pumping the message queue, and keyboard and
// mouse input either as messages sent to a window (with realistic lParam)
// or as real input through the system's input queue.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace wintest {

// Handles every waiting message as the application's message loop does
// (dialog keys, then translation and dispatch), then keeps pumping for at
// least Milliseconds.
void Pump(int Milliseconds = 0);
// Pumps until Condition holds or TimeoutMs passes; returns whether it held.
template <class F> bool PumpUntil(F Condition, int TimeoutMs = 2000) {
  DWORD Start = GetTickCount();
  while (!Condition()) {
    if (GetTickCount() - Start > static_cast<DWORD>(TimeoutMs)) return false;
    Pump(5);
  }
  return true;
}

// lParam of a key message: repeat count 1, the key's scan code, the Alt
// context bit, and the previous-state and transition bits of a key-up.
LPARAM KeyData(WORD VirtualKey, bool KeyUp, bool Alt = false);

// Messages sent straight to a window, the way the system would deliver one
// keystroke: key-down, the character TranslateMessage would make, key-up.
void SendKey(HWND Wnd, WORD VirtualKey, bool Alt = false);
void SendChar(HWND Wnd, char Ch);
void SendText(HWND Wnd, std::string_view Text);

// Mouse messages sent straight to a window, in its client coordinates.
enum class Button { Left, Right, Middle };
void SendMouseDown(HWND Wnd, int X, int Y, Button B = Button::Left);
void SendMouseUp(HWND Wnd, int X, int Y, Button B = Button::Left);
void SendMouseMove(HWND Wnd, int X, int Y, WPARAM Keys = 0);
void SendClick(HWND Wnd, int X, int Y, Button B = Button::Left);

// Real input through the input queue (SendInput): reaches whichever window
// has the focus or lies under the pointer, then Pump delivers it.
void InputKey(WORD VirtualKey, bool Up);
void InputKeyStroke(WORD VirtualKey);
void InputText(std::string_view Text);
void InputMouseMoveScreen(int X, int Y);
void InputMouseButton(Button B, bool Up);
void InputClickScreen(int X, int Y, Button B = Button::Left);

// The text of a window as WM_GETTEXT reads it.
std::string WindowText(HWND Wnd);

// Brings a top-level window to the foreground so that real input reaches it.
void Activate(HWND TopLevel);

// Marks keys as held in this thread's keyboard state for its lifetime, so
// that GetKeyState sees Ctrl or Shift with sent key messages (which leave
// that state alone).
class HeldKeys {
public:
  explicit HeldKeys(std::initializer_list<WORD> Keys);
  ~HeldKeys();
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

private:
  BYTE Saved[256];
};

} // namespace wintest
