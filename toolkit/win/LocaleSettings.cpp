#include "toolkit/win/LocaleSettings.h"

#include <windows.h>

namespace tk {

namespace {

std::string LocaleString(LCTYPE Type, const char* Default) {
  char Buffer[256];
  int N = GetLocaleInfoA(LOCALE_USER_DEFAULT, Type, Buffer, sizeof Buffer);
  return N > 1 ? std::string(Buffer, static_cast<std::size_t>(N - 1)) : std::string(Default);
}

char LocaleChar(LCTYPE Type, char Default) {
  std::string S = LocaleString(Type, "");
  return S.empty() ? Default : S[0];
}

} // namespace

std::string ConvertShortDateFormat(const std::string& SystemFormat) {
  std::string Result;
  bool Quoted = false;
  for (char C : SystemFormat) {
    if (C == '\'') Quoted = !Quoted;
    Result += (!Quoted && C == 'M') ? 'm' : C;
  }
  return Result.empty() ? "m/d/yy" : Result;
}

char CurrentDecimalSeparator() {
  return LocaleChar(LOCALE_SDECIMAL, '.');
}

quillet::TFormatSettings CurrentFormatSettings() {
  quillet::TFormatSettings S;
  S.DecimalSeparator = CurrentDecimalSeparator();
  S.DateSeparator = LocaleChar(LOCALE_SDATE, '/');
  S.ShortDateFormat = ConvertShortDateFormat(LocaleString(LOCALE_SSHORTDATE, ""));
  S.TwoDigitYearCenturyWindow = 50;
  for (int I = 0; I < 12; ++I) {
    S.ShortMonthNames[I] = LocaleString(static_cast<LCTYPE>(LOCALE_SABBREVMONTHNAME1 + I), "");
    S.LongMonthNames[I] = LocaleString(static_cast<LCTYPE>(LOCALE_SMONTHNAME1 + I), "");
  }
  // The system counts days from Monday; the rules from Sunday.
  for (int I = 0; I < 7; ++I) {
    int System = (I + 6) % 7;
    S.ShortDayNames[I] = LocaleString(static_cast<LCTYPE>(LOCALE_SABBREVDAYNAME1 + System), "");
    S.LongDayNames[I] = LocaleString(static_cast<LCTYPE>(LOCALE_SDAYNAME1 + System), "");
  }
  return S;
}

quillet::TDate LocalDate() {
  SYSTEMTIME T;
  GetLocalTime(&T);
  return {T.wYear, T.wMonth, T.wDay};
}

} // namespace tk
