// The demo program run as its own process and seen from outside the way a
// user sees it: where its windows are, their captions, the text in the cell
// editor that has the focus, and the state of the grid's current cell as the
// editor shows it. The only message it sends the demo is WM_GETTEXT.
#pragma once

#include <windows.h>

#include <string>

namespace tour {

// Polls Condition until it holds or TimeoutMs passes; returns whether it held.
template <class F> bool WaitUntil(F Condition, int TimeoutMs = 3000) {
  DWORD Start = GetTickCount();
  while (!Condition()) {
    if (GetTickCount() - Start > static_cast<DWORD>(TimeoutMs)) return false;
    Sleep(10);
  }
  return true;
}

// Gives the demo time to handle input whose effect cannot be waited for,
// above all input that is meant to change nothing.
inline void Pause(int Milliseconds = 300) {
  Sleep(static_cast<DWORD>(Milliseconds));
}

class DemoSession {
public:
  static constexpr const char* kCaption = "TQuillet Test Application";

  // Starts the program without arguments and waits until its main window
  // shows with the editor focused.
  DemoSession();
  // Ends the program if it still runs.
  ~DemoSession();
  DemoSession(const DemoSession&) = delete;
  DemoSession& operator=(const DemoSession&) = delete;

  bool Started() const { return FMain != nullptr; }
  bool Running() const;
  // Alt+F4 to the demo, then waits for the program to end; its exit code, or
  // STILL_ACTIVE when it keeps running.
  DWORD CloseWithAltF4();

  HWND MainWindow() const { return FMain; }
  HWND Grid() const;
  HWND Memo() const;
  // The in-place editor when it has the focus, else null.
  HWND Editor() const;
  std::string EditorText() const;
  // The pick list while it shows, else null.
  HWND PickList() const;
  // The demo's message box while it shows, else null.
  HWND Dialog() const;
  // The system menu of the main window while it shows, else null.
  HWND SystemMenu() const;

  // The grid's client area on the screen.
  RECT GridClient() const;
  // A cell's rectangle on the screen as the grid shows it now (cells the
  // grid scrolled away lie left of its client area).
  RECT CellRect(int Col, int Row) const;
  // Whether the focused editor stands on the cell.
  bool EditorIsOn(int Col, int Row) const;
  // Clicks the visible part of a cell and waits until the editor stands on
  // it, following the grid's scrolling when the column was only partly
  // shown. Rows are all shown whole but the last, which would scroll: the
  // tour leaves it alone.
  bool ClickCell(int Col, int Row);
  // The middle of the editor's button (the right end of the editor).
  POINT EditorButton() const;

private:
  HWND FindOwnWindow(const char* ClassName, const char* Caption) const;

  PROCESS_INFORMATION FProcess{};
  HWND FMain = nullptr;
  int FLeftCol = 0;
};

// A path of the build machine as this program opens it (under Wine, a Unix
// path goes through a drive letter).
std::string HostPath(const char* Path);
// Text of a window of another process (WM_GETTEXT).
std::string WindowText(HWND Wnd);
std::string ClassOf(HWND Wnd);
RECT ScreenRectOf(HWND Wnd);
POINT Middle(const RECT& R);

} // namespace tour
