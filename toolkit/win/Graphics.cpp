#include "toolkit/win/Graphics.h"

#include <utility>

namespace tk {

COLORREF ColorToRGB(TColor Color) {
  if (Color & clSystemColor) return GetSysColor(Color & 0xFF);
  return static_cast<COLORREF>(Color);
}

bool IdentToColor(const std::string& Ident, TColor& Color) {
  static const std::pair<const char*, TColor> Table[] = {
      {"clBtnFace", clBtnFace},
      {"clWindow", clWindow},
      {"clWindowText", clWindowText},
      {"clBtnText", clBtnText},
      {"clHighlight", clHighlight},
      {"clHighlightText", clHighlightText},
      {"clBtnShadow", clBtnShadow},
      {"clBlack", clBlack},
      {"clWhite", clWhite},
      {"clRed", 0x0000FF},
      {"clGreen", 0x008000},
      {"clBlue", 0xFF0000},
      {"clYellow", 0x00FFFF},
      {"clGray", 0x808080},
      {"clSilver", 0xC0C0C0},
      {"clNavy", 0x800000},
      {"clInfoBk", clSystemColor | COLOR_INFOBK},
  };
  for (const auto& [Name, Value] : Table)
    if (Ident == Name) {
      Color = Value;
      return true;
    }
  return false;
}

TFont::~TFont() {
  if (FHandle) DeleteObject(FHandle);
}

void TFont::SetName(std::string Value) {
  if (Value == FName) return;
  FName = std::move(Value);
  Changed();
}

void TFont::SetHeight(int Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  Changed();
}

void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TFont::SetCharset(int Value) {
  if (Value == FCharset) return;
  FCharset = Value;
  Changed();
}

void TFont::Assign(const TFont& Source) {
  if (&Source == this) return;
  FName = Source.FName;
  FHeight = Source.FHeight;
  FColor = Source.FColor;
  FStyle = Source.FStyle;
  FCharset = Source.FCharset;
  Changed();
}

HFONT TFont::Handle() const {
  if (!FHandle)
    FHandle = CreateFontA(FHeight, 0, 0, 0, (FStyle & fsBold) ? FW_BOLD : FW_NORMAL,
                          (FStyle & fsItalic) != 0, (FStyle & fsUnderline) != 0,
                          (FStyle & fsStrikeOut) != 0, static_cast<BYTE>(FCharset),
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, FName.c_str());
  return FHandle;
}

void TFont::Changed() {
  if (FHandle) {
    DeleteObject(FHandle);
    FHandle = nullptr;
  }
  if (OnChange) OnChange(this);
}

TCanvas::~TCanvas() {
  SetHandle(nullptr);
}

HDC TCanvas::Handle() {
  if (!FDC) {
    FDC = CreateCompatibleDC(nullptr);
    FOwnsDC = true;
  }
  if (!FOldFont)
    FOldFont = SelectObject(FDC, FFont.Handle());
  else
    SelectObject(FDC, FFont.Handle());
  return FDC;
}

void TCanvas::SetHandle(HDC DC) {
  if (FDC && FOldFont) SelectObject(FDC, FOldFont);
  FOldFont = nullptr;
  if (FDC && FOwnsDC) DeleteDC(FDC);
  FDC = DC;
  FOwnsDC = false;
}

int TCanvas::TextWidth(const std::string& Text) {
  SIZE Size{};
  GetTextExtentPoint32A(Handle(), Text.c_str(), static_cast<int>(Text.size()), &Size);
  return Size.cx;
}

int TCanvas::TextHeight(const std::string& Text) {
  SIZE Size{};
  GetTextExtentPoint32A(Handle(), Text.c_str(), static_cast<int>(Text.size()), &Size);
  return Size.cy;
}

} // namespace tk
