// Moving the current cell of a 1,000,000-row grid, editor shown and repaint
// done: to the last row from the top (Ctrl+End) against one row down. The
// distance must not show in the cost of the move.
#include "BenchGrid.h"
#include "BenchHarness.h"

#include <cstdio>

using namespace winbench;

namespace {

constexpr int kRows = 1000000;

// A move by the keys the user presses, sent to the editor; the grid and
// the editor are painted before the clock stops.
TCase MoveCase(const char* Name, TBenchGrid& Bench, int StartRow, WORD Key, bool Ctrl) {
  TCase Case;
  Case.Name = Name;
  Case.Setup = [&Bench, StartRow, Ctrl] {
    HoldControlKey(false);
    Bench.MoveTo(kCurrencyCol, 1); // view back at the top
    Bench.MoveTo(kCurrencyCol, StartRow);
    HoldControlKey(Ctrl);
  };
  Case.Body = [&Bench, Key] {
    SendKeyStroke(Bench.EditWnd(), Key, 0);
    Bench.Repaint();
  };
  return Case;
}

bool Check(TBenchGrid& Bench, const TCase& Case, int ExpectedRow, int ExpectedTop) {
  Case.Setup();
  Case.Body();
  HoldControlKey(false);
  auto& G = Bench.Grid();
  bool Ok = G.Row() == ExpectedRow && G.TopRow() == ExpectedTop && G.InplaceEditor() &&
            IsWindowVisible(Bench.EditWnd()) && GetFocus() == Bench.EditWnd();
  if (!Ok)
    std::printf("set-up failed: %s ends on row %d, top row %d (wanted %d, %d)\n", Case.Name.c_str(),
                G.Row(), G.TopRow(), ExpectedRow, ExpectedTop);
  return Ok;
}

} // namespace

int main(int Argc, char** Argv) {
  ParseCommandLine(Argc, Argv);
  std::printf("== bench_win_navigation: moving the current cell of a 1,000,000-row grid\n");
  TBenchGrid Bench(kRows, 0, 0);
  Bench.Focus();
  Bench.MoveTo(kCurrencyCol, 1);
  const int Visible = Bench.Grid().VisibleRowCount();
  const int LastVisible = Visible; // row 0 is the header

  TCase ToEnd = MoveCase("Ctrl+End from row 1 to row 999999", Bench, 1, VK_END, true);
  // One row down from the last visible row: the view scrolls as it does for
  // Ctrl+End, so both repaint the whole grid.
  TCase DownScroll =
      MoveCase("Down from the last visible row (scrolls)", Bench, LastVisible, VK_DOWN, false);
  // One row down within the view: only the two cells repaint.
  TCase DownInView = MoveCase("Down from row 1 to row 2 (no scroll)", Bench, 1, VK_DOWN, false);
  if (!Check(Bench, ToEnd, kRows - 1, kRows - Visible) ||
      !Check(Bench, DownScroll, LastVisible + 1, 2) || !Check(Bench, DownInView, 2, 1))
    return 1;

  const int Samples = SampleCount(61);
  TStats SEnd, SScroll, SEnd2, SInView;
  MeasurePair(ToEnd, SEnd, DownScroll, SScroll, Samples);
  PrintRatio("Ctrl+End / Down, both scrolling", ToEnd.Name, SEnd, DownScroll.Name, SScroll, 1.2);
  MeasurePair(ToEnd, SEnd2, DownInView, SInView, Samples);
  PrintRatio("Ctrl+End / Down within the view", ToEnd.Name, SEnd2, DownInView.Name, SInView, 1.2);
  HoldControlKey(false);
  return 0;
}
