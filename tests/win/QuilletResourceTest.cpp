// System resources over many editing cycles: each cycle loads a cell of
// every style and kind, drops the pick list down and closes it (cancelled,
// accepted with Enter, accepted with a click), and clicks the ellipsis
// button. The process's GDI and USER objects must be as many afterwards as
// after a warm-up through every variant of the cycle.
//
// GetGuiResources answers 0 under Wine. There the GDI objects are counted
// in the process's GDI handle table (the one the process environment block
// points to, which Wine keeps as Windows does), and the USER objects as
// the process's windows, the only USER objects the toolkit creates.
//
// A cycle takes some 13 to 40 ms under Wine, with the machine's load
// (showing and hiding the list's top-level window is most of it), so the
// suite runs 200 cycles; the long run of 10000 (about 130 s) sets
// QUILLET_RESOURCE_CYCLES=10000 in the environment of
//   tools/with-display.sh tools/wine-run build/win64/tests/QuilletResourceTest.exe
#include "support/QuilletKindsForm.h"

#include <winternl.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace quillet;
using namespace wintest;

// One entry of the GDI handle table: the object type sits in byte 14 of
// 24, zero for a free entry.
constexpr std::size_t kGdiEntrySize = 24;
constexpr std::size_t kGdiTypeOffset = 14;
constexpr std::size_t kGdiEntries = 65536;
constexpr std::size_t kPebGdiTableOffset = 0xF8; // x86-64

// The process environment block, asked of the system at run time.
const std::uint8_t* ProcessEnvironmentBlock() {
  using TQuery = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
  auto Query = reinterpret_cast<TQuery>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION Info{};
  if (!Query ||
      Query(GetCurrentProcess(), ProcessBasicInformation, &Info, sizeof Info, nullptr) != 0)
    return nullptr;
  return reinterpret_cast<const std::uint8_t*>(Info.PebBaseAddress);
}

int GdiObjects() {
  if (DWORD N = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(N);
  const std::uint8_t* Peb = ProcessEnvironmentBlock();
  if (!Peb) return -1;
  const std::uint8_t* Table =
      *reinterpret_cast<const std::uint8_t* const*>(Peb + kPebGdiTableOffset);
  if (!Table) return -1;
  int Used = 0;
  for (std::size_t I = 0; I < kGdiEntries; ++I)
    Used += Table[I * kGdiEntrySize + kGdiTypeOffset] != 0;
  return Used;
}

BOOL CALLBACK CountWindow(HWND Wnd, LPARAM Count) {
  DWORD Process = 0;
  GetWindowThreadProcessId(Wnd, &Process);
  if (Process == GetCurrentProcessId()) {
    ++*reinterpret_cast<int*>(Count);
    EnumChildWindows(Wnd, CountWindow, Count);
  }
  return TRUE;
}

int UserObjects() {
  if (DWORD N = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return static_cast<int>(N);
  int Count = 0;
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&Count));
  return Count;
}

class QuilletResourceTest : public QuilletKindsForm {
protected:
  static constexpr int kWarmUpCycles = 12;

  // Right from the current cell through every column, with the list and
  // the button used on the way; then back to the first column of the
  // other row.
  void Cycle(int N) {
    for (int ACol = kPlainCol; ACol < kKindsColumns; ++ACol) {
      if (ACol == kEllipsisCol) {
        POINT P = ButtonPoint();
        SendClick(EditWnd(), P.x, P.y);
      } else if (ACol == kPickCol) {
        PressArrow();
        switch (N % 3) {
        case 0:
          SendKey(EditWnd(), VK_ESCAPE);
          break;
        case 1:
          SendKey(EditWnd(), VK_RETURN);
          break;
        default: {
          RECT R{};
          SendMessageA(ListWnd(), LB_GETITEMRECT, static_cast<WPARAM>(N % 12),
                       reinterpret_cast<LPARAM>(&R));
          SendClick(ListWnd(), (R.left + R.right) / 2, (R.top + R.bottom) / 2);
        }
        }
      } else if (ACol == kIntegerCol) {
        SendChar(EditWnd(), static_cast<char>('0' + N % 10));
      }
      if (ACol + 1 < kKindsColumns) SendKey(EditWnd(), VK_RIGHT);
    }
    SendKey(EditWnd(), VK_HOME);
    SendKey(EditWnd(), N % 2 ? VK_UP : VK_DOWN);
    Pump(0);
  }
};

TEST_F(QuilletResourceTest, CountersSeeObjectsComeAndGo) {
  ShowAt(kPlainCol, 1);
  int Gdi = GdiObjects(), User = UserObjects();
  ASSERT_GT(Gdi, 0);
  ASSERT_GT(User, 0);
  HBRUSH Brush = CreateSolidBrush(RGB(1, 2, 3));
  HWND Wnd =
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(GdiObjects(), Gdi + 1);
  EXPECT_EQ(UserObjects(), User + 1);
  DeleteObject(Brush);
  DestroyWindow(Wnd);
  EXPECT_EQ(GdiObjects(), Gdi);
  EXPECT_EQ(UserObjects(), User);
}

TEST_F(QuilletResourceTest, EditingCyclesGiveBackEveryObject) {
  const char* Env = std::getenv("QUILLET_RESOURCE_CYCLES");
  const int Cycles = Env && *Env ? std::atoi(Env) : 200;
  Grid->SetCells(kPickCol, 1, PickItems[2]);
  ShowAt(kPlainCol, 1);
  // A warm-up through every variant of the cycle: the pick list's window,
  // fonts and brushes are made once, and the system caches device contexts.
  for (int N = 0; N < kWarmUpCycles; ++N)
    Cycle(N);
  ASSERT_TRUE(List());
  ASSERT_EQ(Grid->Col(), kPlainCol);
  const int Gdi = GdiObjects(), User = UserObjects();
  const int Clicks = ButtonClicks, Picks = CloseUps;

  for (int N = kWarmUpCycles; N < kWarmUpCycles + Cycles; ++N)
    Cycle(N);

  EXPECT_EQ(GdiObjects(), Gdi) << "after " << Cycles << " cycles";
  EXPECT_EQ(UserObjects(), User) << "after " << Cycles << " cycles";
  EXPECT_EQ(ButtonClicks - Clicks, Cycles) << "every cycle clicked the button";
  EXPECT_GE(CloseUps - Picks, Cycles / 3) << "and picked from the list";
  EXPECT_TRUE(Errors.empty());
  EXPECT_EQ(GetCapture(), nullptr);
  std::printf("%d cycles: %d GDI and %d USER objects throughout\n", Cycles, Gdi, User);
}

} // namespace
