#include "toolkit/win/StringGrid.h"

#include "toolkit/core/LayoutBinder.h"

namespace tk {

TStringGrid::TStringGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

void TStringGrid::CellChanged(int ACol, int ARow) {
  InvalidateCell(ACol, ARow);
  if (FEditUpdate == 0 && ACol == Col() && ARow == Row()) InvalidateEditor();
}

void TStringGrid::SetCells(int ACol, int ARow, const std::string& Value) {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
  FStore.SetText(ACol, ARow, Value);
  CellChanged(ACol, ARow);
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value) {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
  FStore.SetObject(ACol, ARow, Value);
  CellChanged(ACol, ARow);
}

std::string TStringGrid::GetEditMask(int ACol, int ARow) {
  std::string Mask;
  if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, Mask);
  return Mask;
}

std::string TStringGrid::GetEditText(int ACol, int ARow) {
  std::string Text = Cells(ACol, ARow);
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, Text);
  return Text;
}

void TStringGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
  if (Value != Cells(ACol, ARow)) {
    ++FEditUpdate;
    struct TDone {
      int& Count;
      ~TDone() { --Count; }
    } Done{FEditUpdate};
    SetCells(ACol, ARow, Value);
  }
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

void TStringGrid::DrawCell(int ACol, int ARow, const RECT& Rect, TGridDrawState) {
  const std::string& Text = FStore.Text(ACol, ARow);
  if (Text.empty()) return;
  HDC DC = Canvas().Handle();
  SetBkMode(DC, TRANSPARENT);
  ExtTextOutA(DC, Rect.left + 2, Rect.top + 2, ETO_CLIPPED, &Rect, Text.c_str(),
              static_cast<UINT>(Text.size()), nullptr);
}

void TStringGrid::SizeChanged(int, int) {
  FStore.Trim(ColCount(), RowCount());
}

bool TStringGrid::SetPublishedProperty(std::string_view Name, const TLayoutValue& Value,
                                       TLayoutBinder& Binder) {
  if (Name == "OnGetEditMask")
    OnGetEditMask = Binder.Method<TGetEditEvent>(Value);
  else if (Name == "OnGetEditText")
    OnGetEditText = Binder.Method<TGetEditEvent>(Value);
  else if (Name == "OnSetEditText")
    OnSetEditText = Binder.Method<TSetEditEvent>(Value);
  else
    return TCustomGrid::SetPublishedProperty(Name, Value, Binder);
  return true;
}

} // namespace tk
