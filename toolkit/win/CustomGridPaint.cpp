// TCustomGrid: painting. Only the cells that meet the update region are
// visited, found arithmetically from the axes.
#include "toolkit/win/CustomGrid.h"

#include "toolkit/win/InplaceEdit.h"

#include <algorithm>

namespace tk {

namespace {

void Fill(HDC DC, const RECT& R, TColor Color) {
  if (R.right <= R.left || R.bottom <= R.top) return;
  SetBkColor(DC, ColorToRGB(Color));
  ExtTextOutA(DC, 0, 0, ETO_OPAQUE, &R, nullptr, 0, nullptr);
}

constexpr TColor kGridLineColor = 0xC0C0C0;

} // namespace

void TCustomGrid::InvalidateCell(int ACol, int ARow) {
  InvalidateGridRect(TGridRect{ACol, ARow, ACol, ARow});
}

void TCustomGrid::InvalidateGridRect(const TGridRect& G) {
  if (!HandleAllocated()) return;
  RECT Client = ClientRect();
  // Clip the cell range to what can be visible before turning it into pixels.
  auto Span = [](int From, int To, int Fixed, int First, const TGridAxis& Axis, int FixedExt,
                 int Limit, int& Lo, int& Hi) {
    auto Pos = [&](int I) -> std::int64_t {
      return I < Fixed ? Axis.Offset(I) : FixedExt + Axis.Offset(I) - Axis.Offset(First);
    };
    From = std::clamp(From, 0, Axis.Count() - 1);
    To = std::clamp(To, 0, Axis.Count() - 1);
    if (From >= Fixed && From < First) From = First;
    std::int64_t A = Pos(From), B = To >= Fixed && To < First ? Pos(First) : Pos(To + 1);
    Lo = static_cast<int>(std::clamp<std::int64_t>(A, 0, Limit));
    Hi = static_cast<int>(std::clamp<std::int64_t>(B, 0, Limit));
  };
  RECT R;
  int L = 0, Rr = 0, T = 0, B = 0;
  Span(G.Left, G.Right, FFixedCols, FLeftCol, FCols, FixedWidth(), Client.right, L, Rr);
  Span(G.Top, G.Bottom, FFixedRows, FTopRow, FRows, FixedHeight(), Client.bottom, T, B);
  R = RECT{L, T, Rr, B};
  if (R.right > R.left && R.bottom > R.top) InvalidateRect(WindowHandle(), &R, FALSE);
}

void TCustomGrid::WMEraseBkgnd(TMessage& Message) {
  Message.Result = 1;
}

void TCustomGrid::WMPaint(TMessage& Message) {
  PaintHandler(Message);
}

TGridDrawState TCustomGrid::CellState(int ACol, int ARow) const {
  if (ACol < FFixedCols || ARow < FFixedRows) return gdFixed;
  TGridDrawState State = 0;
  bool Focus = ACol == FCurrentCol && ARow == FCurrentRow;
  if (Focus && IsActiveControl()) State |= gdFocused;
  TGridRect S = Selection();
  bool InSel = ACol >= S.Left && ACol <= S.Right && ARow >= S.Top && ARow <= S.Bottom;
  // The current cell shows selected only when asked to, or in row selection.
  if (InSel && (!Focus || (FOptions & (goDrawFocusSelected | goRowSelect)))) State |= gdSelected;
  return State;
}

void TCustomGrid::PaintWindow(HDC DC) {
  RECT Clip;
  if (GetClipBox(DC, &Clip) == NULLREGION) return;
  RECT Client = ClientRect();
  FCanvas.Font().Assign(Font());
  FCanvas.SetHandle(DC);
  HGDIOBJ OldFont = SelectObject(DC, Font().Handle());
  int FW = FixedWidth(), FH = FixedHeight();
  int LW = GridLineWidth();

  // The columns and rows that meet the clip box: fixed ones, then the
  // scrolled ones from LeftCol/TopRow on.
  auto Range = [](int ClipLo, int ClipHi, int Fixed, int First, const TGridAxis& Axis, int FixedExt,
                  int& FixedFrom, int& FixedTo, int& From, int& To) {
    FixedFrom = std::min(Axis.IndexAt(ClipLo), Fixed);
    FixedTo = std::min(Axis.IndexAt(std::min(ClipHi, FixedExt) - 1), Fixed - 1);
    if (ClipLo >= FixedExt) FixedTo = -1;
    std::int64_t Base = Axis.Offset(First);
    From = Axis.IndexAt(Base + std::max(0, ClipLo - FixedExt));
    To = std::min(Axis.IndexAt(Base + (ClipHi - FixedExt) - 1), Axis.Count() - 1);
    if (ClipHi <= FixedExt) To = From - 1;
  };
  int FC0, FC1, C0, C1, FR0, FR1, R0, R1;
  Range(Clip.left, Clip.right, FFixedCols, FLeftCol, FCols, FW, FC0, FC1, C0, C1);
  Range(Clip.top, Clip.bottom, FFixedRows, FTopRow, FRows, FH, FR0, FR1, R0, R1);

  auto EachRow = [&](auto&& F) {
    for (int R = FR0; R <= FR1; ++R)
      F(R);
    for (int R = R0; R <= R1; ++R)
      F(R);
  };
  auto EachCol = [&](auto&& F) {
    for (int C = FC0; C <= FC1; ++C)
      F(C);
    for (int C = C0; C <= C1; ++C)
      F(C);
  };
  EachRow([&](int ARow) {
    int Y = RowTop(ARow);
    int H = FRows.Size(ARow);
    EachCol([&](int ACol) {
      int X = ColLeft(ACol);
      int W = FCols.Size(ACol);
      PaintCell(DC, ACol, ARow, RECT{X, Y, X + W, Y + H}, RECT{X, Y, X + W + LW, Y + H + LW});
    });
  });
  // The area past the last column and row.
  int LastX = static_cast<int>(
      std::min<std::int64_t>(Client.right, FW + FCols.Offset(ColCount()) - FCols.Offset(FLeftCol)));
  int LastY = static_cast<int>(
      std::min<std::int64_t>(Client.bottom, FH + FRows.Offset(RowCount()) - FRows.Offset(FTopRow)));
  Fill(DC, RECT{std::max(LastX, 0), Clip.top, Client.right, Clip.bottom}, Color());
  Fill(DC, RECT{Clip.left, std::max(LastY, 0), Client.right, Client.bottom}, Color());
  SelectObject(DC, OldFont);
  FCanvas.SetHandle(nullptr);
}

void TCustomGrid::PaintCell(HDC DC, int ACol, int ARow, const RECT& Cell, const RECT& Span) {
  TGridDrawState State = CellState(ACol, ARow);
  bool Fixed = State & gdFixed;
  TColor Back = Fixed ? FFixedColor : (State & gdSelected) ? clHighlight : Color();
  TColor Text = (State & gdSelected) ? clHighlightText : Font().Color();
  Fill(DC, Span, Back);
  // The grid lines right of and below the cell.
  bool Vert = FOptions & (Fixed ? goFixedVertLine : goVertLine);
  bool Horz = FOptions & (Fixed ? goFixedHorzLine : goHorzLine);
  TColor Line = Fixed ? clBlack : kGridLineColor;
  if (Vert) Fill(DC, RECT{Cell.right, Span.top, Span.right, Span.bottom}, Line);
  if (Horz) Fill(DC, RECT{Span.left, Cell.bottom, Span.right, Span.bottom}, Line);
  Fill(DC, Cell, Back);
  SetTextColor(DC, ColorToRGB(Text));
  SetBkColor(DC, ColorToRGB(Back));
  int Saved = SaveDC(DC);
  IntersectClipRect(DC, Cell.left, Cell.top, Cell.right, Cell.bottom);
  DrawCell(ACol, ARow, Cell, State);
  RestoreDC(DC, Saved);
  if (Fixed && FCtl3D) {
    RECT Edge = Cell;
    DrawEdge(DC, &Edge, BDR_RAISEDINNER, BF_RECT);
  }
  if ((State & gdFocused) && !EditorShowing() && !(FOptions & goRowSelect)) {
    RECT Focus = Cell;
    SetTextColor(DC, ColorToRGB(clWindowText));
    SetBkColor(DC, ColorToRGB(Back));
    DrawFocusRect(DC, &Focus);
  }
}

void TCustomGrid::DrawCell(int, int, const RECT&, TGridDrawState) {}

} // namespace tk
