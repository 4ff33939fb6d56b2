#include "components/Quillet.h"

#include "toolkit/core/ClassRegistry.h"

namespace quillet {

void RegisterQuilletClasses() {
  tk::RegisterComponentClass<TQuillet>("TQuillet");
}

} // namespace quillet
