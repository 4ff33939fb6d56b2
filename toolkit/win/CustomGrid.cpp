#include "toolkit/win/CustomGrid.h"

#include "toolkit/core/LayoutBinder.h"
#include "toolkit/win/InplaceEdit.h"

#include <algorithm>

namespace tk {

namespace {
constexpr TGridOptions kDefaultOptions =
    goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
}

TCustomGrid::TCustomGrid(TComponent* AOwner)
    : TWinControl(AOwner), FCols(5, 64, 1), FRows(5, 24, 1), FOptions(kDefaultOptions) {
  SetBounds(0, 0, 320, 120);
  SetColor(clWindow);
}

TCustomGrid::~TCustomGrid() {
  FInplaceEdit.reset();
}

void TCustomGrid::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
  Params.ClassStyle = CS_DBLCLKS;
}

void TCustomGrid::CreateHandleDone() {
  UpdateScrollRange();
}

// ---- properties ----------------------------------------------------------

void TCustomGrid::SetColCount(int Value) {
  Value = std::max(Value, 1);
  if (Value == ColCount()) return;
  int Old = ColCount();
  if (FFixedCols >= Value) FFixedCols = Value - 1;
  FCols.SetCount(Value);
  SizeChanged(Old, RowCount());
  if (FCurrentCol >= Value || FAnchorCol >= Value) MoveCurrent(Value - 1, FCurrentRow, true, true);
  GeometryChanged();
}

void TCustomGrid::SetRowCount(int Value) {
  Value = std::max(Value, 1);
  if (Value == RowCount()) return;
  int Old = RowCount();
  if (FFixedRows >= Value) FFixedRows = Value - 1;
  FRows.SetCount(Value);
  SizeChanged(ColCount(), Old);
  if (FCurrentRow >= Value || FAnchorRow >= Value) MoveCurrent(FCurrentCol, Value - 1, true, true);
  GeometryChanged();
}

void TCustomGrid::SetFixedCols(int Value) {
  Value = std::clamp(Value, 0, ColCount() - 1);
  if (Value == FFixedCols) return;
  FFixedCols = Value;
  ResetCurrent();
}

void TCustomGrid::SetFixedRows(int Value) {
  Value = std::clamp(Value, 0, RowCount() - 1);
  if (Value == FFixedRows) return;
  FFixedRows = Value;
  ResetCurrent();
}

void TCustomGrid::ResetCurrent() {
  // New fixed counts start the grid over at its first non-fixed cell.
  HideEdit();
  FLeftCol = FCurrentCol = FAnchorCol = FFixedCols;
  FTopRow = FCurrentRow = FAnchorRow = FFixedRows;
  GeometryChanged();
  if (FEditorMode) UpdateEdit();
}

void TCustomGrid::SetDefaultColWidth(int Value) {
  FCols.SetDefaultSize(Value);
  GeometryChanged();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
  FRows.SetDefaultSize(Value);
  GeometryChanged();
}

void TCustomGrid::SetColWidths(int ACol, int Value) {
  if (Value == FCols.Size(ACol)) return;
  FCols.SetSize(ACol, Value);
  GeometryChanged();
}

void TCustomGrid::SetRowHeights(int ARow, int Value) {
  if (Value == FRows.Size(ARow)) return;
  FRows.SetSize(ARow, Value);
  GeometryChanged();
}

void TCustomGrid::SetGridLineWidth(int Value) {
  FCols.SetLineWidth(Value);
  FRows.SetLineWidth(Value);
  GeometryChanged();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  if ((FOptions & (goEditing | goAlwaysShowEditor)) == (goEditing | goAlwaysShowEditor))
    FEditorMode = true;
  if (!(FOptions & goEditing) || (FOptions & goRowSelect))
    HideEditor();
  else if (FEditorMode)
    UpdateEdit();
  Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  RecreateWnd();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomGrid::SetFixedColor(TColor Value) {
  FFixedColor = Value;
  Invalidate();
}

void TCustomGrid::SetCtl3D(bool Value) {
  FCtl3D = Value;
  Invalidate();
}

void TCustomGrid::SizeChanged(int, int) {}

// ---- current cell and selection -------------------------------------------

void TCustomGrid::SetCol(int Value) {
  if (Value != FCurrentCol) FocusCell(Value, FCurrentRow);
}

void TCustomGrid::SetRow(int Value) {
  if (Value != FCurrentRow) FocusCell(FCurrentCol, Value);
}

void TCustomGrid::FocusCell(int ACol, int ARow) {
  MoveCurrent(ACol, ARow, true, true);
}

TGridRect TCustomGrid::Selection() const {
  TGridRect R{std::min(FAnchorCol, FCurrentCol), std::min(FAnchorRow, FCurrentRow),
              std::max(FAnchorCol, FCurrentCol), std::max(FAnchorRow, FCurrentRow)};
  if (FOptions & goRowSelect) {
    R.Left = FFixedCols;
    R.Right = ColCount() - 1;
  }
  return R;
}

bool TCustomGrid::SelectCell(int ACol, int ARow) {
  bool CanSelect = true;
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, CanSelect);
  return CanSelect;
}

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show) {
  ACol = std::clamp(ACol, FFixedCols, ColCount() - 1);
  ARow = std::clamp(ARow, FFixedRows, RowCount() - 1);
  bool Changed = ACol != FCurrentCol || ARow != FCurrentRow;
  if (Changed && !SelectCell(ACol, ARow)) return;
  TGridRect Old = Selection();
  if (Changed) {
    // The editor leaves its cell: written back and hidden before the view
    // moves, then loaded with the new cell once it is in view.
    if (FOptions & goAlwaysShowEditor)
      HideEdit();
    else
      HideEditor();
  }
  FCurrentCol = ACol;
  FCurrentRow = ARow;
  if (MoveAnchor || (FOptions & goRowSelect && !(FOptions & goRangeSelect))) {
    FAnchorCol = ACol;
    FAnchorRow = ARow;
  }
  if (Show) ClampInView(ACol, ARow);
  InvalidateGridRect(Old);
  InvalidateGridRect(Selection());
  if (Changed && FEditorMode) UpdateEdit();
}

// ---- geometry ----------------------------------------------------------------

int TCustomGrid::FixedWidth() const {
  return static_cast<int>(FCols.Offset(FFixedCols));
}
int TCustomGrid::FixedHeight() const {
  return static_cast<int>(FRows.Offset(FFixedRows));
}

int TCustomGrid::ColLeft(int ACol) const {
  if (ACol < FFixedCols) return static_cast<int>(FCols.Offset(ACol));
  return FixedWidth() + static_cast<int>(FCols.Offset(ACol) - FCols.Offset(FLeftCol));
}

int TCustomGrid::RowTop(int ARow) const {
  if (ARow < FFixedRows) return static_cast<int>(FRows.Offset(ARow));
  return FixedHeight() + static_cast<int>(FRows.Offset(ARow) - FRows.Offset(FTopRow));
}

RECT TCustomGrid::CellRect(int ACol, int ARow) const {
  RECT Empty{0, 0, 0, 0};
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return Empty;
  if ((ACol >= FFixedCols && ACol < FLeftCol) || (ARow >= FFixedRows && ARow < FTopRow))
    return Empty;
  RECT Client = ClientRect();
  int X = ColLeft(ACol), Y = RowTop(ARow);
  if (X >= Client.right || Y >= Client.bottom) return Empty;
  return RECT{X, Y, X + FCols.Size(ACol), Y + FRows.Size(ARow)};
}

bool TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
  ACol = ARow = -1;
  RECT Client = ClientRect();
  if (X < 0 || Y < 0 || X >= Client.right || Y >= Client.bottom) return false;
  int FW = FixedWidth(), FH = FixedHeight();
  ACol = X < FW ? FCols.IndexAt(X) : FCols.IndexAt(FCols.Offset(FLeftCol) + (X - FW));
  ARow = Y < FH ? FRows.IndexAt(Y) : FRows.IndexAt(FRows.Offset(FTopRow) + (Y - FH));
  if (ACol >= ColCount() || ARow >= RowCount()) {
    ACol = ARow = -1;
    return false;
  }
  return true;
}

int TCustomGrid::VisibleColCount() const {
  std::int64_t End = FCols.Offset(FLeftCol) + (ClientWidth() - FixedWidth());
  return std::max(0, std::min(FCols.IndexAt(End), ColCount()) - FLeftCol);
}

int TCustomGrid::VisibleRowCount() const {
  std::int64_t End = FRows.Offset(FTopRow) + (ClientHeight() - FixedHeight());
  return std::max(0, std::min(FRows.IndexAt(End), RowCount()) - FTopRow);
}

int TCustomGrid::MaxTopRow() const {
  int Avail = ClientHeight() - FixedHeight();
  return std::max(FFixedRows, FRows.FirstFitting(RowCount() - 1, Avail));
}

int TCustomGrid::MaxLeftCol() const {
  int Avail = ClientWidth() - FixedWidth();
  return std::max(FFixedCols, FCols.FirstFitting(ColCount() - 1, Avail));
}

void TCustomGrid::ClampInView(int ACol, int ARow) {
  int NewLeft = FLeftCol, NewTop = FTopRow;
  if (ACol < NewLeft)
    NewLeft = ACol;
  else if (ACol >= NewLeft + std::max(1, VisibleColCount()))
    NewLeft = FCols.FirstFitting(ACol, ClientWidth() - FixedWidth());
  if (ARow < NewTop)
    NewTop = ARow;
  else if (ARow >= NewTop + std::max(1, VisibleRowCount()))
    NewTop = FRows.FirstFitting(ARow, ClientHeight() - FixedHeight());
  SetTopLeft(NewLeft, NewTop);
}

void TCustomGrid::SetTopRow(int Value) {
  SetTopLeft(FLeftCol, Value);
}
void TCustomGrid::SetLeftCol(int Value) {
  SetTopLeft(Value, FTopRow);
}

void TCustomGrid::SetTopLeft(int ALeftCol, int ATopRow) {
  ALeftCol = std::clamp(ALeftCol, FFixedCols, std::max(FFixedCols, MaxLeftCol()));
  ATopRow = std::clamp(ATopRow, FFixedRows, std::max(FFixedRows, MaxTopRow()));
  if (ALeftCol == FLeftCol && ATopRow == FTopRow) return;
  FLeftCol = ALeftCol;
  FTopRow = ATopRow;
  Invalidate();
  UpdateScrollRange();
  TopLeftChanged();
}

void TCustomGrid::TopLeftChanged() {
  if (EditorPlaced()) FInplaceEdit->UpdateLoc(CellRect(FCurrentCol, FCurrentRow));
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TCustomGrid::GeometryChanged() {
  // Sizes or counts changed: keep the view inside the grid and the editor
  // over its cell.
  int Left = std::clamp(FLeftCol, FFixedCols, std::max(FFixedCols, MaxLeftCol()));
  int Top = std::clamp(FTopRow, FFixedRows, std::max(FFixedRows, MaxTopRow()));
  if (Left != FLeftCol || Top != FTopRow) {
    FLeftCol = Left;
    FTopRow = Top;
    TopLeftChanged();
  } else if (EditorPlaced()) {
    FInplaceEdit->UpdateLoc(CellRect(FCurrentCol, FCurrentRow));
  }
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::UpdateScrollRange() {
  if (!HandleAllocated() || FUpdatingScroll) return;
  FUpdatingScroll = true;
  auto Apply = [&](int Bar, int Fixed, int First, int Max, int Visible) {
    SCROLLINFO SI{};
    SI.cbSize = sizeof SI;
    SI.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    int Page = std::max(1, Visible);
    SI.nMin = 0;
    SI.nMax = (Max - Fixed) + Page - 1;
    SI.nPage = static_cast<UINT>(Page);
    SI.nPos = First - Fixed;
    // Redrawing a scroll bar is costly (milliseconds under Wine): a bar
    // that already shows these values is left alone, so moving the view
    // vertically does not redraw the horizontal bar too.
    SCROLLINFO Shown{};
    Shown.cbSize = sizeof Shown;
    Shown.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (GetScrollInfo(WindowHandle(), Bar, &Shown) && Shown.nMin == SI.nMin &&
        Shown.nMax == SI.nMax && Shown.nPage == SI.nPage && Shown.nPos == SI.nPos)
      return;
    SetScrollInfo(WindowHandle(), Bar, &SI, TRUE);
  };
  // A bar shows only where the cells do not fit; the room is reckoned
  // without the bars, and a horizontal bar can make a vertical one needed
  // (and the other way round).
  HWND Wnd = WindowHandle();
  LONG Style = GetWindowLongA(Wnd, GWL_STYLE);
  int BarWidth = GetSystemMetrics(SM_CXVSCROLL), BarHeight = GetSystemMetrics(SM_CYHSCROLL);
  int Width = ClientWidth() + ((Style & WS_VSCROLL) ? BarWidth : 0);
  int Height = ClientHeight() + ((Style & WS_HSCROLL) ? BarHeight : 0);
  auto ColsFit = [&](int W) {
    return FCols.FirstFitting(ColCount() - 1, W - FixedWidth()) <= FFixedCols;
  };
  auto RowsFit = [&](int H) {
    return FRows.FirstFitting(RowCount() - 1, H - FixedHeight()) <= FFixedRows;
  };
  bool WantHorz = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
  bool WantVert = FScrollBars == ssVertical || FScrollBars == ssBoth;
  bool Horz = WantHorz && !ColsFit(Width);
  bool Vert = WantVert && !RowsFit(Height - (Horz ? BarHeight : 0));
  if (Vert && !Horz) Horz = WantHorz && !ColsFit(Width - BarWidth);
  if (((Style & WS_HSCROLL) != 0) != Horz) ShowScrollBar(Wnd, SB_HORZ, Horz);
  if (((Style & WS_VSCROLL) != 0) != Vert) ShowScrollBar(Wnd, SB_VERT, Vert);
  if (Vert) Apply(SB_VERT, FFixedRows, FTopRow, MaxTopRow(), VisibleRowCount());
  if (Horz) Apply(SB_HORZ, FFixedCols, FLeftCol, MaxLeftCol(), VisibleColCount());
  FUpdatingScroll = false;
}

void TCustomGrid::ScrollMessage(int Bar, WORD Code) {
  bool Vert = Bar == SB_VERT;
  int First = Vert ? FTopRow : FLeftCol;
  int Fixed = Vert ? FFixedRows : FFixedCols;
  int Page = std::max(1, Vert ? VisibleRowCount() : VisibleColCount());
  int Max = Vert ? MaxTopRow() : MaxLeftCol();
  switch (Code) {
  case SB_LINEUP:
    --First;
    break;
  case SB_LINEDOWN:
    ++First;
    break;
  case SB_PAGEUP:
    First -= Page;
    break;
  case SB_PAGEDOWN:
    First += Page;
    break;
  case SB_TOP:
    First = Fixed;
    break;
  case SB_BOTTOM:
    First = Max;
    break;
  case SB_THUMBTRACK:
  case SB_THUMBPOSITION: {
    if (Code == SB_THUMBTRACK && !(FOptions & goThumbTracking)) return;
    // The 32-bit track position: the 16-bit one in wParam overflows.
    SCROLLINFO SI{};
    SI.cbSize = sizeof SI;
    SI.fMask = SIF_TRACKPOS;
    GetScrollInfo(WindowHandle(), Bar, &SI);
    First = Fixed + SI.nTrackPos;
    break;
  }
  default:
    return;
  }
  if (Vert)
    SetTopLeft(FLeftCol, First);
  else
    SetTopLeft(First, FTopRow);
}

void TCustomGrid::WMSize(TMessage& Message) {
  TWinControl::WMSize(Message);
  GeometryChanged();
}

// ---- published properties ------------------------------------------------------

bool TCustomGrid::SetPublishedProperty(std::string_view Name, const TLayoutValue& Value,
                                       TLayoutBinder& Binder) {
  if (Name == "ColCount")
    SetColCount(Binder.Int(Value));
  else if (Name == "RowCount")
    SetRowCount(Binder.Int(Value));
  else if (Name == "FixedCols")
    SetFixedCols(Binder.Int(Value));
  else if (Name == "FixedRows")
    SetFixedRows(Binder.Int(Value));
  else if (Name == "DefaultColWidth")
    SetDefaultColWidth(Binder.Int(Value));
  else if (Name == "DefaultRowHeight")
    SetDefaultRowHeight(Binder.Int(Value));
  else if (Name == "GridLineWidth")
    SetGridLineWidth(Binder.Int(Value));
  else if (Name == "Options")
    SetOptions(Binder.Set<TGridOptions>(Value, {{"goFixedVertLine", goFixedVertLine},
                                                {"goFixedHorzLine", goFixedHorzLine},
                                                {"goVertLine", goVertLine},
                                                {"goHorzLine", goHorzLine},
                                                {"goRangeSelect", goRangeSelect},
                                                {"goDrawFocusSelected", goDrawFocusSelected},
                                                {"goRowSizing", goRowSizing},
                                                {"goColSizing", goColSizing},
                                                {"goRowMoving", goRowMoving},
                                                {"goColMoving", goColMoving},
                                                {"goEditing", goEditing},
                                                {"goTabs", goTabs},
                                                {"goRowSelect", goRowSelect},
                                                {"goAlwaysShowEditor", goAlwaysShowEditor},
                                                {"goThumbTracking", goThumbTracking}}));
  else if (Name == "ScrollBars")
    SetScrollBars(Binder.Enum<TScrollStyle>(Value, {{"ssNone", ssNone},
                                                    {"ssHorizontal", ssHorizontal},
                                                    {"ssVertical", ssVertical},
                                                    {"ssBoth", ssBoth}}));
  else if (Name == "BorderStyle")
    SetBorderStyle(Binder.Enum<TBorderStyle>(Value, {{"bsNone", bsNone}, {"bsSingle", bsSingle}}));
  else if (Name == "Ctl3D")
    SetCtl3D(Binder.Bool(Value));
  else if (Name == "FixedColor")
    SetFixedColor(LayoutColor(Value, Binder));
  else if (Name == "OnSelectCell")
    OnSelectCell = Binder.Method<TSelectCellEvent>(Value);
  else if (Name == "OnTopLeftChanged")
    OnTopLeftChanged = Binder.Method<TNotifyEvent>(Value);
  else
    return TWinControl::SetPublishedProperty(Name, Value, Binder);
  return true;
}

} // namespace tk
