#include "components/QuilletInplaceEdit.h"

#include <windows.h>

namespace quillet {

TQuilletInplaceEdit::TQuilletInplaceEdit(tk::TComponent* AOwner) : tk::TInplaceEdit(AOwner) {
  FBtnWidth = GetSystemMetrics(SM_CXVSCROLL);
  FStyle = esEllipsis;
  SetReadOnly(false);
}

} // namespace quillet
