// The system's language support, read once at start-up. Tests may change the
// fields to exercise right-to-left layout or double-byte handling.
#pragma once

namespace tk {

struct TSysLocale {
  bool FarEast;    // double-byte character sets (SM_DBCSENABLED)
  bool MiddleEast; // right-to-left languages (SM_MIDEASTENABLED)
};

TSysLocale& SysLocale();

} // namespace tk
