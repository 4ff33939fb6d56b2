// The pick list at 1,000 and at 65,535 items: dropping it down (which fits
// its width to the widest of all items) and one type-ahead keystroke (a
// prefix search over the items). Both are linear in the item count at best,
// so the target is on the cost per item: it must not grow with the count.
#include "BenchGrid.h"
#include "BenchHarness.h"

#include <cstdio>
#include <string>

using namespace winbench;

namespace {

// The list's clock: every sample starts a new search, as after a pause.
DWORD gTickOffset = 0;
DWORD BenchTicks() {
  return GetTickCount() + gTickOffset;
}

void Close(TBenchGrid& Bench) {
  Bench.Editor().CloseUp(false);
  gTickOffset += 5000;
  Bench.Focus();
}

// Press and release on the arrow button, as the user opens the list.
void PressArrow(TBenchGrid& Bench) {
  RECT R = Bench.Editor().GetButtonRect();
  LPARAM At = MAKELPARAM((R.left + R.right) / 2, (R.top + R.bottom) / 2);
  SendMessageA(Bench.EditWnd(), WM_LBUTTONDOWN, MK_LBUTTON, At);
  SendMessageA(Bench.EditWnd(), WM_LBUTTONUP, 0, At);
}

// Only the last item, "Zeta", begins with z: the search runs to the end.
void TypeZ(TBenchGrid& Bench) {
  SendKeyStroke(Bench.EditWnd(), 'Z', 'z');
}

void PaintList(TBenchGrid& Bench) {
  UpdateWindow(Bench.Editor().PopupList()->Handle());
  Bench.Repaint();
}

enum class TPart { DropDownAndType, DropDown, Type };

TCase PickListCase(TPart Part, TBenchGrid& Bench) {
  static const char* const kNames[] = {"drop-down + 'z'", "drop-down", "'z' into the shown list"};
  TCase Case;
  Case.Name = std::string(kNames[static_cast<int>(Part)]) + ", " +
              std::to_string(Bench.PickItems()) + " items";
  Case.Setup = [&Bench, Part] {
    Close(Bench);
    if (Part == TPart::Type) {
      PressArrow(Bench);
      PaintList(Bench);
    }
  };
  Case.Body = [&Bench, Part] {
    if (Part != TPart::Type) PressArrow(Bench);
    if (Part != TPart::DropDown) TypeZ(Bench);
    PaintList(Bench);
  };
  return Case;
}

void Compare(const char* Label, TPart Part, TBenchGrid& Large, TBenchGrid& Small, int Samples) {
  TCase A = PickListCase(Part, Large), B = PickListCase(Part, Small);
  TStats SA, SB;
  MeasurePair(A, SA, B, SB, Samples);
  PrintPerItemRatio(Label, A.Name, SA, Large.PickItems(), B.Name, SB, Small.PickItems(), 1.0);
}

bool Check(TBenchGrid& Bench) {
  Close(Bench);
  PressArrow(Bench);
  TypeZ(Bench);
  auto* List = Bench.Editor().PopupList();
  bool Ok = Bench.Editor().DroppedDown() && List->Items().Count() == Bench.PickItems() &&
            List->ItemIndex() == Bench.PickItems() - 1 && List->TypedPrefix() == "z";
  if (!Ok)
    std::printf("set-up failed: list of %d items: shown %d, %d items, item %d highlighted\n",
                Bench.PickItems(), Bench.Editor().DroppedDown(), List->Items().Count(),
                List->ItemIndex());
  Close(Bench);
  return Ok;
}

} // namespace

int main(int Argc, char** Argv) {
  ParseCommandLine(Argc, Argv);
  std::printf("== bench_win_picklist: drop-down and type-ahead at 1,000 and 65,535 items\n");
  TBenchGrid Small(10, 0, 0, 1000);
  TBenchGrid Large(10, 480, 0, 65535);
  for (TBenchGrid* Bench : {&Small, &Large}) {
    Bench->Focus();
    Bench->MoveTo(kPickCol, 1);
    Bench->Editor().PopupList()->SetTickSource(&BenchTicks);
    if (!Check(*Bench)) return 1;
  }

  const int Samples = SampleCount(15);
  Compare("drop-down and type-ahead, per item 65,535 / 1,000", TPart::DropDownAndType, Large, Small,
          Samples);
  // The two parts apart, to show where the time goes.
  Compare("drop-down alone, per item 65,535 / 1,000", TPart::DropDown, Large, Small, Samples);
  Compare("type-ahead alone, per item 65,535 / 1,000", TPart::Type, Large, Small, Samples);
  return 0;
}
