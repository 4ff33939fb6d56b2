// The least a Win32 program does to show a window: registers a class,
// creates and shows a window the size of the demo's, and exits once the
// window has been painted for the first time. The start-up benchmark
// measures the demo's start against this program's.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
  case WM_PAINT: {
    PAINTSTRUCT Paint;
    BeginPaint(Wnd, &Paint);
    EndPaint(Wnd, &Paint);
    PostQuitMessage(0);
    return 0;
  }
  case WM_DESTROY:
    PostQuitMessage(0);
    return 0;
  default:
    return DefWindowProcA(Wnd, Msg, WParam, LParam);
  }
}

} // namespace

int WINAPI WinMain(HINSTANCE Instance, HINSTANCE, LPSTR, int ShowCommand) {
  WNDCLASSA Class{};
  Class.lpfnWndProc = WindowProc;
  Class.hInstance = Instance;
  Class.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
  Class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  Class.lpszClassName = "BareWindow";
  if (!RegisterClassA(&Class)) return 1;
  HWND Wnd = CreateWindowExA(0, "BareWindow", "Bare Window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                             CW_USEDEFAULT, 468, 330, nullptr, nullptr, Instance, nullptr);
  if (!Wnd) return 1;
  ShowWindow(Wnd, ShowCommand);
  MSG Msg;
  while (GetMessageA(&Msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&Msg);
    DispatchMessageA(&Msg);
  }
  return 0;
}
