#include "components/FormatRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace quillet {
namespace {

constexpr bool IsDigit(char C) {
  return C >= '0' && C <= '9';
}

constexpr char ToLowerAscii(char C) {
  return C >= 'A' && C <= 'Z' ? static_cast<char>(C + 32) : C;
}

constexpr int HexDigitValue(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

// 5^27 < 2^64 <= 5^28, so 10^0 .. 10^27 are exact in the 64-bit mantissa of
// the extended format. An exact integer of at most 64 bits multiplied or
// divided by one of them is then rounded once, which is the correctly rounded
// value of the decimal text.
constexpr int kMaxExactPow10 = 27;
constexpr auto kPow10 = [] {
  std::array<long double, kMaxExactPow10 + 1> Table{};
  long double Power = 1;
  for (auto& Entry : Table) {
    Entry = Power;
    Power *= 10;
  }
  return Table;
}();

constexpr std::array<std::uint64_t, 20> kPow10Int = [] {
  std::array<std::uint64_t, 20> Table{};
  std::uint64_t Power = 1;
  for (auto& Entry : Table) {
    Entry = Power;
    Power *= 10;
  }
  return Table;
}();

// The hexadecimal forms of an integer text, from the prefix on: "$", "x",
// "X", "0x" or "0X", then at most eight significant digits.
std::int64_t ParseHexForm(const char* P, const char* End) {
  if (*P == '0') ++P; // the caller saw an "x" or "X" after it
  if (*P != '$' && *P != 'x' && *P != 'X') return detail::kInvalidInteger;
  if (++P == End) return detail::kInvalidInteger;
  std::uint32_t Value = 0;
  int Significant = 0;
  for (; P != End; ++P) {
    const int Digit = HexDigitValue(*P);
    if (Digit < 0) return detail::kInvalidInteger;
    if ((Significant > 0 || Digit != 0) && ++Significant > 8) return detail::kInvalidInteger;
    Value = (Value << 4) | static_cast<std::uint32_t>(Digit);
  }
  return static_cast<std::int32_t>(Value); // the 32-bit pattern: $FFFFFFFF is -1
}

// A run of decimal digits in a float text.
struct TDigitRun {
  const char* Begin;
  const char* End;
};

// The value of IntDigits followed by FracDigits read as one integer, times ten
// to the power Scale, when it takes a single rounding: at most 19 digits (one
// exact 64-bit integer) and a power of ten that is exact as well. False when
// the value needs the general conversion.
bool ExactDecimalValue(TDigitRun IntDigits, TDigitRun FracDigits, long long Scale,
                       long double& Value) {
  if ((IntDigits.End - IntDigits.Begin) + (FracDigits.End - FracDigits.Begin) > 19) return false;
  std::uint64_t Mantissa = 0;
  for (auto Run : {IntDigits, FracDigits})
    for (const char* D = Run.Begin; D != Run.End; ++D)
      Mantissa = Mantissa * 10 + static_cast<std::uint64_t>(*D - '0');
  if (Mantissa == 0) {
    Value = 0;
  } else if (Scale >= 0 && Scale <= kMaxExactPow10) {
    Value = static_cast<long double>(Mantissa) * kPow10[static_cast<std::size_t>(Scale)];
  } else if (Scale < 0 && Scale >= -kMaxExactPow10) {
    Value = static_cast<long double>(Mantissa) / kPow10[static_cast<std::size_t>(-Scale)];
  } else if (Scale > kMaxExactPow10 && Scale - kMaxExactPow10 < 20 &&
             Mantissa <= std::numeric_limits<std::uint64_t>::max() /
                             kPow10Int[static_cast<std::size_t>(Scale - kMaxExactPow10)]) {
    // The part of the power beyond 10^27 goes into the integer while it fits.
    Mantissa *= kPow10Int[static_cast<std::size_t>(Scale - kMaxExactPow10)];
    Value = static_cast<long double>(Mantissa) * kPow10[kMaxExactPow10];
  } else {
    return false;
  }
  return true;
}

// The value of IntDigits followed by FracDigits read as one integer, times ten
// to the power Scale, computed by the C library's correctly rounded
// conversion. The text handed to it has no decimal point, so the conversion
// does not depend on the locale's numeric settings.
std::optional<long double> SlowDecimalValue(TDigitRun IntDigits, TDigitRun FracDigits,
                                            long long Scale) {
  std::string Digits;
  Digits.reserve(static_cast<std::size_t>(IntDigits.End - IntDigits.Begin) +
                 static_cast<std::size_t>(FracDigits.End - FracDigits.Begin) + 24);
  for (auto Run : {IntDigits, FracDigits})
    for (const char* P = Run.Begin; P != Run.End; ++P)
      if (!Digits.empty() || *P != '0') Digits.push_back(*P);
  if (Digits.empty()) return 0.0L;

  // Decide far-out magnitudes here, so that the exponent handed on stays
  // small: the value lies in [10^(Magnitude-1), 10^Magnitude).
  const long long Magnitude = static_cast<long long>(Digits.size()) + Scale;
  if (Magnitude > std::numeric_limits<long double>::max_exponent10 + 1) return std::nullopt;
  if (Magnitude < std::numeric_limits<long double>::min_exponent10 - 64) return 0.0L;

  char Exponent[24];
  Exponent[0] = 'e';
  const auto Written = std::to_chars(Exponent + 1, Exponent + sizeof Exponent, Scale);
  Digits.append(Exponent, Written.ptr);

  const long double Value = std::strtold(Digits.c_str(), nullptr);
  if (std::isinf(Value)) return std::nullopt;
  return Value;
}

// Rounds a scaled amount to the nearest signed 64-bit integer, ties to even
// (the rounding mode in force, which the program never changes); nothing when
// the rounded value is out of range. Above 2^62 the spacing of the format is
// 0.5, so 2^63 - 0.5 is the one value below 2^63 that rounds out of range.
std::optional<std::int64_t> RoundToInt64(long double Scaled) {
  constexpr long double kTwo63 = 9223372036854775808.0L;
  if (!(Scaled >= -kTwo63 && Scaled < kTwo63 - 0.5L)) return std::nullopt;
  return std::llrint(Scaled);
}

// |Value| in unsigned arithmetic, so that the lowest value has one too.
std::uint64_t Magnitude(std::int64_t Value) {
  return Value < 0 ? 0 - static_cast<std::uint64_t>(Value) : static_cast<std::uint64_t>(Value);
}

// "0%S00" with the separator for %S.
std::string TwoDecimalZero(char DecimalSeparator) {
  const char Text[4] = {'0', DecimalSeparator, '0', '0'};
  return std::string(Text, sizeof Text);
}

// Writes Value in decimal at Out, padded with zeros to MinWidth; returns the
// end of what was written.
char* WriteUnsigned(char* Out, std::uint64_t Value, int MinWidth = 1) {
  char Digits[20];
  const auto Written = std::to_chars(Digits, Digits + sizeof Digits, Value);
  for (auto Width = Written.ptr - Digits; Width < MinWidth; ++Width)
    *Out++ = '0';
  return std::copy(Digits, Written.ptr, Out);
}

void AppendUnsigned(std::string& Out, std::uint64_t Value, int MinWidth = 1) {
  char Buffer[24];
  Out.append(Buffer, WriteUnsigned(Buffer, Value, MinWidth));
}

// Date texts --------------------------------------------------------------

enum class TDateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

TDateOrder DateOrderOf(std::string_view Format) {
  for (char C : Format) {
    switch (ToLowerAscii(C)) {
    case 'd':
      return TDateOrder::DayMonthYear;
    case 'e':
    case 'y':
      return TDateOrder::YearMonthDay;
    case 'm':
      return TDateOrder::MonthDayYear;
    default:
      break;
    }
  }
  return TDateOrder::MonthDayYear;
}

bool IsLeapYear(int Year) {
  return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0;
}

int DaysInMonth(int Year, int Month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return Month == 2 && IsLeapYear(Year) ? 29 : kDays[Month - 1];
}

bool IsValidDate(int Year, int Month, int Day) {
  return Year >= 1 && Year <= 9999 && Month >= 1 && Month <= 12 && Day >= 1 &&
         Day <= DaysInMonth(Year, Month);
}

// Sunday = 0; valid for any Gregorian date from year 1 on.
int DayOfWeek(TDate Date) {
  static constexpr int kMonthOffset[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  const int Year = Date.Month < 3 ? Date.Year - 1 : Date.Year;
  return (Year + Year / 4 - Year / 100 + Year / 400 + kMonthOffset[Date.Month - 1] + Date.Day) % 7;
}

struct TDateNumber {
  int Value = 0;
  int Width = 0;
};

class TDateScanner {
public:
  explicit TDateScanner(std::string_view Text) : P(Text.data()), End(Text.data() + Text.size()) {}

  void SkipSpaces() {
    while (P != End && *P == ' ')
      ++P;
  }
  bool AtEnd() const { return P == End; }
  bool Take(char C) {
    if (P == End || *P != C) return false;
    ++P;
    return true;
  }
  // Digits are taken only while the value is below 1000, so a number has at
  // most four significant digits; leading zeros count towards the width.
  bool ReadNumber(TDateNumber& Number) {
    SkipSpaces();
    Number = {};
    while (P != End && IsDigit(*P) && Number.Value < 1000) {
      Number.Value = Number.Value * 10 + (*P - '0');
      ++Number.Width;
      ++P;
    }
    return Number.Width > 0;
  }
  bool ReadSeparator(char Separator) {
    SkipSpaces();
    return Take(Separator);
  }

private:
  const char* P;
  const char* End;
};

void AppendName(std::string& Out, const std::string* Names, int Count, int Index) {
  if (Index >= 0 && Index < Count) Out += Names[Index];
}

} // namespace

char FilterIntegerKey(char Key) {
  return IsDigit(Key) || Key == '\b' || Key == '\r' ? Key : kRefusedKey;
}

char FilterFloatKey(char Key, std::string_view EditText, char DecimalSeparator) {
  if (!IsDigit(Key) && Key != '\b' && Key != '\r' && Key != DecimalSeparator) return kRefusedKey;
  if (Key == DecimalSeparator && EditText.find(DecimalSeparator) != std::string_view::npos)
    return kRefusedKey;
  return Key;
}

char FilterCurrencyKey(char Key, std::string_view EditText, std::int32_t SelStart,
                       char DecimalSeparator) {
  const auto Found = EditText.find(DecimalSeparator);
  const long long P = Found == std::string_view::npos ? 0 : static_cast<long long>(Found) + 1;
  const bool DigitAllowed =
      P == 0 || SelStart < P || static_cast<long long>(EditText.size()) - P < 2;
  if (!IsDigit(Key) && Key != '\b' && Key != '\r' && Key != DecimalSeparator) return kRefusedKey;
  if (Key == DecimalSeparator && P != 0) return kRefusedKey;
  if (IsDigit(Key) && !DigitAllowed) return kRefusedKey;
  return Key;
}

std::int64_t detail::IntegerTextValue(std::string_view Text) {
  const char* P = Text.data();
  const char* const End = P + Text.size();
  if (P == End) return kInvalidInteger;
  if (*P == ' ') [[unlikely]] {
    do {
      if (++P == End) return kInvalidInteger;
    } while (*P == ' ');
  }

  // The sign is taken without a branch: it is as often there as not.
  const char First = *P;
  const bool Negative = First == '-';
  const bool Signed = Negative || First == '+';
  P += Signed;
  if (P == End) return kInvalidInteger;
  auto Digit = static_cast<std::uint32_t>(static_cast<unsigned char>(*P) - '0');
  if (Digit > 9 || (Digit == 0 && End - P >= 2 && (P[1] | 0x20) == 'x')) [[unlikely]] {
    if (Signed) return kInvalidInteger; // no sign before a hexadecimal prefix
    return ParseHexForm(P, End);
  }

  const std::uint32_t Limit = 2147483647u + Negative;
  std::uint32_t Value = Digit;
  while (++P != End) {
    Digit = static_cast<std::uint32_t>(static_cast<unsigned char>(*P) - '0');
    if (Digit > 9) return kInvalidInteger;
    // Value <= Limit < 2^31 before this step, so the product cannot wrap.
    Value = Value * 10 + Digit;
    if (Value > Limit) return kInvalidInteger;
  }
  return Negative ? static_cast<std::int32_t>(0u - Value) : static_cast<std::int32_t>(Value);
}

std::optional<long double> ParseFloatText(std::string_view Text, char DecimalSeparator) {
  const char* P = Text.data();
  const char* const End = P + Text.size();
  while (P != End && *P == ' ')
    ++P;
  const bool Negative = P != End && *P == '-';
  if (P != End && (*P == '+' || *P == '-')) ++P;

  TDigitRun IntDigits{P, P};
  while (P != End && IsDigit(*P))
    ++P;
  IntDigits.End = P;
  TDigitRun FracDigits{P, P};
  bool HasSeparator = false;
  if (P != End && *P == DecimalSeparator) {
    HasSeparator = true;
    FracDigits.Begin = ++P;
    while (P != End && IsDigit(*P))
      ++P;
    FracDigits.End = P;
  }
  if (IntDigits.Begin == IntDigits.End && !HasSeparator) return std::nullopt;

  int Exponent = 0;
  if (P != End && (*P == 'E' || *P == 'e')) {
    ++P;
    const bool ExponentNegative = P != End && *P == '-';
    if (P != End && (*P == '+' || *P == '-')) ++P;
    // Any digit left once the exponent reaches 500 fails the end check below.
    while (P != End && IsDigit(*P) && Exponent < 500)
      Exponent = Exponent * 10 + (*P++ - '0');
    if (ExponentNegative) Exponent = -Exponent;
  }
  while (P != End && *P == ' ')
    ++P;
  if (P != End) return std::nullopt;

  const long long Scale = static_cast<long long>(Exponent) - (FracDigits.End - FracDigits.Begin);
  long double Value;
  if (!ExactDecimalValue(IntDigits, FracDigits, Scale, Value)) {
    const auto Slow = SlowDecimalValue(IntDigits, FracDigits, Scale);
    if (!Slow) return std::nullopt;
    Value = *Slow;
  }
  return Negative ? -Value : Value;
}

std::optional<TDate> ParseDateText(std::string_view Text, const TFormatSettings& Settings,
                                   int CurrentYear) {
  const char Separator = Settings.DateSeparator;
  const TDateOrder Order = DateOrderOf(Settings.ShortDateFormat);
  TDateScanner Scanner(Text);
  TDateNumber N1, N2, N3;
  if (!Scanner.ReadNumber(N1) || !Scanner.ReadSeparator(Separator) || !Scanner.ReadNumber(N2))
    return std::nullopt;
  Scanner.SkipSpaces();
  int Year, Month, Day;
  if (Scanner.Take(Separator)) {
    if (!Scanner.ReadNumber(N3)) return std::nullopt;
    TDateNumber YearNumber;
    switch (Order) {
    case TDateOrder::MonthDayYear:
      Month = N1.Value, Day = N2.Value, YearNumber = N3;
      break;
    case TDateOrder::DayMonthYear:
      Day = N1.Value, Month = N2.Value, YearNumber = N3;
      break;
    case TDateOrder::YearMonthDay:
    default:
      YearNumber = N1, Month = N2.Value, Day = N3.Value;
      break;
    }
    Year = YearNumber.Value;
    if (YearNumber.Width <= 2) {
      const int Base = CurrentYear - Settings.TwoDigitYearCenturyWindow;
      Year += Base / 100 * 100;
      if (Year < Base) Year += 100;
    }
  } else {
    Year = CurrentYear;
    if (Order == TDateOrder::DayMonthYear)
      Day = N1.Value, Month = N2.Value;
    else
      Month = N1.Value, Day = N2.Value;
  }
  Scanner.SkipSpaces();
  Scanner.Take(Separator);
  Scanner.SkipSpaces();
  if (!Scanner.AtEnd() || !IsValidDate(Year, Month, Day)) return std::nullopt;
  return TDate{Year, Month, Day};
}

std::string FormatCurrencyText(std::int64_t Amount, char DecimalSeparator) {
  const std::uint64_t Units = Magnitude(Amount);
  std::uint64_t Hundredths = Units / 100;
  const std::uint64_t Rest = Units % 100;
  if (Rest > 50 || (Rest == 50 && (Hundredths & 1) != 0)) ++Hundredths;
  if (Hundredths == 0) return TwoDecimalZero(DecimalSeparator);

  char Text[32];
  char* Out = Text;
  if (Amount < 0) *Out++ = '-';
  Out = WriteUnsigned(Out, Hundredths / 100);
  *Out++ = DecimalSeparator;
  Out = WriteUnsigned(Out, Hundredths % 100, 2);
  return std::string(Text, Out);
}

std::string FormatShortDateText(TDate Date, const TFormatSettings& Settings) {
  const std::string& Format = Settings.ShortDateFormat;
  const bool Valid = IsValidDate(Date.Year, Date.Month, Date.Day);
  const std::uint64_t Year = Magnitude(Date.Year), Month = Magnitude(Date.Month),
                      Day = Magnitude(Date.Day);
  std::string Out;
  Out.reserve(Format.size() + 16);
  std::size_t I = 0;
  while (I < Format.size()) {
    const char C = Format[I];
    if (C == '\'' || C == '"') {
      const auto Close = Format.find(C, I + 1);
      const auto Stop = Close == std::string::npos ? Format.size() : Close;
      Out.append(Format, I + 1, Stop - I - 1);
      I = Close == std::string::npos ? Format.size() : Close + 1;
      continue;
    }
    if (C == '/') {
      Out.push_back(Settings.DateSeparator);
      ++I;
      continue;
    }
    const char Letter = ToLowerAscii(C);
    if (Letter != 'd' && Letter != 'm' && Letter != 'y') {
      Out.push_back(C);
      ++I;
      continue;
    }
    // A token is a run of one letter in either case.
    std::size_t Count = 1;
    while (I + Count < Format.size() && ToLowerAscii(Format[I + Count]) == Letter)
      ++Count;
    I += Count;
    switch (Letter) {
    case 'd':
      if (Count <= 2)
        AppendUnsigned(Out, Day, static_cast<int>(Count));
      else if (Valid) // four or more letters give the full name
        AppendName(Out, Count == 3 ? Settings.ShortDayNames.data() : Settings.LongDayNames.data(),
                   7, DayOfWeek(Date));
      break;
    case 'm':
      if (Count <= 2)
        AppendUnsigned(Out, Month, static_cast<int>(Count));
      else
        AppendName(Out,
                   Count == 3 ? Settings.ShortMonthNames.data() : Settings.LongMonthNames.data(),
                   12, Date.Month - 1);
      break;
    default:
      if (Count <= 2)
        AppendUnsigned(Out, Year % 100, 2);
      else
        AppendUnsigned(Out, Year, 4);
      break;
    }
  }
  return Out;
}

std::string NormalizeEditText(TFormatKind Kind, std::string_view Text,
                              const TFormatSettings& Settings, TDate Today) {
  const char Separator = Settings.DecimalSeparator;
  try {
    switch (Kind) {
    case fkInteger:
      return ParseIntegerText(Text) ? std::string(Text) : std::string("0");
    case fkFloat:
      return ParseFloatText(Text, Separator) ? std::string(Text) : TwoDecimalZero(Separator);
    case fkCurrency:
      if (const auto Value = ParseFloatText(Text, Separator))
        if (const auto Amount = RoundToInt64(*Value * 10000.0L))
          return FormatCurrencyText(*Amount, Separator);
      return TwoDecimalZero(Separator);
    case fkDate:
      return ParseDateText(Text, Settings, Today.Year) ? std::string(Text)
                                                       : FormatShortDateText(Today, Settings);
    case fkNone:
    default:
      return std::string(Text);
    }
  } catch (...) {
    // Only running out of memory gets here; the short fallbacks below need no
    // allocation.
  }
  try {
    if (Kind == fkInteger) return "0";
    if (Kind == fkFloat || Kind == fkCurrency) return TwoDecimalZero(Separator);
  } catch (...) {
  }
  return {};
}

} // namespace quillet
