#include "toolkit/win/Dialogs.h"

#include <windows.h>

namespace tk {

namespace {

thread_local HHOOK gCentreHook = nullptr;

// Moves the message box to the centre of the screen as it is activated.
LRESULT CALLBACK CentreOnScreen(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HCBT_ACTIVATE) {
    HWND Box = reinterpret_cast<HWND>(WParam);
    RECT R;
    GetWindowRect(Box, &R);
    int W = R.right - R.left, H = R.bottom - R.top;
    SetWindowPos(Box, nullptr, (GetSystemMetrics(SM_CXSCREEN) - W) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - H) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UnhookWindowsHookEx(gCentreHook);
    gCentreHook = nullptr;
  }
  return CallNextHookEx(nullptr, Code, WParam, LParam);
}

} // namespace

int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int) {
  static const char* const Captions[] = {"Warning", "Error", "Information", "Confirm", ""};
  static const UINT Icons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION,
                               0};
  UINT Type = Icons[DlgType] | MB_DEFBUTTON1;
  bool HasCancel = (Buttons & mbCancel) != 0;
  if ((Buttons & mbYes) && (Buttons & mbNo))
    Type |= HasCancel ? MB_YESNOCANCEL : MB_YESNO;
  else if ((Buttons & mbOK) && HasCancel)
    Type |= MB_OKCANCEL;
  else
    Type |= MB_OK;

  HWND Owner = GetActiveWindow();
  gCentreHook = SetWindowsHookExA(WH_CBT, CentreOnScreen, nullptr, GetCurrentThreadId());
  int Result = MessageBoxA(Owner, Msg.c_str(), Captions[DlgType], Type | MB_APPLMODAL);
  if (gCentreHook) {
    UnhookWindowsHookEx(gCentreHook);
    gCentreHook = nullptr;
  }
  switch (Result) {
  case IDOK:
    return mrOk;
  case IDYES:
    return mrYes;
  case IDNO:
    return mrNo;
  default:
    return mrCancel;
  }
}

} // namespace tk
