#include "RealInput.h"

#include <cstdlib>

namespace tour {
namespace {

// Where and when the last click happened, to keep separate clicks apart.
POINT gLastClickAt{-1000, -1000};
DWORD gLastClickTime = 0;

void Send(INPUT& In) {
  SendInput(1, &In, sizeof In);
  // Lets the receiving side see each event on its own, as a hand would.
  Sleep(10);
}

void Button(bool Up) {
  INPUT In{};
  In.type = INPUT_MOUSE;
  In.mi.dwFlags = Up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
  Send(In);
}

bool IsExtendedKey(WORD VirtualKey) {
  switch (VirtualKey) {
  case VK_UP:
  case VK_DOWN:
  case VK_LEFT:
  case VK_RIGHT:
  case VK_HOME:
  case VK_END:
  case VK_PRIOR:
  case VK_NEXT:
  case VK_INSERT:
  case VK_DELETE:
    return true;
  default:
    return false;
  }
}

void Key(WORD VirtualKey, bool Up) {
  INPUT In{};
  In.type = INPUT_KEYBOARD;
  In.ki.wVk = VirtualKey;
  In.ki.wScan = static_cast<WORD>(MapVirtualKeyA(VirtualKey, MAPVK_VK_TO_VSC));
  In.ki.dwFlags =
      (Up ? KEYEVENTF_KEYUP : 0u) | (IsExtendedKey(VirtualKey) ? KEYEVENTF_EXTENDEDKEY : 0u);
  Send(In);
}

void WaitOutDoubleClick() {
  DWORD Since = GetTickCount() - gLastClickTime;
  DWORD Needed = GetDoubleClickTime() + 50;
  if (Since < Needed) Sleep(Needed - Since);
}

bool NearLastClick(POINT Screen) {
  return std::abs(Screen.x - gLastClickAt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
         std::abs(Screen.y - gLastClickAt.y) <= GetSystemMetrics(SM_CYDOUBLECLK);
}

void ClickAt(POINT Screen, int Presses) {
  MovePointer(Screen);
  for (int Press = 0; Press < Presses; ++Press) {
    Button(false);
    Button(true);
  }
  gLastClickAt = Screen;
  gLastClickTime = GetTickCount();
}

} // namespace

void MovePointer(POINT Screen) {
  // Absolute coordinates run from 0 to 65536 across the screen; rounding up
  // makes the system's scaling land on the pixel meant.
  int Width = GetSystemMetrics(SM_CXSCREEN);
  int Height = GetSystemMetrics(SM_CYSCREEN);
  INPUT In{};
  In.type = INPUT_MOUSE;
  In.mi.dx = static_cast<LONG>((static_cast<long long>(Screen.x) * 65536 + Width - 1) / Width);
  In.mi.dy = static_cast<LONG>((static_cast<long long>(Screen.y) * 65536 + Height - 1) / Height);
  In.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  Send(In);
}

void Click(POINT Screen) {
  WaitOutDoubleClick();
  ClickAt(Screen, 1);
}

void ClickSoon(POINT Screen) {
  if (NearLastClick(Screen)) WaitOutDoubleClick();
  ClickAt(Screen, 1);
}

void DoubleClick(POINT Screen) {
  WaitOutDoubleClick();
  ClickAt(Screen, 2);
}

void PressKey(WORD VirtualKey) {
  Key(VirtualKey, false);
  Key(VirtualKey, true);
}

void PressKeyWith(WORD Modifier, WORD VirtualKey) {
  Key(Modifier, false);
  PressKey(VirtualKey);
  Key(Modifier, true);
}

void TypeText(std::string_view Text) {
  for (char Ch : Text) {
    SHORT Scan = VkKeyScanA(Ch);
    if (Scan == -1) continue;
    WORD VirtualKey = static_cast<WORD>(Scan & 0xFF);
    if (Scan & 0x100)
      PressKeyWith(VK_SHIFT, VirtualKey);
    else
      PressKey(VirtualKey);
  }
}

} // namespace tour
