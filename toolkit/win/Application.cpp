#include "toolkit/win/Application.h"

#include "toolkit/core/Exceptions.h"
#include "toolkit/win/Form.h"

#include <memory>

namespace tk {

namespace {
std::unique_ptr<TApplication> gApplication = std::make_unique<TApplication>(nullptr);

std::string ModuleTitle() {
  char Path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, Path, MAX_PATH);
  std::string Name(Path);
  if (auto Slash = Name.find_last_of("\\/"); Slash != std::string::npos) Name.erase(0, Slash + 1);
  if (auto Dot = Name.rfind('.'); Dot != std::string::npos) Name.erase(Dot);
  return Name;
}
} // namespace

TApplication* Application = gApplication.get();

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), FTitle(ModuleTitle()) {}

TApplication::~TApplication() {
  // The forms go first, while they can still reach the application.
  while (ComponentCount() > 0)
    delete Components(ComponentCount() - 1);
  FMainForm = nullptr;
  if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {}

HICON TApplication::Icon() {
  if (!FIconLoaded) {
    FIconLoaded = true;
    FIcon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  }
  return FIcon;
}

void TApplication::Run() {
  if (!FMainForm) return;
  FMainForm->Show();
  MSG Msg;
  while (!FTerminated) {
    BOOL Got = GetMessageA(&Msg, nullptr, 0, 0);
    if (Got <= 0) break;
    HandleMessage(Msg);
  }
  FTerminated = true;
}

void TApplication::ProcessMessages() {
  MSG Msg;
  while (PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) {
    if (Msg.message == WM_QUIT) {
      FTerminated = true;
      break;
    }
    HandleMessage(Msg);
  }
}

bool TApplication::HandleMessage(const MSG& Msg) {
  if (IsDialogKey(Msg)) return true;
  TranslateMessage(&Msg);
  DispatchMessageA(&Msg);
  return true;
}

// Tab moves between the controls of a form unless the focused control takes
// it itself. Enter and Escape would go to a default or cancel button; with
// none on a form they reach the focused control.
bool TApplication::IsDialogKey(const MSG& Msg) {
  if (Msg.message != WM_KEYDOWN || Msg.wParam != VK_TAB) return false;
  TWinControl* Target = FindControl(Msg.hwnd);
  if (!Target || Target->WantsDialogKey(VK_TAB)) return false;
  if ((GetKeyState(VK_CONTROL) < 0) || (GetKeyState(VK_MENU) < 0)) return false;
  TCustomForm* Form = GetParentForm(Target);
  if (!Form) return false;
  TWinControl* Current = Target->FocusedControlForForm();
  Form->SelectNext(Current, GetKeyState(VK_SHIFT) >= 0);
  return true;
}

void TApplication::Terminate() {
  FTerminated = true;
  PostQuitMessage(0);
}

void TApplication::HandleException(TObject* Sender, std::exception_ptr Error) {
  try {
    std::rethrow_exception(Error);
  } catch (const std::exception& E) {
    if (OnException)
      OnException(Sender, E);
    else
      ShowException(E);
  } catch (...) {
    Exception E("An unknown exception was raised.");
    if (OnException)
      OnException(Sender, E);
    else
      ShowException(E);
  }
}

void TApplication::ShowException(const std::exception& E) {
  std::string Text = E.what();
  if (!Text.empty() && Text.back() != '.') Text += '.';
  HWND Owner = FMainForm ? FMainForm->WindowHandle() : nullptr;
  MessageBoxA(Owner, Text.c_str(), FTitle.c_str(), MB_OK | MB_ICONSTOP);
}

void TApplication::FormClosed(TCustomForm* Form) {
  if (Form == FMainForm)
    Terminate();
  else if (Form->WindowHandle())
    ShowWindow(Form->WindowHandle(), SW_HIDE);
}

void TApplication::FormDestroyed(TCustomForm* Form) {
  if (Form == FMainForm) FMainForm = nullptr;
}

} // namespace tk
