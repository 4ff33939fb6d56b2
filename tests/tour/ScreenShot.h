// A copy of what the screen shows in a rectangle, with pixel access for
// checks and PNG output for people to look at.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tour {

class ScreenShot {
public:
  // Area in screen coordinates; the part outside the screen is dropped.
  static ScreenShot Capture(RECT Area);

  const RECT& Area() const { return FArea; }
  // The colour at a point in screen coordinates inside Area.
  COLORREF At(int X, int Y) const;
  bool SavePng(const std::string& Path) const;

private:
  RECT FArea{};
  int FWidth = 0;
  int FHeight = 0;
  std::vector<std::uint8_t> FRgb; // rows top to bottom, three bytes a pixel
};

} // namespace tour
