// The in-place editor of TQuillet: the host editor with a button drawn inside
// its right edge (left under right-to-left layout) whose look and behaviour
// follow the cell's editor style, and the pick list it drops down.
#pragma once

#include "components/EditStyle.h"
#include "toolkit/win/InplaceEdit.h"

namespace quillet {

class TQuillet;
class TQuilletPopupListbox;

class TQuilletInplaceEdit : public tk::TInplaceEdit {
public:
  explicit TQuilletInplaceEdit(tk::TComponent* AOwner);
  std::string_view ClassName() const override { return "TQuilletInplaceEdit"; }

private:
  int FBtnWidth = 0;
  TQuilletPopupListbox* FPopupList = nullptr;
  TQuilletPopupListbox* FCurrentList = nullptr;
  TEditStyle FStyle = esEllipsis;
  bool FDroppedDown = false;
  bool FBtnTracking = false;
  bool FBtnDown = false;
};

} // namespace quillet
