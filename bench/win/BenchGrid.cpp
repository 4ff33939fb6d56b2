#include "BenchGrid.h"

#include "BenchHarness.h"

#include <cstdio>

namespace winbench {

TBenchGrid::TBenchGrid(int RowCount, int Left, int Top, int PickItems) : FPickItems(PickItems) {
  FForm = std::make_unique<tk::TForm>(nullptr);
  FForm->SetBounds(Left, Top, 468, 330);
  FGrid = new quillet::TQuillet(FForm.get());
  FGrid->SetParent(FForm.get());
  FGrid->SetBounds(0, 0, 460, 105);
  FGrid->SetColCount(7);
  FGrid->SetRowCount(RowCount);
  FGrid->SetFixedCols(0);
  FGrid->SetDefaultRowHeight(16);
  FGrid->SetOptions(FGrid->Options() | tk::goEditing | tk::goAlwaysShowEditor);
  FGrid->SetOnGetEditStyle(quillet::TGetEditStyleEvent(
      [](tk::TObject*, int ACol, int, quillet::TEditStyle& Style, bool&) {
        if (ACol == 1)
          Style = quillet::esEllipsis;
        else if (ACol == kPickCol)
          Style = quillet::esPickList;
      }));
  FGrid->SetOnGetFormatKind(
      quillet::TGetFormatKindEvent([](tk::TObject*, int ACol, int, quillet::TFormatKind& Kind) {
        static const quillet::TFormatKind Kinds[] = {
            quillet::fkNone,    quillet::fkNone,  quillet::fkNone,    quillet::fkDate,
            quillet::fkInteger, quillet::fkFloat, quillet::fkCurrency};
        if (ACol >= 0 && ACol < 7) Kind = Kinds[ACol];
      }));
  FGrid->SetOnGetDropDownList(
      quillet::TGetDropDownListEvent([this](tk::TObject*, int ACol, int, tk::TStrings* Items) {
        if (ACol != kPickCol) return;
        Items->BeginUpdate();
        char Text[16];
        for (int I = 0; I + 1 < FPickItems; ++I) {
          std::snprintf(Text, sizeof Text, "Item %05d", I);
          Items->Add(Text);
        }
        Items->Add("Zeta");
        Items->EndUpdate();
      }));
  static const char* const Headers[] = {"esSimple",  "esEllipsis", "esPickList", "fkDate",
                                        "fkInteger", "fkFloat",    "fkCurrency"};
  for (int Col = 0; Col < 7; ++Col)
    FGrid->SetCells(Col, 0, Headers[Col]);
  FForm->Show();
  Pump();
}

TBenchGrid::~TBenchGrid() {
  FForm.reset();
  Pump();
}

quillet::TQuilletInplaceEdit& TBenchGrid::Editor() {
  return *static_cast<quillet::TQuilletInplaceEdit*>(FGrid->InplaceEditor());
}

void TBenchGrid::Focus() {
  HWND Form = FForm->Handle();
  SetForegroundWindow(Form);
  SetActiveWindow(Form);
  FGrid->SetFocus();
  Pump();
}

void TBenchGrid::MoveTo(int ACol, int ARow) {
  FGrid->FocusCell(ACol, ARow);
  Repaint();
  Pump();
}

void TBenchGrid::Repaint() {
  RedrawWindow(FGrid->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

} // namespace winbench
