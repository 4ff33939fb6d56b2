// The user's locale settings and the local clock, read from the system each
// time they are asked for, so a change of the settings is seen at once.
#pragma once

#include "components/FormatRules.h"

namespace tk {

quillet::TFormatSettings CurrentFormatSettings();
char CurrentDecimalSeparator();
quillet::TDate LocalDate();

// The system's short date format in the form the text rules read (month
// tokens in lower case); exposed for tests.
std::string ConvertShortDateFormat(const std::string& SystemFormat);

} // namespace tk
