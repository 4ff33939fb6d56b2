// A grid of strings with an object per cell, kept in sparse storage, whose
// in-place editor edits the cell texts.
#pragma once

#include "toolkit/core/CellStore.h"
#include "toolkit/win/CustomGrid.h"

#include <string>

namespace tk {

// (Sender, ACol, ARow, Value in/out)
using TGetEditEvent = TMethod<TObject*, int, int, std::string&>;
// (Sender, ACol, ARow, Value)
using TSetEditEvent = TMethod<TObject*, int, int, const std::string&>;

class TStringGrid : public TCustomGrid {
public:
  explicit TStringGrid(TComponent* AOwner);
  std::string_view ClassName() const override { return "TStringGrid"; }

  std::string Cells(int ACol, int ARow) const { return FStore.Text(ACol, ARow); }
  // Writing the current cell from outside the grid's own write-back
  // reloads the editor (InvalidateEditor).
  void SetCells(int ACol, int ARow, const std::string& Value);
  TObject* Objects(int ACol, int ARow) const { return FStore.Object(ACol, ARow); }
  void SetObjects(int ACol, int ARow, TObject* Value);
  // The storage, for inspecting how much of it a grid uses.
  const TCellStore& Store() const { return FStore; }

  TGetEditEvent OnGetEditMask;
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;

  bool SetPublishedProperty(std::string_view Name, const TLayoutValue& Value,
                            TLayoutBinder& Binder) override;

protected:
  std::string GetEditMask(int ACol, int ARow) override;
  std::string GetEditText(int ACol, int ARow) override;
  // Stores Value if it differs, without reloading the editor, then raises
  // OnSetEditText.
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
  void DrawCell(int ACol, int ARow, const RECT& Rect, TGridDrawState State) override;
  void SizeChanged(int OldColCount, int OldRowCount) override;

private:
  void CellChanged(int ACol, int ARow);

  TCellStore FStore;
  int FEditUpdate = 0;
};

} // namespace tk
