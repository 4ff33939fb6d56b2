// Root of the toolkit's class tree.
#pragma once

#include <string_view>

namespace tk {

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  // The class name as written in stored layouts and error messages.
  virtual std::string_view ClassName() const { return "TObject"; }
};

} // namespace tk
