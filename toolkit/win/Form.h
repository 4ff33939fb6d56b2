// Forms: top-level windows whose controls come from a stored layout.
#pragma once

#include "toolkit/win/WinControl.h"

#include <string>
#include <string_view>

namespace tk {

enum TPosition : std::uint8_t { poDesigned, poScreenCenter };

class TCustomForm : public TWinControl {
public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;
  std::string_view ClassName() const override { return "TCustomForm"; }

  const std::string& Caption() const { return FCaption; }
  void SetCaption(std::string Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  int PixelsPerInch() const { return FPixelsPerInch; }
  int TextHeight() const { return FTextHeight; }
  RECT ClientRect() const override;

  void Show();
  void Close();
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);
  // Moves the focus to the next (or previous) control in tab order.
  void SelectNext(TWinControl* Current, bool Forward);

  // The toolkit's cancel-mode notification: sent to the active control
  // before a mouse press (Sender pressed on) or a menu (Sender null).
  void SendCancelMode(TControl* Sender);
  // Called by a child control that received the keyboard focus.
  void FocusChanged(TWinControl* Control);
  // Called by a control that goes away, so the form forgets it.
  void ControlDestroying(TWinControl* Control);

  bool SetPublishedProperty(std::string_view Name, const TLayoutValue& Value,
                            TLayoutBinder& Binder) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;

protected:
  // Reads the layout from the RCDATA resource named after the class (upper
  // case), scales it to the running system's text height and runs OnCreate.
  void LoadLayout();
  // The same from a layout text, for forms built without a resource.
  void LoadLayoutFromText(std::string_view ResourceName, std::string_view Text);

  void CreateParams(TCreateParams& Params) override;
  void CreateHandleDone() override;
  void Dispatch(TMessage& Message) override;
  void WMEraseBkgnd(TMessage& Message) override;
  void WMNCButtonDown(TMessage& Message) override;

private:
  void ScaleToTextHeight();
  int MeasuredTextHeight();
  void FocusFirstControl();

  std::string FCaption;
  TPosition FPosition = poDesigned;
  int FPixelsPerInch = 96;
  int FTextHeight = 0;
  bool FOldCreateOrder = false;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  bool FShownOnce = false;
};

class TForm : public TCustomForm {
public:
  using TCustomForm::TCustomForm;
  std::string_view ClassName() const override { return "TForm"; }
};

// The form a control sits on, or null.
TCustomForm* GetParentForm(TControl* Control);

} // namespace tk
