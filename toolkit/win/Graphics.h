// Colours, fonts and a minimal canvas over GDI.
#pragma once

#include "toolkit/core/Events.h"
#include "toolkit/core/Object.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace tk {

// An RGB value, or a system colour as 0x80000000 | COLOR_xxx.
using TColor = std::int32_t;
inline constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
inline constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
inline constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
inline constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
inline constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
inline constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
inline constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
inline constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;

COLORREF ColorToRGB(TColor Color);
// Identifier of a stored layout (clBtnFace, clWindow, ...) to a colour; false if unknown.
bool IdentToColor(const std::string& Ident, TColor& Color);

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;

class TFont : public TObject {
public:
  TFont() = default;
  ~TFont() override;
  std::string_view ClassName() const override { return "TFont"; }

  const std::string& Name() const { return FName; }
  void SetName(std::string Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  int Charset() const { return FCharset; }
  void SetCharset(int Value);
  void Assign(const TFont& Source);

  // The GDI font, created on first use and re-created after a change.
  HFONT Handle() const;
  TNotifyEvent OnChange;

private:
  void Changed();
  std::string FName = "MS Sans Serif";
  int FHeight = -11;
  TColor FColor = clWindowText;
  TFontStyles FStyle = 0;
  int FCharset = DEFAULT_CHARSET;
  mutable HFONT FHandle = nullptr;
};

// A device context with a selected font. A canvas that owns no DC takes a
// screen-compatible one on demand, which is enough for measuring text.
class TCanvas : public TObject {
public:
  TCanvas() = default;
  ~TCanvas() override;
  std::string_view ClassName() const override { return "TCanvas"; }

  TFont& Font() { return FFont; }
  HDC Handle();
  void SetHandle(HDC DC);
  int TextWidth(const std::string& Text);
  int TextHeight(const std::string& Text);

private:
  TFont FFont;
  HDC FDC = nullptr;
  bool FOwnsDC = false;
  HGDIOBJ FOldFont = nullptr;
};

} // namespace tk
