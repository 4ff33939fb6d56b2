// The toolkit's exception types.
#pragma once

#include <stdexcept>
#include <string>

namespace tk {

// Base of the toolkit's own errors; its message is what the application's
// default exception handling shows.
class Exception : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A stored layout that cannot be read: names the resource, the line and the
// offending name.
class ELayoutError : public Exception {
public:
  using Exception::Exception;
};

} // namespace tk
