// Controls: components with a place on a parent, a size, a colour and a font,
// and the mouse hooks that subclasses override.
#pragma once

#include "toolkit/core/Component.h"
#include "toolkit/core/Events.h"
#include "toolkit/win/Graphics.h"
#include "toolkit/win/Messages.h"

#include <windows.h>

#include <cstdint>
#include <memory>

namespace tk {

class TWinControl;

enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };
enum TShiftFlag : std::uint16_t {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64
};
using TShiftState = std::uint16_t;
enum TBiDiMode : std::uint8_t { bdLeftToRight, bdRightToLeft };
enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TBorderStyle : std::uint8_t { bsNone, bsSingle };

using TMouseEvent = TMethod<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TMethod<TObject*, TShiftState, int, int>;
using TKeyEvent = TMethod<TObject*, WORD&, TShiftState>;
using TKeyPressEvent = TMethod<TObject*, char&>;

// The shift state of a keyboard message: Alt from the context bit of lParam,
// Shift and Ctrl from the keyboard state at that moment.
TShiftState KeyDataToShiftState(LPARAM KeyData);
// The shift state of a mouse message's wParam.
TShiftState MouseKeysToShiftState(WPARAM Keys);

// A colour stored in a layout: a number or an identifier such as clBtnFace.
TColor LayoutColor(const TLayoutValue& Value, TLayoutBinder& Binder);

class TControl : public TComponent {
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  std::string_view ClassName() const override { return "TControl"; }

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* Value);
  void SetParentComponent(TComponent* Value) override;

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  RECT BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  virtual RECT ClientRect() const;
  int ClientWidth() const;
  int ClientHeight() const;
  virtual void SetClientWidth(int Value);
  POINT ClientToScreen(POINT P) const;
  POINT ScreenToClient(POINT P) const;

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  TColor Color() const { return FColor; }
  virtual void SetColor(TColor Value);
  TFont& Font() { return *FFont; }
  const TFont& Font() const { return *FFont; }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value) { FBiDiMode = Value; }
  // True when the system supports right-to-left languages and this control
  // is laid out right to left.
  virtual bool UseRightToLeftAlignment() const;
  virtual bool UseRightToLeftReading() const;

  virtual void Invalidate() = 0;
  virtual void Update() = 0;
  void Repaint();

  bool MouseCapture() const;
  void SetMouseCapture(bool Value);

  // The control's window, for controls that have one; 0 otherwise.
  virtual HWND WindowHandle() const { return nullptr; }

  bool SetPublishedProperty(std::string_view Name, const TLayoutValue& Value,
                            TLayoutBinder& Binder) override;

  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;

protected:
  // Mouse hooks: called after the native processing of the message. The
  // inherited versions raise the matching events.
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void Click();
  virtual void DblClick();

  virtual void FontChanged();
  virtual void BoundsChanging() {}
  // Tells the parent's alignment that this control's bounds or alignment changed.
  void RequestAlign();

  // Handling of the toolkit's cancel-mode notification before a press.
  void SendCancelMode();

  friend class TWinControl;

private:
  void ParentFontChanged();

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  bool FVisible = true;
  bool FEnabled = true;
  bool FParentFont = true;
  TColor FColor = clWindow;
  TBiDiMode FBiDiMode = bdLeftToRight;
  std::unique_ptr<TFont> FFont;
};

} // namespace tk
