// Keyboard and mouse input through the system's input queue (SendInput), as
// a user at the keyboard and the mouse makes it: it reaches whichever window
// lies under the pointer or has the keyboard focus, whatever process owns it.
#pragma once

#include <windows.h>

#include <string_view>

namespace tour {

// Puts the pointer on a point in screen coordinates.
void MovePointer(POINT Screen);
// A left click. It first waits out the double-click time since the previous
// click, wherever that was: a click on the grid followed quickly by one on the
// cell editor it placed counts as a double click too.
void Click(POINT Screen);
// A left click that waits only when it would otherwise pair with the
// previous one by the system's rule (close in place and time), for clicks
// that no window turns into a double click on its own.
void ClickSoon(POINT Screen);
void DoubleClick(POINT Screen);

void PressKey(WORD VirtualKey);
// Holds Modifier (VK_MENU, VK_SHIFT, VK_CONTROL) down around one keystroke.
void PressKeyWith(WORD Modifier, WORD VirtualKey);
// Types printable text key by key, with Shift where the keyboard layout
// needs it.
void TypeText(std::string_view Text);

} // namespace tour
