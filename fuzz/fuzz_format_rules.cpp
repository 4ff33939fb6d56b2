// Feeds arbitrary texts, kinds, separators and short date formats to the text
// rules and traps on any property that must hold for every input.
#include "components/FormatRules.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <string>

using namespace quillet;

namespace {

void Check(bool Holds) {
  if (!Holds) __builtin_trap();
}

bool IsLeapYear(int Year) {
  return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0;
}

int DaysInMonth(int Year, int Month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return Month == 2 && IsLeapYear(Year) ? 29 : kDays[Month - 1];
}

TDate ConsumeDate(FuzzedDataProvider& Data) {
  TDate Date;
  Date.Year = Data.ConsumeIntegralInRange(1, 9999);
  Date.Month = Data.ConsumeIntegralInRange(1, 12);
  Date.Day = Data.ConsumeIntegralInRange(1, DaysInMonth(Date.Year, Date.Month));
  return Date;
}

// A decimal separator that a locale could give: anything but a digit, which
// would make the written amounts ambiguous.
char ConsumeDecimalSeparator(FuzzedDataProvider& Data) {
  static constexpr char kCommon[] = {'.', ','};
  const auto Raw = Data.ConsumeIntegral<std::uint8_t>();
  if (Raw < 160) return kCommon[Raw % 2];
  const char Other = static_cast<char>(Data.ConsumeIntegral<std::uint8_t>());
  return Other >= '0' && Other <= '9' ? '.' : Other;
}

TFormatSettings ConsumeSettings(FuzzedDataProvider& Data) {
  static const char* const kFormats[] = {"m/d/yy",         "M/d/yyyy",           "dd/MM/yyyy",
                                         "d.M.yyyy",       "yyyy-MM-dd",         "yy/mm/dd",
                                         "ddd d mmm yyyy", "dddd, mmmm d, yyyy", "'Day' d/m/y"};
  TFormatSettings S;
  S.DecimalSeparator = ConsumeDecimalSeparator(Data);
  S.DateSeparator =
      Data.ConsumeBool() ? '/' : static_cast<char>(Data.ConsumeIntegral<std::uint8_t>());
  if (Data.ConsumeBool())
    S.ShortDateFormat =
        kFormats[Data.ConsumeIntegralInRange<std::size_t>(0, std::size(kFormats) - 1)];
  else
    S.ShortDateFormat = Data.ConsumeRandomLengthString(24);
  for (auto& Name : S.ShortMonthNames)
    Name = "Mon";
  for (auto& Name : S.LongMonthNames)
    Name = "Month";
  for (auto& Name : S.ShortDayNames)
    Name = "Dy";
  for (auto& Name : S.LongDayNames)
    Name = "Day";
  return S;
}

void CheckFilters(char Key, const std::string& Text, std::int32_t SelStart, char Separator) {
  for (char Answer : {FilterIntegerKey(Key), FilterFloatKey(Key, Text, Separator),
                      FilterCurrencyKey(Key, Text, SelStart, Separator)})
    Check(Answer == Key || Answer == kRefusedKey);
}

void CheckNumbers(const std::string& Text, const TFormatSettings& S, TDate Today) {
  const std::string TwoDecimalZero = std::string("0") + S.DecimalSeparator + "00";

  const auto Integer = NormalizeEditText(fkInteger, Text, S, Today);
  Check(Integer == (ParseIntegerText(Text) ? Text : "0"));

  const auto Value = ParseFloatText(Text, S.DecimalSeparator);
  if (Value) Check(std::isfinite(*Value));
  const auto Float = NormalizeEditText(fkFloat, Text, S, Today);
  Check(Float == (Value ? Text : TwoDecimalZero));

  // Whatever is stored for a currency cell stores itself again.
  const auto Currency = NormalizeEditText(fkCurrency, Text, S, Today);
  Check(NormalizeEditText(fkCurrency, Currency, S, Today) == Currency);
  // Within the amount range the stored text is the value rounded to
  // ten-thousandths and then to hundredths, so it is off by 0.00505 at most
  // (plus a little for the binary rounding of both values).
  if (Value && std::fabs(*Value) < 9e14L) {
    const auto Stored = ParseFloatText(Currency, S.DecimalSeparator);
    Check(Stored && std::fabs(*Stored - *Value) <= 0.00505L + std::fabs(*Value) * 1e-18L);
  }

  Check(NormalizeEditText(fkNone, Text, S, Today) == Text);
}

void CheckDates(const std::string& Text, const TFormatSettings& S, TDate Today) {
  const auto Parsed = ParseDateText(Text, S, Today.Year);
  if (Parsed) {
    Check(Parsed->Year >= 1 && Parsed->Year <= 9999 && Parsed->Month >= 1 && Parsed->Month <= 12 &&
          Parsed->Day >= 1 && Parsed->Day <= DaysInMonth(Parsed->Year, Parsed->Month));
  }
  const auto Stored = NormalizeEditText(fkDate, Text, S, Today);
  Check(Stored == (Parsed ? Text : FormatShortDateText(Today, S)));
}

// A date written with four-digit years in a purely numeric format reads back.
void CheckDateRoundTrip(TDate Date, TDate Today) {
  static const char* const kFormats[] = {"m/d/yyyy", "dd/mm/yyyy", "yyyy/m/d"};
  TFormatSettings S;
  for (const char* Format : kFormats) {
    S.ShortDateFormat = Format;
    Check(ParseDateText(FormatShortDateText(Date, S), S, Today.Year) == Date);
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Bytes, std::size_t Size) {
  FuzzedDataProvider Data(Bytes, Size);
  const TFormatSettings Settings = ConsumeSettings(Data);
  const TDate Today = ConsumeDate(Data);
  const TDate Other = ConsumeDate(Data);
  const char Key = static_cast<char>(Data.ConsumeIntegral<std::uint8_t>());
  const auto SelStart = Data.ConsumeIntegral<std::int32_t>();
  const std::string Text = Data.ConsumeRemainingBytesAsString();

  CheckFilters(Key, Text, SelStart, Settings.DecimalSeparator);
  CheckNumbers(Text, Settings, Today);
  CheckDates(Text, Settings, Today);
  CheckDateRoundTrip(Other, Today);

  // Amounts over the whole range format to texts that store themselves.
  std::int64_t Amount = 0;
  for (std::size_t I = 0; I < Text.size() && I < 8; ++I)
    Amount = static_cast<std::int64_t>(static_cast<std::uint64_t>(Amount) << 8 |
                                       static_cast<std::uint8_t>(Text[I]));
  const auto Written = FormatCurrencyText(Amount, Settings.DecimalSeparator);
  Check(NormalizeEditText(fkCurrency, Written, Settings, Today) == Written);
  return 0;
}
