// Input-method support for systems with double-byte character sets: where
// the composition window goes, and the keyboard layout the program started
// with.
#pragma once

#include "toolkit/win/Graphics.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace tk {

// How a control wants the input method when it takes the focus.
enum TImeMode : std::uint8_t {
  imDisable,
  imClose,
  imOpen,
  imDontCare,
  imSAlpha,
  imAlpha,
  imHira,
  imSKata,
  imKata,
  imChinese,
  imSHanguel,
  imHanguel
};

// Places the composition window of Wnd's input context at its client point
// (X, Y) and gives it Font. Does nothing, and answers false, when the window
// has no input context.
bool SetImeCompositionWindow(HWND Wnd, const TFont& Font, int X, int Y);

// The keyboard layout that was active when the program started.
HKL DefaultKeyboardLayout();
// The description of that layout when it is an input method, else empty.
std::string DefaultImeName();

} // namespace tk
