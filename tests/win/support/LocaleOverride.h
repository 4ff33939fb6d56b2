// Changes one of the user's locale settings for the life of the object, the
// way the user would in the control panel, and restores it afterwards.
#pragma once

#include <windows.h>

#include <string>

namespace wintest {

class LocaleOverride {
public:
  LocaleOverride(LCTYPE Type, const std::string& Value) : FType(Type) {
    char Old[128] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, Type, Old, sizeof Old);
    FOld = Old;
    SetLocaleInfoA(LOCALE_USER_DEFAULT, Type, Value.c_str());
  }
  ~LocaleOverride() { SetLocaleInfoA(LOCALE_USER_DEFAULT, FType, FOld.c_str()); }
  LocaleOverride(const LocaleOverride&) = delete;
  LocaleOverride& operator=(const LocaleOverride&) = delete;

private:
  LCTYPE FType;
  std::string FOld;
};

} // namespace wintest
