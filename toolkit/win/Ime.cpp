#include "toolkit/win/Ime.h"

#include <imm.h>

namespace tk {

namespace {
// Read during start-up, before anything can switch the layout.
const HKL gStartLayout = GetKeyboardLayout(0);
} // namespace

bool SetImeCompositionWindow(HWND Wnd, const TFont& Font, int X, int Y) {
  HIMC Imc = Wnd ? ImmGetContext(Wnd) : nullptr;
  if (!Imc) return false;
  LOGFONTA LogFont{};
  if (GetObjectA(Font.Handle(), sizeof LogFont, &LogFont)) ImmSetCompositionFontA(Imc, &LogFont);
  COMPOSITIONFORM Form{};
  Form.dwStyle = CFS_POINT;
  Form.ptCurrentPos = POINT{X, Y};
  ImmSetCompositionWindow(Imc, &Form);
  ImmReleaseContext(Wnd, Imc);
  return true;
}

HKL DefaultKeyboardLayout() {
  return gStartLayout;
}

std::string DefaultImeName() {
  HKL Layout = DefaultKeyboardLayout();
  if (!ImmIsIME(Layout)) return {};
  char Buffer[256] = {};
  UINT Length = ImmGetDescriptionA(Layout, Buffer, sizeof Buffer);
  return std::string(Buffer, Length < sizeof Buffer ? Length : 0);
}

} // namespace tk
