// One property value of a stored layout, as the reader found it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tk {

struct TLayoutValue {
  enum class TKind { Integer, String, Identifier, Set, StringList };
  TKind Kind = TKind::Integer;
  std::int64_t Integer = 0;       // Integer
  std::string Text;               // String and Identifier
  std::vector<std::string> Items; // Set (identifiers) and StringList (strings)
  int Line = 0;                   // where the value stands, for error messages
};

} // namespace tk
