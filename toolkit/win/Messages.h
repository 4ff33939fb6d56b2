// Window messages as the toolkit passes them around, and the toolkit's own
// notification numbers.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tk {

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

// Signed 16-bit client coordinates packed into lParam, as mouse messages carry them.
inline int LoWordSigned(LPARAM L) {
  return static_cast<std::int16_t>(L & 0xFFFF);
}
inline int HiWordSigned(LPARAM L) {
  return static_cast<std::int16_t>((L >> 16) & 0xFFFF);
}
inline LPARAM PackPoint(int X, int Y) {
  return static_cast<LPARAM>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(Y)) << 16) |
                             static_cast<std::uint16_t>(X));
}

// Toolkit notifications.
inline constexpr UINT CM_BASE = 0xB000;
// Sent to the form's active control before a mouse press takes effect, so
// that anything tracking the mouse or showing a drop-down can cancel;
// lParam is the control pressed on (a TControl*), or 0 for a menu or
// system command.
inline constexpr UINT CM_CANCELMODE = CM_BASE + 4;

} // namespace tk
