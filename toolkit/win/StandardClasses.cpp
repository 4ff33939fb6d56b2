#include "toolkit/win/StandardClasses.h"

#include "toolkit/core/ClassRegistry.h"
#include "toolkit/win/ListBox.h"
#include "toolkit/win/Memo.h"
#include "toolkit/win/StringGrid.h"

namespace tk {

void RegisterStandardClasses() {
  RegisterComponentClass<TMemo>("TMemo");
  RegisterComponentClass<TStringGrid>("TStringGrid");
  RegisterComponentClass<TListBox>("TListBox");
}

} // namespace tk
