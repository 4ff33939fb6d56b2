// The stored layout text format: nested objects with their property values.
//
//   object frmMain: TfrmMain
//     Caption = 'Title'#39's'
//     Font.Style = [fsBold]
//     object Memo1: TMemo
//       Lines.Strings = (
//         'first'
//         'second')
//     end
//   end
//
// An object's properties come before its nested objects. Every property, object
// header and 'end' stands on its own line.
#pragma once

#include "toolkit/core/LayoutValue.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tk {

struct TLayoutObject {
  std::string Name;
  std::string ClassName;
  int Line = 0; // of the 'object' keyword
  // In text order; a dotted name (Font.Height) is kept whole. Each value's Line
  // is the line of its property name.
  std::vector<std::pair<std::string, TLayoutValue>> Properties;
  std::vector<TLayoutObject> Children;
};

// Deepest nesting of objects accepted, the root counting as the first level.
inline constexpr int kMaxLayoutDepth = 64;

// Throws ELayoutError with the message every layout error has:
// "RESOURCE(LINE): MESSAGE".
[[noreturn]] void ThrowLayoutError(std::string_view ResourceName, int Line,
                                   std::string_view Message);

// Parses a whole layout. Throws ELayoutError "RESOURCE(LINE): what was wrong"
// on any syntax error.
TLayoutObject ParseLayout(std::string_view ResourceName, std::string_view Text);

} // namespace tk
