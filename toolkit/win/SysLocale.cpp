#include "toolkit/win/SysLocale.h"

#include <windows.h>

namespace tk {

TSysLocale& SysLocale() {
  static TSysLocale Locale{GetSystemMetrics(SM_DBCSENABLED) != 0,
                           GetSystemMetrics(SM_MIDEASTENABLED) != 0};
  return Locale;
}

} // namespace tk
