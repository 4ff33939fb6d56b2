// The keystroke path of a currency cell (key filter, write-back with
// normalisation, repaint of the cell and its editor) on a grid of 10 rows
// and on one of 1,000,000 rows whose current cell lies near the end: the
// size of the grid must not show in the cost of a keystroke.
#include "BenchGrid.h"
#include "BenchHarness.h"

#include <cstdio>
#include <memory>

using namespace winbench;

namespace {

// Every so often the whole text is selected, so the next digit replaces it
// and the text stays short.
constexpr int kResetEvery = 8;

TCase KeystrokeCase(const char* Name, TBenchGrid& Bench) {
  auto Count = std::make_shared<int>(0);
  TCase Case;
  Case.Name = Name;
  Case.Iterations = 64;
  Case.Setup = [&Bench] {
    Bench.Focus();
    SendMessageA(Bench.EditWnd(), EM_SETSEL, 0, -1);
  };
  Case.Body = [&Bench, Count] {
    HWND Edit = Bench.EditWnd();
    if (++*Count % kResetEvery == 0) SendMessageA(Edit, EM_SETSEL, 0, -1);
    SendKeyStroke(Edit, '1', '1');
    Bench.Repaint();
  };
  return Case;
}

} // namespace

int main(int Argc, char** Argv) {
  ParseCommandLine(Argc, Argv);
  std::printf("== bench_win_keystroke: a digit typed into a currency cell\n");
  TBenchGrid Small(10, 0, 0);
  TBenchGrid Large(1000000, 480, 0);
  Small.MoveTo(kCurrencyCol, 5);
  Large.MoveTo(kCurrencyCol, 999990);
  if (Small.Grid().Row() != 5 || Large.Grid().Row() != 999990 ||
      Large.Editor().Text() != Large.Grid().Cells(kCurrencyCol, 999990)) {
    std::printf("set-up failed: the editor is not on the cells to measure\n");
    return 1;
  }

  TCase A = KeystrokeCase("keystroke, 1,000,000 rows (row 999990)", Large);
  TCase B = KeystrokeCase("keystroke, 10 rows (row 5)", Small);
  TStats SA, SB;
  MeasurePair(A, SA, B, SB, SampleCount(31));
  // The keystrokes did reach the cells: typed digits stored as currency.
  std::printf("  stored after the run: \"%s\" and \"%s\"\n",
              Large.Grid().Cells(kCurrencyCol, 999990).c_str(),
              Small.Grid().Cells(kCurrencyCol, 5).c_str());
  PrintRatio("keystroke 1M rows / 10 rows", A.Name, SA, B.Name, SB, 1.2);
  return 0;
}
