// The Quillet grid component: formatted cells and per-cell editor styles.
#pragma once

#include "components/EditStyle.h"
#include "components/FormatRules.h"
#include "components/FormatedStringGrid.h"
#include "components/QuilletGrid.h"
#include "components/QuilletInplaceEdit.h"
#include "components/QuilletPopupListbox.h"

namespace quillet {

// Makes the component classes known to stored layouts by class name.
void RegisterQuilletClasses();

} // namespace quillet
