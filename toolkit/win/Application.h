// The application object: creates the forms, runs the message loop, and
// handles exceptions that event handlers let escape.
#pragma once

#include "toolkit/core/Component.h"
#include "toolkit/core/Events.h"

#include <windows.h>

#include <exception>
#include <string>

namespace tk {

class TCustomForm;

using TExceptionEvent = TMethod<TObject*, const std::exception&>;

class TApplication : public TComponent {
public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;
  std::string_view ClassName() const override { return "TApplication"; }

  void Initialize();
  // Creates a form owned by the application; the first becomes the main form.
  template <class T> void CreateForm(T*& Reference) {
    Reference = new T(this);
    if (!FMainForm) FMainForm = Reference;
  }
  TCustomForm* MainForm() const { return FMainForm; }
  // Shows the main form and runs the message loop until it closes.
  void Run();
  // Handles the messages waiting in the queue, then returns.
  void ProcessMessages();
  // Handles one message; false when the queue was empty.
  bool HandleMessage(const MSG& Msg);
  void Terminate();
  bool Terminated() const { return FTerminated; }

  HICON Icon();
  const std::string& Title() const { return FTitle; }

  // Called where an exception stops at a window-procedure boundary: the
  // OnException handler if assigned, else a message box with its text.
  void HandleException(TObject* Sender, std::exception_ptr Error);
  void ShowException(const std::exception& E);
  TExceptionEvent OnException;

  // Form bookkeeping.
  void FormClosed(TCustomForm* Form);
  void FormDestroyed(TCustomForm* Form);

private:
  bool IsDialogKey(const MSG& Msg);

  TCustomForm* FMainForm = nullptr;
  bool FTerminated = false;
  HICON FIcon = nullptr;
  bool FIconLoaded = false;
  std::string FTitle;
};

// The one application object of the program.
extern TApplication* Application;

} // namespace tk
