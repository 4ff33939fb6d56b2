// Windowed controls: a Win32 window created on demand from overridable
// creation parameters, message dispatch through an overridable WndProc,
// child controls with alignment, focus, and keyboard hooks.
#pragma once

#include "toolkit/win/Control.h"

#include <string>
#include <vector>

namespace tk {

struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  UINT ClassStyle = CS_DBLCLKS;
  HBRUSH Background = nullptr;
  HCURSOR Cursor = nullptr;
  // The toolkit's window class name for this control.
  std::string WinClassName;
  // A system class (EDIT, LISTBOX) that the window class extends; its window
  // procedure is the default processing of every message.
  std::string SystemClassName;
};

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  std::string_view ClassName() const override { return "TWinControl"; }

  HWND Handle(); // creates the window when it has none yet
  HWND WindowHandle() const override { return FHandle; }
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded() { (void)Handle(); }
  void RecreateWnd();

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int Index) const { return FControls.at(Index); }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  RECT ClientRect() const override;
  void SetVisible(bool Value) override;
  void SetColor(TColor Value) override;
  void Invalidate() override;
  void Update() override;
  bool Showing() const;

  // Focus and tab order.
  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  int TabOrder() const { return FTabOrder; }
  void SetTabOrder(int Value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value) { FTabStop = Value; }
  // The control the form counts as active while this one has the focus (an
  // in-place editor answers its grid).
  virtual TWinControl* FocusedControlForForm() { return this; }
  // Whether this control takes the given key itself rather than leaving it
  // to the form's dialog-key handling (Tab, Enter, Escape).
  virtual bool WantsDialogKey(WORD Key) const;

  // Every message of the window passes through here first.
  virtual void WndProc(TMessage& Message);
  // The processing a message gets when nothing handles it: the system
  // class's window procedure, or the default window procedure.
  virtual void DefaultHandler(TMessage& Message);
  LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);

  bool SetPublishedProperty(std::string_view Name, const TLayoutValue& Value,
                            TLayoutBinder& Binder) override;

  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

protected:
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  // Called once the window exists: fonts, texts and child windows.
  virtual void CreateHandleDone() {}
  virtual void AlignControls();
  void InsertControl(TControl* Control);
  void RemoveControl(TControl* Control);
  void FontChanged() override;

  // Keyboard hooks; the inherited versions raise the events.
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  virtual void KeyUp(WORD& Key, TShiftState Shift);

  // Painting: PaintHandler begins painting when the message brings no DC,
  // calls PaintWindow, and ends painting.
  void PaintHandler(TMessage& Message);
  virtual void PaintWindow(HDC DC);

  // Message handlers, chosen by message number in WndProc's dispatch.
  virtual void Dispatch(TMessage& Message);
  virtual void WMPaint(TMessage& Message);
  virtual void WMSize(TMessage& Message);
  virtual void WMSetFocus(TMessage& Message);
  virtual void WMKillFocus(TMessage& Message);
  virtual void WMSetCursor(TMessage& Message);
  virtual void WMCancelMode(TMessage& Message);
  virtual void CMCancelMode(TMessage& Message);
  virtual void WMKeyDown(TMessage& Message);
  virtual void WMKeyUp(TMessage& Message);
  virtual void WMChar(TMessage& Message);
  virtual void WMMouseButton(TMessage& Message);
  virtual void WMLButtonDblClk(TMessage& Message);
  virtual void WMMouseMove(TMessage& Message);
  virtual void WMNCButtonDown(TMessage& Message);
  virtual void WMEraseBkgnd(TMessage& Message);
  virtual void WMCommand(TMessage& Message);
  virtual void WMGetDlgCode(TMessage& Message);

  HBRUSH BackgroundBrush();

  friend class TControl;
  friend LRESULT CALLBACK ToolkitWindowProc(HWND, UINT, WPARAM, LPARAM);

private:
  void AttachHandle(HWND Wnd);
  void DetachHandle();
  void UpdateBoundsFromWindow();

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = nullptr;
  std::vector<TControl*> FControls;
  int FTabOrder = -1;
  bool FTabStop = true;
  bool FAligning = false;
  HBRUSH FBrush = nullptr;
  TColor FBrushColor = 0;
};

// The toolkit control that owns a window, or null.
TWinControl* FindControl(HWND Wnd);

} // namespace tk
