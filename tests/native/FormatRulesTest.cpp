#include "components/FormatRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

namespace quillet {
namespace {

TFormatSettings MakeSettings(char Decimal = '.', char DateSeparator = '/',
                             std::string ShortDateFormat = "m/d/yy") {
  TFormatSettings S;
  S.DecimalSeparator = Decimal;
  S.DateSeparator = DateSeparator;
  S.ShortDateFormat = std::move(ShortDateFormat);
  S.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  S.LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                      "July",    "August",   "September", "October", "November", "December"};
  S.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  S.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  return S;
}

constexpr char kBackspace = 8, kEnter = 13, kCtrlV = 22;

TEST(FormatRulesFilters, IntegerKeyPassesDigitsBackspaceAndEnterOnly) {
  for (char Key : {'0', '7', '9', kBackspace, kEnter})
    EXPECT_EQ(FilterIntegerKey(Key), Key) << int(Key);
  for (char Key : {'-', '+', ' ', '.', ',', 'a', '\0', kRefusedKey, kCtrlV, '\x03', '\xB5'})
    EXPECT_EQ(FilterIntegerKey(Key), kRefusedKey) << int(Key);
}

TEST(FormatRulesFilters, FloatKey) {
  struct Case {
    char Key;
    const char* Text;
    char Separator;
    char Expected;
  } const Cases[] = {{'.', "12", '.', '.'},
                     {'.', "1.2", '.', kRefusedKey},
                     {'.', ".", '.', kRefusedKey},
                     {'5', "1.2", '.', '5'},
                     {',', "12", '.', kRefusedKey},
                     {'.', "12", ',', kRefusedKey},
                     {',', "12", ',', ','},
                     {',', "1,2", ',', kRefusedKey},
                     {kBackspace, "1.2", '.', kBackspace},
                     {kEnter, "", '.', kEnter},
                     {'-', "", '.', kRefusedKey},
                     {'e', "1", '.', kRefusedKey},
                     {'\0', "", '.', kRefusedKey}};
  for (const auto& C : Cases)
    EXPECT_EQ(FilterFloatKey(C.Key, C.Text, C.Separator), C.Expected)
        << "key " << int(C.Key) << " into '" << C.Text << "'";
}

TEST(FormatRulesFilters, CurrencyKeyLimitsDigitsAfterTheSeparatorBySelectionStart) {
  struct Case {
    char Key;
    const char* Text;
    int SelStart;
    char Expected;
  } const Cases[] = {
      {'4', "12.34", 0, '4'},
      {'4', "12.34", 1, '4'},
      {'4', "12.34", 2, '4'},
      {'4', "12.34", 3, kRefusedKey},
      {'4', "12.34", 5, kRefusedKey},
      {'4', "12.3", 4, '4'},
      {'4', "12.3", 3, '4'},
      {'4', "12", 2, '4'},
      {'4', "1234567890", 10, '4'},
      {kBackspace, "12.34", 5, kBackspace},
      {kEnter, "12.34", 5, kEnter},
      {'.', "12.34", 0, kRefusedKey},
      {'.', "12", 2, '.'},
      {',', "12", 2, kRefusedKey},
      {'a', "12", 2, kRefusedKey},
      {'4', ".12", 1, kRefusedKey},
      {'4', ".12", 0, '4'},
      {'4', "1.", 2, '4'},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(FilterCurrencyKey(C.Key, C.Text, C.SelStart, '.'), C.Expected)
        << "key " << int(C.Key) << " into '" << C.Text << "' at " << C.SelStart;
  EXPECT_EQ(FilterCurrencyKey('4', "12,34", 5, ','), kRefusedKey);
  EXPECT_EQ(FilterCurrencyKey('4', "12.34", 5, ','), '4');
}

TEST(FormatRulesIntegers, ValidTextsAndTheirValues) {
  struct Case {
    const char* Text;
    std::int32_t Value;
  } const Cases[] = {
      {"0", 0},
      {"012", 12},
      {"   42", 42},
      {"+7", 7},
      {"-0", 0},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"00000000000000000000000012", 12},
      {"$7fffffff", INT32_MAX},
      {"$FFFFFFFF", -1},
      {"$80000000", INT32_MIN},
      {"x10", 16},
      {"X1f", 31},
      {"0x1F", 31},
      {"0X1f", 31},
      {"$000000000001", 1},
      {"  $a", 10},
      {"0x0", 0},
  };
  for (const auto& C : Cases) {
    const auto Value = ParseIntegerText(C.Text);
    ASSERT_TRUE(Value.has_value()) << C.Text;
    EXPECT_EQ(*Value, C.Value) << C.Text;
  }
}

TEST(FormatRulesIntegers, InvalidTexts) {
  for (const char* Text : {"",
                           "   ",
                           "+",
                           "-",
                           "12 ",
                           "\t1",
                           "1.5",
                           "1e3",
                           "2147483648",
                           "-2147483649",
                           "99999999999999999999",
                           "$100000000",
                           "-$1",
                           "+0x1",
                           "$",
                           "x",
                           "0x",
                           "$G",
                           "0x-1",
                           "+-1",
                           "1 2",
                           "1,000",
                           "0xx1",
                           "$ 1"})
    EXPECT_FALSE(ParseIntegerText(Text).has_value()) << Text;
}

TEST(FormatRulesFloats, ValuesAreTheNearestExtendedValue) {
  // The compiler's own reading of each literal is the correctly rounded value.
  struct Case {
    const char* Text;
    long double Value;
  } const Cases[] = {
      {"1", 1.0L},
      {"-3.25", -3.25L},
      {"1.", 1.0L},
      {".", 0.0L},
      {".5", 0.5L},
      {"+.5e1", 5.0L},
      {"1E", 1.0L},
      {"1e+", 1.0L},
      {"  2.5  ", 2.5L},
      {"0.1", 0.1L},
      {"3.14159", 3.14159L},
      {"1e-30", 1e-30L},
      {"1e30", 1e30L},
      {"7e45", 7e45L},
      {"1e0500", 1e500L},
      {"1e499", 1e499L},
      {"9223372036854775807", 9223372036854775807.0L},
      {"18446744073709551615", 18446744073709551615.0L},
      {"18446744073709551617", 18446744073709551617.0L},
      {"18446744073709551617.000000000000000000001", 18446744073709551617.000000000000000000001L},
      {"123456789012345678901234567890e-60", 123456789012345678901234567890e-60L},
      {"0.000000000000000000000000000000000000000000123", 1.23e-43L},
      {"1.18973149535723176502e4932", 1.18973149535723176502e4932L},
      {"1e-4950", 1e-4950L},
      {"1e-4999", 0.0L},
  };
  for (const auto& C : Cases) {
    const auto Value = ParseFloatText(C.Text, '.');
    ASSERT_TRUE(Value.has_value()) << C.Text;
    EXPECT_EQ(*Value, C.Value) << C.Text;
  }
  EXPECT_EQ(ParseFloatText("1,5", ','), 1.5L);
  EXPECT_TRUE(std::signbit(*ParseFloatText("-0", '.')));
}

TEST(FormatRulesFloats, InvalidTexts) {
  for (const char* Text : {"",      "   ",    "+",      "-",       "e5",    "1,5",   "1 5",
                           "1.2.3", "1e5000", "1e4999", "-1e4933", "1e+-5", "1e5 x", "0x10",
                           "inf",   "nan",    "\t1",    "1.5\t",   "1d5",   "++1",   "1e 5"})
    EXPECT_FALSE(ParseFloatText(Text, '.').has_value()) << Text;
  EXPECT_FALSE(ParseFloatText("1.5", ',').has_value());
  EXPECT_FALSE(ParseFloatText("1" + std::string(5000, '0'), '.').has_value());
}

TEST(FormatRulesFloats, LongDigitStringsScaleByTheirFractionDigits) {
  const std::string Zeros(6000, '0');
  EXPECT_EQ(ParseFloatText("0." + Zeros + "25e4999", '.'), 0.25e-1001L);
  EXPECT_EQ(ParseFloatText(Zeros + "1", '.'), 1.0L);
  EXPECT_EQ(ParseFloatText("1" + Zeros + "e-4999", '.'), 1e1001L);
}

// Random decimal texts of every shape against the C library's correctly
// rounded conversion, which must agree whichever path the value takes.
TEST(FormatRulesFloats, AgreesWithCorrectlyRoundedConversion) {
  std::mt19937_64 Random(20250615);
  auto Digits = [&](int Count) {
    std::string Text;
    for (int I = 0; I < Count; ++I)
      Text.push_back(static_cast<char>('0' + Random() % 10));
    return Text;
  };
  for (int I = 0; I < 20000; ++I) {
    std::string Text = Digits(1 + static_cast<int>(Random() % 24));
    if (Random() % 2) Text.insert(Random() % (Text.size() + 1), ".");
    if (Random() % 2) Text += "e" + std::to_string(static_cast<int>(Random() % 120) - 60);
    const auto Value = ParseFloatText(Text, '.');
    ASSERT_TRUE(Value.has_value()) << Text;
    EXPECT_EQ(*Value, std::strtold(Text.c_str(), nullptr)) << Text;
  }
}

struct DateCase {
  const char* Format;
  const char* Text;
  std::optional<TDate> Expected;
};

TEST(FormatRulesDates, ParseByTheOrderOfTheShortDateFormat) {
  const DateCase Cases[] = {
      {"m/d/yy", "12/03/2024", TDate{2024, 12, 3}},
      {"m/d/yy", "12/03/24", TDate{2024, 12, 3}},
      {"m/d/yy", "12/3", TDate{2025, 12, 3}},
      {"m/d/yy", "12/03/2024/", TDate{2024, 12, 3}},
      {"m/d/yy", " 12 / 03 / 2024 / ", TDate{2024, 12, 3}},
      {"m/d/yy", "00012/3/0024", TDate{24, 12, 3}},
      {"m/d/yy", "12/3/024", TDate{24, 12, 3}},
      {"m/d/yy", "2/29/2024", TDate{2024, 2, 29}},
      {"m/d/yy", "2/29/2000", TDate{2000, 2, 29}},
      {"m/d/yy", "12/31/9999", TDate{9999, 12, 31}},
      {"m/d/yy", "2/30/2024", std::nullopt},
      {"m/d/yy", "2/29/2023", std::nullopt},
      {"m/d/yy", "2/29/1900", std::nullopt},
      {"m/d/yy", "13/01/2024", std::nullopt},
      {"m/d/yy", "0/1/2024", std::nullopt},
      {"m/d/yy", "1/0/2024", std::nullopt},
      {"m/d/yy", "1/1/0000", std::nullopt},
      {"m/d/yy", "1/1/10000", std::nullopt},
      {"m/d/yy", "  /  /    ", std::nullopt},
      {"m/d/yy", "", std::nullopt},
      {"m/d/yy", "12", std::nullopt},
      {"m/d/yy", "12/", std::nullopt},
      {"m/d/yy", "12/03/", std::nullopt},
      {"m/d/yy", "12/03/2024//", std::nullopt},
      {"m/d/yy", "12/03/2024 x", std::nullopt},
      {"m/d/yy", "12-03-2024", std::nullopt},
      {"M/d/yyyy", "03/12/2024", TDate{2024, 3, 12}},
      {"dd/MM/yyyy", "03/12/2024", TDate{2024, 12, 3}},
      {"dd/MM/yyyy", "3/12", TDate{2025, 12, 3}},
      {"yyyy/MM/dd", "2024/12/03", TDate{2024, 12, 3}},
      {"yyyy/MM/dd", "24/12/03", TDate{2024, 12, 3}},
      {"yyyy/MM/dd", "12/03", TDate{2025, 12, 3}},
      {"ee/mm/dd", "2024/12/03", TDate{2024, 12, 3}},
      {"Mon d", "12/03/2024", TDate{2024, 12, 3}},
      {"'Date' yyyy", "03/12/2024", TDate{2024, 12, 3}},
      {"", "12/03/2024", TDate{2024, 12, 3}},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(ParseDateText(C.Text, MakeSettings('.', '/', C.Format), 2025), C.Expected)
        << C.Format << ": '" << C.Text << "'";
  const auto Dotted = MakeSettings(',', '.', "d.M.yyyy");
  EXPECT_EQ(ParseDateText("3.12.2024.", Dotted, 2025), (TDate{2024, 12, 3}));
  EXPECT_FALSE(ParseDateText("3/12/2024", Dotted, 2025).has_value());
}

TEST(FormatRulesDates, ShortYearsFallInTheWindowBeforeAndAfterTheCurrentYear) {
  const auto Settings = MakeSettings();
  struct Case {
    int CurrentYear;
    const char* Text;
    int Year;
  } const Cases[] = {{2025, "1/1/74", 2074}, {2025, "1/1/75", 1975}, {2025, "1/1/99", 1999},
                     {2025, "1/1/00", 2000}, {2025, "1/1/5", 2005},  {2025, "1/1/075", 75},
                     {2049, "1/1/99", 1999}, {2050, "1/1/99", 2099}, {2050, "1/1/0", 2000}};
  for (const auto& C : Cases) {
    const auto Date = ParseDateText(C.Text, Settings, C.CurrentYear);
    ASSERT_TRUE(Date.has_value()) << C.Text;
    EXPECT_EQ(Date->Year, C.Year) << C.Text << " in " << C.CurrentYear;
  }
}

TEST(FormatRulesDates, FormatTokens) {
  struct Case {
    const char* Format;
    TDate Date;
    const char* Expected;
  } const Cases[] = {
      {"m/d/yy", {2024, 3, 5}, "3-5-24"},
      {"mm/dd/yyyy", {2024, 3, 5}, "03-05-2024"},
      {"DD.MM.YYYY", {2024, 3, 5}, "05.03.2024"},
      {"dD mM yY", {2024, 11, 25}, "25 11 24"},
      {"ddd dddd", {2024, 3, 5}, "Tue Tuesday"},
      {"ddd dddd", {2024, 3, 3}, "Sun Sunday"},
      {"dddd", {2024, 3, 9}, "Saturday"},
      {"dddd", {2000, 2, 29}, "Tuesday"},
      {"dddd", {1, 1, 1}, "Monday"},
      {"dddd", {2100, 3, 1}, "Monday"},
      {"mmm mmmm", {2024, 1, 5}, "Jan January"},
      {"MMMM", {2024, 12, 5}, "December"},
      {"y yyy yyyy", {2024, 3, 5}, "24 2024 2024"},
      {"yy yyyy", {5, 3, 5}, "05 0005"},
      {"yy", {2000, 3, 5}, "00"},
      {"'d/m' d", {2024, 3, 5}, "d/m 5"},
      {"\"yy\"yy", {2024, 3, 5}, "yy24"},
      {"d 'abc", {2024, 3, 5}, "5 abc"},
      {"''d", {2024, 3, 5}, "5"},
      {"d. x, y", {2024, 3, 5}, "5. x, 24"},
      {"", {2024, 3, 5}, ""},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(FormatShortDateText(C.Date, MakeSettings('.', '-', C.Format)), C.Expected)
        << C.Format;
}

// Every date of every year written with each numeric order reads back.
TEST(FormatRulesDates, FormattedDatesReadBack) {
  for (const char* Format : {"m/d/yyyy", "dd/mm/yyyy", "yyyy/m/d"}) {
    const auto Settings = MakeSettings('.', '/', Format);
    for (int Year : {1, 4, 99, 100, 1600, 1900, 2000, 2023, 2024, 9999})
      for (int Month = 1; Month <= 12; ++Month)
        for (int Day = 1; Day <= 31; ++Day) {
          const TDate Date{Year, Month, Day};
          const auto Text = FormatShortDateText(Date, Settings);
          const auto Read = ParseDateText(Text, Settings, 2025);
          if (Read) {
            EXPECT_EQ(*Read, Date) << Format << ' ' << Text;
          }
          const bool Leap = (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0;
          const int DaysInMonth[12] = {31, Leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
          const bool Exists = Day <= DaysInMonth[Month - 1];
          EXPECT_EQ(Read.has_value(), Exists) << Format << ' ' << Text;
        }
  }
}

struct NormalizeCase {
  TFormatKind Kind;
  char Separator;
  const char* Text;
  const char* Expected;
};

TEST(FormatRulesNormalize, NumberKinds) {
  const NormalizeCase Cases[] = {
      {fkNone, '.', "any text", "any text"},
      {fkNone, '.', "", ""},
      {fkInteger, '.', "", "0"},
      {fkInteger, '.', " 12", " 12"},
      {fkInteger, '.', "12 ", "0"},
      {fkInteger, '.', "007", "007"},
      {fkInteger, '.', "2147483648", "0"},
      {fkInteger, '.', "-2147483648", "-2147483648"},
      {fkInteger, '.', "1.5", "0"},
      {fkInteger, '.', "$7fffffff", "$7fffffff"},
      {fkInteger, ',', "abc", "0"},
      {fkFloat, '.', "", "0.00"},
      {fkFloat, '.', "1.", "1."},
      {fkFloat, '.', ".", "."},
      {fkFloat, '.', "1e5", "1e5"},
      {fkFloat, '.', "1,5", "0.00"},
      {fkFloat, '.', "-3.25", "-3.25"},
      {fkFloat, '.', " 3.25  ", " 3.25  "},
      {fkFloat, ',', "1,5", "1,5"},
      {fkFloat, ',', "1.5", "0,00"},
      {fkCurrency, '.', "1", "1.00"},
      {fkCurrency, '.', "1234.5678", "1234.57"},
      {fkCurrency, '.', "12.345", "12.34"},
      {fkCurrency, '.', "12.355", "12.36"},
      {fkCurrency, '.', "-0.004", "0.00"},
      {fkCurrency, '.', "-0.005", "0.00"},
      {fkCurrency, '.', "-0.015", "-0.02"},
      {fkCurrency, '.', "-7", "-7.00"},
      {fkCurrency, '.', "1e3", "1000.00"},
      {fkCurrency, '.', " .5 ", "0.50"},
      {fkCurrency, '.', "abc", "0.00"},
      {fkCurrency, '.', "", "0.00"},
      {fkCurrency, '.', "1e15", "0.00"},
      {fkCurrency, '.', "1e-4999", "0.00"},
      {fkCurrency, '.', "922337203685477.5807", "922337203685477.58"},
      {fkCurrency, '.', "922337203685477.5808", "0.00"},
      {fkCurrency, '.', "-922337203685477.5808", "-922337203685477.58"},
      {fkCurrency, '.', "-922337203685477.5809", "0.00"},
      {fkCurrency, ',', "2,5", "2,50"},
      {fkCurrency, ',', "2.5", "0,00"},
  };
  const TDate Today{2025, 6, 15};
  for (const auto& C : Cases)
    EXPECT_EQ(NormalizeEditText(C.Kind, C.Text, MakeSettings(C.Separator), Today), C.Expected)
        << "kind " << int(C.Kind) << " text '" << C.Text << "'";
}

TEST(FormatRulesNormalize, DateKindKeepsDateTextsElseStoresToday) {
  const TDate Today{2025, 6, 15};
  const auto Settings = MakeSettings();
  for (const char* Text : {"12/03/2024", "12/03/24", "12/3", "12/03/2024/", " 2/29/2024 "})
    EXPECT_EQ(NormalizeEditText(fkDate, Text, Settings, Today), Text);
  for (const char* Text : {"2/30/2024", "  /  /    ", "13/01/2024", "", "12/03/"})
    EXPECT_EQ(NormalizeEditText(fkDate, Text, Settings, Today), "6/15/25") << Text;
  EXPECT_EQ(NormalizeEditText(fkDate, "x", MakeSettings('.', '-', "dd/mm/yyyy"), Today),
            "15-06-2025");
}

} // namespace
} // namespace quillet
