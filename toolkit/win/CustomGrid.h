// The grid mechanics: rows and columns with sparse sizes, scrolling,
// painting, keyboard and mouse navigation, selection, and the management of
// the in-place editor (when it is loaded from a cell, written back, placed
// and hidden).
#pragma once

#include "toolkit/core/GridAxis.h"
#include "toolkit/win/WinControl.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tk {

class TInplaceEdit;

enum TGridOption : std::uint32_t {
  goFixedVertLine = 1,
  goFixedHorzLine = 2,
  goVertLine = 4,
  goHorzLine = 8,
  goRangeSelect = 16,
  goDrawFocusSelected = 32,
  goRowSizing = 64,
  goColSizing = 128,
  goRowMoving = 256,
  goColMoving = 512,
  goEditing = 1024,
  goTabs = 2048,
  goRowSelect = 4096,
  goAlwaysShowEditor = 8192,
  goThumbTracking = 16384
};
using TGridOptions = std::uint32_t;

enum TGridDrawStateFlag : std::uint8_t { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = std::uint8_t;

struct TGridRect {
  int Left, Top, Right, Bottom;
};

using TSelectCellEvent = TMethod<TObject*, int, int, bool&>;

class TCustomGrid : public TWinControl {
public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;
  std::string_view ClassName() const override { return "TCustomGrid"; }

  int ColCount() const { return FCols.Count(); }
  void SetColCount(int Value);
  int RowCount() const { return FRows.Count(); }
  void SetRowCount(int Value);
  int FixedCols() const { return FFixedCols; }
  void SetFixedCols(int Value);
  int FixedRows() const { return FFixedRows; }
  void SetFixedRows(int Value);
  int DefaultColWidth() const { return FCols.DefaultSize(); }
  void SetDefaultColWidth(int Value);
  int DefaultRowHeight() const { return FRows.DefaultSize(); }
  void SetDefaultRowHeight(int Value);
  int ColWidths(int ACol) const { return FCols.Size(ACol); }
  void SetColWidths(int ACol, int Value);
  int RowHeights(int ARow) const { return FRows.Size(ARow); }
  void SetRowHeights(int ARow, int Value);
  int GridLineWidth() const { return FCols.LineWidth(); }
  void SetGridLineWidth(int Value);
  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  // Fixed cells drawn with a raised 3-D edge (true) or flat.
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);

  int Col() const { return FCurrentCol; }
  void SetCol(int Value);
  int Row() const { return FCurrentRow; }
  void SetRow(int Value);
  void FocusCell(int ACol, int ARow);
  TGridRect Selection() const;
  int TopRow() const { return FTopRow; }
  void SetTopRow(int Value);
  int LeftCol() const { return FLeftCol; }
  void SetLeftCol(int Value);
  // Non-fixed rows (columns) wholly visible from TopRow (LeftCol) on.
  int VisibleColCount() const;
  int VisibleRowCount() const;
  // Client coordinates; all 0 when the cell is not visible.
  RECT CellRect(int ACol, int ARow) const;
  bool MouseToCell(int X, int Y, int& ACol, int& ARow) const;

  bool EditorMode() const { return FEditorMode; }
  void SetEditorMode(bool Value);
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit.get(); }
  void InvalidateCell(int ACol, int ARow);
  void InvalidateGridRect(const TGridRect& R);
  // Forgets the last loaded cell; while the editor is shown, hides it
  // without writing its text back and loads the cell again.
  void InvalidateEditor();
  void ShowEditor();
  void HideEditor();

  // The canvas DrawCell paints on; valid while the grid paints.
  TCanvas& Canvas() { return FCanvas; }

  TNotifyEvent OnTopLeftChanged;
  TSelectCellEvent OnSelectCell;

  // Public so that the in-place editor can route its keys here.
  virtual void KeyPress(char& Key) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void DblClick() override;

  // With the editor shown, focusing the grid focuses the editor.
  void SetFocus() override;
  bool WantsDialogKey(WORD Key) const override;
  bool SetPublishedProperty(std::string_view Name, const TLayoutValue& Value,
                            TLayoutBinder& Binder) override;

protected:
  virtual TInplaceEdit* CreateEditor();
  virtual std::string GetEditMask(int ACol, int ARow);
  virtual std::string GetEditText(int ACol, int ARow);
  virtual void SetEditText(int ACol, int ARow, const std::string& Value);
  virtual int GetEditLimit();
  virtual bool CanEditModify();
  virtual bool CanEditShow();
  virtual bool SelectCell(int ACol, int ARow);
  virtual void DrawCell(int ACol, int ARow, const RECT& Rect, TGridDrawState State);
  virtual void TopLeftChanged();
  // After ColCount or RowCount changed; storage drops what no longer exists.
  virtual void SizeChanged(int OldColCount, int OldRowCount);

  void CreateParams(TCreateParams& Params) override;
  void CreateHandleDone() override;
  void Dispatch(TMessage& Message) override;
  void PaintWindow(HDC DC) override;
  void WMPaint(TMessage& Message) override;
  void WMSize(TMessage& Message) override;
  void WMSetFocus(TMessage& Message) override;
  void WMKillFocus(TMessage& Message) override;
  void WMSetCursor(TMessage& Message) override;
  void WMCancelMode(TMessage& Message) override;
  void CMCancelMode(TMessage& Message) override;
  void WMChar(TMessage& Message) override;
  void WMEraseBkgnd(TMessage& Message) override;
  void WMCommand(TMessage& Message) override;
  void WMGetDlgCode(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  // Moves the current cell; the anchor of the selection follows unless
  // extending. Show scrolls the cell into view.
  void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
  // Writes the editor's text back into the cell it was loaded with.
  void UpdateText();

  friend class TInplaceEdit;

private:
  enum class TGridState : std::uint8_t { Normal, Selecting, ColSizing };

  // Editor management.
  void UpdateEdit();
  void LoadEditor();
  void HideEdit();
  void EditorTextChanged();
  void EditorFocusLeaving(HWND NewFocus);
  bool EditorShowing() const;
  // In editor mode and loaded with the current cell: kept over that cell
  // when the view scrolls (shown again once the cell is back in view).
  bool EditorPlaced() const;
  bool IsActiveControl() const;

  // Geometry and scrolling.
  int FixedWidth() const;
  int FixedHeight() const;
  int ColLeft(int ACol) const; // client x of a visible column
  int RowTop(int ARow) const;
  int MaxTopRow() const;
  int MaxLeftCol() const;
  void ClampInView(int ACol, int ARow);
  void SetTopLeft(int ALeftCol, int ATopRow);
  void UpdateScrollRange();
  void ScrollMessage(int Bar, WORD Code);
  void GeometryChanged();
  void ResetCurrent();
  int ColBorderAt(int X, int Y) const;
  TShiftState KeyboardShift() const;

  // Painting.
  void PaintCell(HDC DC, int ACol, int ARow, const RECT& Cell, const RECT& Span);
  TGridDrawState CellState(int ACol, int ARow) const;

  TGridAxis FCols;
  TGridAxis FRows;
  int FFixedCols = 1;
  int FFixedRows = 1;
  TGridOptions FOptions;
  TScrollStyle FScrollBars = ssBoth;
  TBorderStyle FBorderStyle = bsSingle;
  TColor FFixedColor = clBtnFace;
  bool FCtl3D = true;
  int FCurrentCol = 1, FCurrentRow = 1;
  int FAnchorCol = 1, FAnchorRow = 1;
  int FTopRow = 1, FLeftCol = 1;

  std::unique_ptr<TInplaceEdit> FInplaceEdit;
  bool FEditorMode = false;
  int FInplaceCol = -1, FInplaceRow = -1;
  bool FCanEditModify = true;
  bool FUpdatingEdit = false;

  TGridState FGridState = TGridState::Normal;
  int FSizingCol = -1;
  int FSizingStart = 0;
  bool FClickedCurrent = false;
  bool FUpdatingScroll = false;
  TCanvas FCanvas;
};

} // namespace tk
