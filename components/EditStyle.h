// Editor styles and the event types of the drop-down grid.
#pragma once

#include "toolkit/core/Events.h"
#include "toolkit/core/Strings.h"

#include <cstdint>

namespace quillet {

// What the in-place editor of a cell looks like.
enum TEditStyle : std::uint8_t { esSimple, esEllipsis, esPickList };

// (Sender, ACol, ARow, Value in/out, ReadOnly in/out)
using TGetEditStyleEvent = tk::TMethod<tk::TObject*, int, int, TEditStyle&, bool&>;
// (Sender, ACol, ARow, Value: the pick list's strings)
using TGetDropDownListEvent = tk::TMethod<tk::TObject*, int, int, tk::TStrings*>;

} // namespace quillet
