// Reads a stored layout into an existing root component (a form): creates the
// nested components, owned by the root, binds them to the root's published
// fields, sets every stored property and binds handlers by name.
#pragma once

#include <string_view>

namespace tk {

class TComponent;

// The layout's top object must be of Root's class. For each component read,
// in text order: created through the class registry with Root as owner (a
// nested one), named, placed in the component whose object encloses it, bound
// to Root's field of its name, put into the loading state and given its
// properties. When everything has been read, Loaded runs once on each
// component, nested components before the one enclosing them and Root last,
// so that each sees its nested components complete.
//
// Any fault throws ELayoutError "RESOURCE(LINE): ..." naming the offending
// class, property, value or handler. The components created up to that point
// stay owned by Root, and bound to its fields; Loaded has run on none of them.
void ReadComponentLayout(TComponent& Root, std::string_view ResourceName, std::string_view Text);

} // namespace tk
