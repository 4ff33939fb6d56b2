// Text rules of formatted cells: format kinds, keystroke filters, the integer,
// float and date syntax, currency and short-date output, and the
// normalisation applied when an editor's text is written back into a cell.
// Platform-free: every rule is a pure function of its arguments.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// How the text of the cell being edited is treated.
enum TFormatKind : std::uint8_t { fkNone, fkInteger, fkFloat, fkCurrency, fkDate };

// A calendar date (proleptic Gregorian).
struct TDate {
  int Year;
  int Month;
  int Day;
  friend bool operator==(const TDate&, const TDate&) = default;
};

// The locale settings the rules read. The toolkit fills one from the platform
// each time a rule runs; tests build their own.
struct TFormatSettings {
  char DecimalSeparator = '.';
  char DateSeparator = '/';
  std::string ShortDateFormat = "m/d/yy";
  int TwoDigitYearCenturyWindow = 50;
  std::array<std::string, 12> ShortMonthNames, LongMonthNames; // January first
  std::array<std::string, 7> ShortDayNames, LongDayNames;      // Sunday first
};

// The character a filter answers to refuse a key.
inline constexpr char kRefusedKey = 27;

char FilterIntegerKey(char Key);
char FilterFloatKey(char Key, std::string_view EditText, char DecimalSeparator);
char FilterCurrencyKey(char Key, std::string_view EditText, std::int32_t SelStart,
                       char DecimalSeparator);

namespace detail {
inline constexpr std::int64_t kInvalidInteger = INT64_MIN;
// The value of an integer text, or kInvalidInteger.
std::int64_t IntegerTextValue(std::string_view Text);
} // namespace detail

// Inline so that the optional is built in the caller's registers: returned
// from another unit, GCC passes it through memory in a way that stalls the
// load of the result.
inline std::optional<std::int32_t> ParseIntegerText(std::string_view Text) {
  const std::int64_t Value = detail::IntegerTextValue(Text);
  if (Value == detail::kInvalidInteger) return std::nullopt;
  return static_cast<std::int32_t>(Value);
}
// The value is in 80-bit extended precision where long double provides it (the
// x87 format of both toolchains used here). A toolchain whose long double is
// a plain double would reject float texts above about 1.8e308 instead of
// 1.19e4932, and could round the last ten-thousandth of a currency amount
// with more than 15 significant digits differently.
std::optional<long double> ParseFloatText(std::string_view Text, char DecimalSeparator);
std::optional<TDate> ParseDateText(std::string_view Text, const TFormatSettings& Settings,
                                   int CurrentYear);

// Amount counts ten-thousandths of a unit.
std::string FormatCurrencyText(std::int64_t Amount, char DecimalSeparator);
std::string FormatShortDateText(TDate Date, const TFormatSettings& Settings);

// The text to store when an editor's Text is written back into a cell of the
// given kind. Never throws.
std::string NormalizeEditText(TFormatKind Kind, std::string_view Text,
                              const TFormatSettings& Settings, TDate Today);

} // namespace quillet
