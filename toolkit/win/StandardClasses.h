// Registers the toolkit's controls with the layout reader, so that stored
// layouts can create them by class name. Call once at program start.
#pragma once

namespace tk {

void RegisterStandardClasses();

} // namespace tk
