// A form holding one TQuillet set up like the demo's grid (seven columns,
// a header row, the editor always shown; column 2 a pick list, columns 3 to
// 6 date, integer, float and currency), with as many rows and pick-list
// items as a benchmark asks for.
#pragma once

#include "components/QuilletGrid.h"
#include "components/QuilletInplaceEdit.h"
#include "components/QuilletPopupListbox.h"
#include "toolkit/win/Form.h"

#include <memory>

namespace winbench {

inline constexpr int kPickCol = 2;
inline constexpr int kCurrencyCol = 6;

class TBenchGrid {
public:
  // The form's top-left corner on the screen; PickItems items in the pick
  // list: "Item 00000", "Item 00001", ... and last "Zeta", the only item
  // that begins with z.
  TBenchGrid(int RowCount, int Left, int Top, int PickItems = 12);
  ~TBenchGrid();
  TBenchGrid(const TBenchGrid&) = delete;
  TBenchGrid& operator=(const TBenchGrid&) = delete;

  quillet::TQuillet& Grid() { return *FGrid; }
  quillet::TQuilletInplaceEdit& Editor();
  HWND EditWnd() { return Editor().Handle(); }
  int PickItems() const { return FPickItems; }

  // Brings the form to the front with the keyboard focus in the editor.
  void Focus();
  void MoveTo(int ACol, int ARow);
  // Paints now whatever the grid and its editor have invalidated.
  void Repaint();

private:
  std::unique_ptr<tk::TForm> FForm;
  quillet::TQuillet* FGrid = nullptr;
  int FPickItems;
};

} // namespace winbench
