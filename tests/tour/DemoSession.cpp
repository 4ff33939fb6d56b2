#include "DemoSession.h"

#include "RealInput.h"

namespace tour {
namespace {

// The demo's grid: columns 64 pixels wide, rows 16 pixels high, one-pixel
// lines between them; row 0 is the fixed header row.
constexpr int kColStride = 64 + 1;
constexpr int kRowStride = 16 + 1;
constexpr int kColWidth = 64;
constexpr int kRowHeight = 16;

} // namespace

// The build passes paths of the build machine; under Wine those are Unix
// paths, which a Windows program reaches through Wine's own conversion.
std::string HostPath(const char* Path) {
  if (Path[0] != '/') return Path;
  using ToDosName = WCHAR*(CDECL*)(const char*);
  FARPROC Proc = GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name");
  if (!Proc) return Path;
  auto Convert = reinterpret_cast<ToDosName>(reinterpret_cast<void (*)()>(Proc));
  WCHAR* Dos = Convert(Path);
  if (!Dos) return Path;
  char Narrow[MAX_PATH * 2] = "";
  WideCharToMultiByte(CP_ACP, 0, Dos, -1, Narrow, sizeof Narrow, nullptr, nullptr);
  HeapFree(GetProcessHeap(), 0, Dos);
  return Narrow;
}

std::string WindowText(HWND Wnd) {
  char Text[1024] = "";
  DWORD_PTR Copied = 0;
  if (!SendMessageTimeoutA(Wnd, WM_GETTEXT, sizeof Text, reinterpret_cast<LPARAM>(Text),
                           SMTO_ABORTIFHUNG, 2000, &Copied))
    return {};
  return std::string(Text, Copied);
}

std::string ClassOf(HWND Wnd) {
  char Name[128] = "";
  int Length = GetClassNameA(Wnd, Name, sizeof Name);
  return std::string(Name, static_cast<std::size_t>(Length > 0 ? Length : 0));
}

RECT ScreenRectOf(HWND Wnd) {
  RECT R{};
  GetWindowRect(Wnd, &R);
  return R;
}

POINT Middle(const RECT& R) {
  return {(R.left + R.right) / 2, (R.top + R.bottom) / 2};
}

DemoSession::DemoSession() {
  std::string Exe = HostPath(TOUR_DEMO_EXE);
  // The command line holds the program's name only, as a shell would pass it.
  std::string CommandLine = "\"" + Exe + "\"";
  STARTUPINFOA Startup{};
  Startup.cb = sizeof Startup;
  if (!CreateProcessA(Exe.c_str(), CommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &Startup, &FProcess))
    return;
  HWND Main = nullptr;
  WaitUntil(
      [&] {
        Main = FindOwnWindow(nullptr, kCaption);
        return Main && IsWindowVisible(Main);
      },
      15000);
  if (!Main) return;
  FMain = Main;
  WaitUntil([&] { return Editor() != nullptr; }, 5000);
}

DemoSession::~DemoSession() {
  if (!FProcess.hProcess) return;
  if (Running()) {
    TerminateProcess(FProcess.hProcess, 1);
    WaitForSingleObject(FProcess.hProcess, 5000);
  }
  CloseHandle(FProcess.hThread);
  CloseHandle(FProcess.hProcess);
}

bool DemoSession::Running() const {
  return FProcess.hProcess && WaitForSingleObject(FProcess.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD DemoSession::CloseWithAltF4() {
  PressKeyWith(VK_MENU, VK_F4);
  if (WaitForSingleObject(FProcess.hProcess, 10000) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD Code = STILL_ACTIVE;
  GetExitCodeProcess(FProcess.hProcess, &Code);
  return Code;
}

HWND DemoSession::FindOwnWindow(const char* ClassName, const char* Caption) const {
  for (HWND Wnd = FindWindowExA(nullptr, nullptr, ClassName, Caption); Wnd;
       Wnd = FindWindowExA(nullptr, Wnd, ClassName, Caption)) {
    DWORD Process = 0;
    GetWindowThreadProcessId(Wnd, &Process);
    if (Process == FProcess.dwProcessId) return Wnd;
  }
  return nullptr;
}

HWND DemoSession::Grid() const {
  return FindWindowExA(FMain, nullptr, "TkTQuillet", nullptr);
}

HWND DemoSession::Memo() const {
  return FindWindowExA(FMain, nullptr, "TkTMemo", nullptr);
}

HWND DemoSession::Editor() const {
  GUITHREADINFO Info{};
  Info.cbSize = sizeof Info;
  if (!GetGUIThreadInfo(FProcess.dwThreadId, &Info) || !Info.hwndFocus) return nullptr;
  if (ClassOf(Info.hwndFocus) != "TkTQuilletInplaceEdit" || !IsWindowVisible(Info.hwndFocus))
    return nullptr;
  return Info.hwndFocus;
}

std::string DemoSession::EditorText() const {
  HWND Edit = Editor();
  return Edit ? WindowText(Edit) : std::string("<no editor>");
}

HWND DemoSession::PickList() const {
  HWND List = FindOwnWindow("TkTQuilletPopupListbox", nullptr);
  return List && IsWindowVisible(List) ? List : nullptr;
}

HWND DemoSession::Dialog() const {
  HWND Box = FindOwnWindow("#32770", "Information");
  return Box && IsWindowVisible(Box) ? Box : nullptr;
}

HWND DemoSession::SystemMenu() const {
  HWND Menu = FindOwnWindow("#32768", nullptr);
  return Menu && IsWindowVisible(Menu) ? Menu : nullptr;
}

RECT DemoSession::GridClient() const {
  HWND G = Grid();
  RECT R{};
  GetClientRect(G, &R);
  MapWindowPoints(G, nullptr, reinterpret_cast<POINT*>(&R), 2);
  return R;
}

RECT DemoSession::CellRect(int Col, int Row) const {
  RECT Client = GridClient();
  LONG Left = Client.left + (Col - FLeftCol) * kColStride;
  LONG Top = Client.top + Row * kRowStride;
  return {Left, Top, Left + kColWidth, Top + kRowHeight};
}

bool DemoSession::EditorIsOn(int Col, int Row) const {
  HWND Edit = Editor();
  if (!Edit) return false;
  RECT Cell = CellRect(Col, Row);
  POINT Centre = Middle(ScreenRectOf(Edit));
  return PtInRect(&Cell, Centre) != FALSE;
}

bool DemoSession::ClickCell(int Col, int Row) {
  RECT Client = GridClient();
  RECT Cell = CellRect(Col, Row);
  RECT Shown{};
  // A cell counts as shown whole with the line that follows it.
  if (Cell.bottom + 1 > Client.bottom || !IntersectRect(&Shown, &Cell, &Client)) return false;
  // A click on another cell presses the grid, which pairs with no other
  // click; on the current cell it presses the editor, which may.
  if (EditorIsOn(Col, Row))
    Click(Middle(Shown));
  else
    ClickSoon(Middle(Shown));
  // The grid scrolls a partly shown column into full view, and no further.
  while (CellRect(Col, Row).right + 1 > Client.right && FLeftCol < Col)
    ++FLeftCol;
  return WaitUntil([&] { return EditorIsOn(Col, Row); }, 2000);
}

POINT DemoSession::EditorButton() const {
  RECT Edit = ScreenRectOf(Editor());
  // The button is as wide as a vertical scroll bar, at the editor's right end.
  return {Edit.right - GetSystemMetrics(SM_CXVSCROLL) / 2 - 1, (Edit.top + Edit.bottom) / 2};
}

} // namespace tour
