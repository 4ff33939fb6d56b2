#include "WinTest.h"

#include "toolkit/win/Application.h"

#include <vector>

namespace wintest {

void Pump(int Milliseconds) {
  DWORD Start = GetTickCount();
  for (;;) {
    MSG Msg;
    // Through the application, as its message loop would: dialog keys first.
    while (PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE))
      tk::Application->HandleMessage(Msg);
    if (GetTickCount() - Start >= static_cast<DWORD>(Milliseconds)) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

LPARAM KeyData(WORD VirtualKey, bool KeyUp, bool Alt) {
  UINT Scan = MapVirtualKeyA(VirtualKey, MAPVK_VK_TO_VSC);
  std::uint32_t Data = 1u | (Scan << 16);
  if (Alt) Data |= 1u << 29;
  if (KeyUp) Data |= (1u << 30) | (1u << 31);
  return static_cast<LPARAM>(Data);
}

void SendKey(HWND Wnd, WORD VirtualKey, bool Alt) {
  UINT Down = Alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
  UINT Up = Alt ? WM_SYSKEYUP : WM_KEYUP;
  SendMessageA(Wnd, Down, VirtualKey, KeyData(VirtualKey, false, Alt));
  if (!Alt && (VirtualKey == VK_RETURN || VirtualKey == VK_ESCAPE || VirtualKey == VK_BACK))
    SendMessageA(Wnd, WM_CHAR,
                 VirtualKey == VK_RETURN   ? 13
                 : VirtualKey == VK_ESCAPE ? 27
                                           : 8,
                 KeyData(VirtualKey, false));
  SendMessageA(Wnd, Up, VirtualKey, KeyData(VirtualKey, true, Alt));
}

void SendChar(HWND Wnd, char Ch) {
  SHORT Scan = VkKeyScanA(Ch);
  WORD Vk = Scan == -1 ? 0 : static_cast<WORD>(Scan & 0xFF);
  if (Vk) SendMessageA(Wnd, WM_KEYDOWN, Vk, KeyData(Vk, false));
  SendMessageA(Wnd, WM_CHAR, static_cast<unsigned char>(Ch), KeyData(Vk, false));
  if (Vk) SendMessageA(Wnd, WM_KEYUP, Vk, KeyData(Vk, true));
}

void SendText(HWND Wnd, std::string_view Text) {
  for (char C : Text)
    SendChar(Wnd, C);
}

namespace {
UINT DownMessage(Button B) {
  return B == Button::Left ? WM_LBUTTONDOWN : B == Button::Right ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
}
UINT UpMessage(Button B) {
  return B == Button::Left ? WM_LBUTTONUP : B == Button::Right ? WM_RBUTTONUP : WM_MBUTTONUP;
}
WPARAM ButtonKey(Button B) {
  return B == Button::Left ? MK_LBUTTON : B == Button::Right ? MK_RBUTTON : MK_MBUTTON;
}
LPARAM Point(int X, int Y) {
  return static_cast<LPARAM>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(Y)) << 16) |
                             static_cast<std::uint16_t>(X));
}
} // namespace

void SendMouseDown(HWND Wnd, int X, int Y, Button B) {
  SendMessageA(Wnd, DownMessage(B), ButtonKey(B), Point(X, Y));
}
void SendMouseUp(HWND Wnd, int X, int Y, Button B) {
  SendMessageA(Wnd, UpMessage(B), 0, Point(X, Y));
}
void SendMouseMove(HWND Wnd, int X, int Y, WPARAM Keys) {
  SendMessageA(Wnd, WM_MOUSEMOVE, Keys, Point(X, Y));
}
void SendClick(HWND Wnd, int X, int Y, Button B) {
  SendMouseDown(Wnd, X, Y, B);
  SendMouseUp(Wnd, X, Y, B);
}

void InputKey(WORD VirtualKey, bool Up) {
  INPUT In{};
  In.type = INPUT_KEYBOARD;
  In.ki.wVk = VirtualKey;
  In.ki.wScan = static_cast<WORD>(MapVirtualKeyA(VirtualKey, MAPVK_VK_TO_VSC));
  In.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &In, sizeof In);
}

void InputKeyStroke(WORD VirtualKey) {
  InputKey(VirtualKey, false);
  InputKey(VirtualKey, true);
}

void InputText(std::string_view Text) {
  for (char C : Text) {
    SHORT Scan = VkKeyScanA(C);
    if (Scan == -1) continue;
    bool Shift = (Scan & 0x100) != 0;
    if (Shift) InputKey(VK_SHIFT, false);
    InputKeyStroke(static_cast<WORD>(Scan & 0xFF));
    if (Shift) InputKey(VK_SHIFT, true);
  }
}

void InputMouseMoveScreen(int X, int Y) {
  INPUT In{};
  In.type = INPUT_MOUSE;
  In.mi.dx = MulDiv(X, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  In.mi.dy = MulDiv(Y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  In.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &In, sizeof In);
}

void InputMouseButton(Button B, bool Up) {
  INPUT In{};
  In.type = INPUT_MOUSE;
  if (B == Button::Left)
    In.mi.dwFlags = Up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
  else if (B == Button::Right)
    In.mi.dwFlags = Up ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_RIGHTDOWN;
  else
    In.mi.dwFlags = Up ? MOUSEEVENTF_MIDDLEUP : MOUSEEVENTF_MIDDLEDOWN;
  SendInput(1, &In, sizeof In);
}

void InputClickScreen(int X, int Y, Button B) {
  InputMouseMoveScreen(X, Y);
  InputMouseButton(B, false);
  InputMouseButton(B, true);
}

std::string WindowText(HWND Wnd) {
  int Length = static_cast<int>(SendMessageA(Wnd, WM_GETTEXTLENGTH, 0, 0));
  std::vector<char> Buffer(static_cast<std::size_t>(Length) + 1);
  SendMessageA(Wnd, WM_GETTEXT, Buffer.size(), reinterpret_cast<LPARAM>(Buffer.data()));
  return std::string(Buffer.data(), static_cast<std::size_t>(Length));
}

void Activate(HWND TopLevel) {
  ShowWindow(TopLevel, SW_SHOW);
  SetForegroundWindow(TopLevel);
  SetActiveWindow(TopLevel);
  Pump(50);
}

HeldKeys::HeldKeys(std::initializer_list<WORD> Keys) {
  GetKeyboardState(Saved);
  BYTE State[256];
  GetKeyboardState(State);
  for (WORD Key : Keys)
    State[Key] |= 0x80;
  SetKeyboardState(State);
}

HeldKeys::~HeldKeys() {
  SetKeyboardState(Saved);
}

} // namespace wintest
