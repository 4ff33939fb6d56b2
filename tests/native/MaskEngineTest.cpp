#include "toolkit/core/MaskEngine.h"

#include <gtest/gtest.h>

#include <string>

namespace tk {
namespace {

constexpr const char* kDateMask = "!99/99/0000;1;_";
constexpr TMaskSeparators kSlash{'/', ':'};

TEditMask DateMask(char Separator = '/') {
  return TEditMask(kDateMask, {Separator, ':'});
}

TEST(MaskParse, FieldsPositionsAndModifiers) {
  struct Case {
    const char* Mask;
    TMaskSeparators Sep;
    const char* Empty;
    bool SaveLiterals;
    char Blank;
    bool RightAligned;
  } const Cases[] = {
      {kDateMask, kSlash, "__/__/____", true, '_', true},
      {kDateMask, {'.', ':'}, "__.__.____", true, '_', true},
      {"99/99:99;0;*", {'-', '.'}, "**-**.**", false, '*', false},
      {"(999)_000", kSlash, "(___) ___", true, '_', false},
      {"\\L\\;\\\\9;1;#", kSlash, "L;\\#", true, '#', false},
      {">L<l<>a!", kSlash, "___", true, '_', true},
      {"9\\", kSlash, "_", true, '_', false},
      {"99;;", kSlash, "__", true, '_', false},
      {"99;0", kSlash, "__", false, '_', false},
      {"99;x;-", kSlash, "--", true, '-', false},
      {"99;1;;", kSlash, ";;", true, ';', false},
      {"", kSlash, "", true, '_', false},
      {";;;", kSlash, "", true, ';', false},
      {"!<>", kSlash, "", true, '_', true},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Mask);
    const TEditMask Mask(C.Mask, C.Sep);
    EXPECT_EQ(Mask.EmptyDisplay(), C.Empty);
    EXPECT_EQ(Mask.Length(), static_cast<int>(std::string(C.Empty).size()));
    EXPECT_EQ(Mask.IsEmpty(), Mask.Length() == 0);
    EXPECT_EQ(Mask.SaveLiterals(), C.SaveLiterals);
    EXPECT_EQ(Mask.BlankChar(), C.Blank);
    EXPECT_EQ(Mask.RightAligned(), C.RightAligned);
  }
}

TEST(MaskParse, EscapedCharactersAreLiteralsAndModifiersTakeNoPosition) {
  const TEditMask Mask("\\0>0\\>", kSlash);
  ASSERT_EQ(Mask.Length(), 3);
  EXPECT_TRUE(Mask.IsLiteral(0));
  EXPECT_FALSE(Mask.IsLiteral(1));
  EXPECT_TRUE(Mask.IsRequired(1));
  EXPECT_TRUE(Mask.IsLiteral(2));
  EXPECT_EQ(Mask.EmptyDisplay(), "0_>");
}

// The editor starts with all of its text selected, as after a load.
TEST(MaskTyping, DateDigitsFillGroupsAndSkipSeparators) {
  const TEditMask Mask = DateMask();
  TMaskEditState State{Mask.EmptyDisplay(), 0, Mask.Length()};
  const char* const Texts[] = {"1 /  /    ", "12/  /    ", "12/0 /    ", "12/03/    ",
                               "12/03/2   ", "12/03/20  ", "12/03/202 ", "12/03/2024"};
  const int Carets[] = {1, 3, 4, 6, 7, 8, 9, 10};
  for (int I = 0; I < 8; ++I) {
    const char Key = "12032024"[I];
    SCOPED_TRACE(I);
    const TMaskEditResult R = MaskTypeChar(Mask, State, Key);
    EXPECT_TRUE(R.Changed);
    EXPECT_FALSE(R.Beep);
    EXPECT_EQ(Mask.TextFromDisplay(State.Display), Texts[I]);
    EXPECT_EQ(State.SelStart, Carets[I]);
    EXPECT_EQ(State.SelLength, 0);
  }
  EXPECT_TRUE(Mask.IsComplete(State.Display));
}

struct TKeyCase {
  const char* Mask;
  const char* Display;
  int SelStart, SelLength;
  char Key;
  const char* Expected;
  int Caret, ExpectedSelLength;
  bool Changed, Beep;
};

TEST(MaskTyping, KeysByClassLiteralAndSelection) {
  const TKeyCase Cases[] = {
      // The separator inside a group jumps to the next group, right after the
      // separator it is taken silently, and on the separator it steps past it.
      {kDateMask, "1_/__/____", 1, 0, '/', "1_/__/____", 3, 0, false, false},
      {kDateMask, "12/__/____", 3, 0, '/', "12/__/____", 3, 0, false, false},
      {kDateMask, "12/__/____", 2, 0, '/', "12/__/____", 3, 0, false, false},
      {kDateMask, "12/__/____", 2, 0, '4', "12/4_/____", 4, 0, true, false},
      {kDateMask, "__/__/____", 0, 0, 'a', "__/__/____", 0, 0, false, true},
      {kDateMask, "__/__/____", 0, 0, '-', "__/__/____", 0, 0, false, true},
      {kDateMask, "__/__/____", 0, 0, '.', "__/__/____", 0, 0, false, true},
      {kDateMask, "12/03/2024", 10, 0, '5', "12/03/2024", 10, 0, false, true},
      {kDateMask, "12/03/2024", 0, 0, '9', "92/03/2024", 1, 0, true, false},
      // With a selection: blanked, then the key at its start; a refused key
      // keeps both text and selection.
      {kDateMask, "12/03/2024", 3, 4, '7', "12/7_/_024", 4, 0, true, false},
      {kDateMask, "12/03/2024", 0, 10, 'x', "12/03/2024", 0, 10, false, true},
      {kDateMask, "12/03/2024", 0, 10, '/', "__/__/____", 3, 0, true, false},
      {"(999)_000", "(1__) ___", 2, 0, ')', "(1__) ___", 6, 0, false, false},
      {"(999)_000", "(1__) ___", 6, 0, ' ', "(1__) ___", 6, 0, false, false},
      {"(999)_000", "(1__) ___", 2, 0, ' ', "(1__) ___", 6, 0, false, false},
      // Classes and case.
      {">LL<ll", "____", 0, 0, 'a', "A___", 1, 0, true, false},
      {">LL<ll", "AB__", 2, 0, 'C', "ABc_", 3, 0, true, false},
      {">LL<ll", "AB__", 2, 0, '1', "AB__", 2, 0, false, true},
      {">L<>l", "Q_", 1, 0, 'x', "Qx", 2, 0, true, false},
      {"L", "_", 0, 0, '\xE9', "\xE9", 1, 0, true, false},
      {">L", "_", 0, 0, '\xE9', "\xC9", 1, 0, true, false},
      {"<L", "_", 0, 0, '\xC9', "\xE9", 1, 0, true, false},
      {">L", "_", 0, 0, '\xDF', "\xDF", 1, 0, true, false},
      {"L", "_", 0, 0, '\xD7', "_", 0, 0, false, true},
      {"aA", "__", 0, 0, '5', "5_", 1, 0, true, false},
      {"aA", "__", 0, 0, '-', "__", 0, 0, false, true},
      {"##", "__", 0, 0, '+', "+_", 1, 0, true, false},
      {"##", "+_", 1, 0, '-', "+-", 2, 0, true, false},
      {"##", "__", 0, 0, 'e', "__", 0, 0, false, true},
      {"Cc", "__", 0, 0, '%', "%_", 1, 0, true, false},
      {"Cc", "X_", 0, 0, ' ', "__", 1, 0, true, false},
      {"Cc", "__", 0, 0, '\t', "__", 0, 0, false, true},
      {"Cc;1;x", "xx", 0, 0, 'x', "xx", 1, 0, false, false},
      // An escaped '9' is a literal that a typed 9 does not stop at.
      {"\\999", "9__", 0, 0, '9', "99_", 2, 0, true, false},
  };
  for (const TKeyCase& C : Cases) {
    SCOPED_TRACE(std::string(C.Mask) + " '" + C.Display + "' key " + C.Key);
    const TEditMask Mask(C.Mask, kSlash);
    TMaskEditState State{C.Display, C.SelStart, C.SelLength};
    const TMaskEditResult R = MaskTypeChar(Mask, State, C.Key);
    EXPECT_EQ(State.Display, C.Expected);
    EXPECT_EQ(State.SelStart, C.Caret);
    EXPECT_EQ(State.SelLength, C.ExpectedSelLength);
    EXPECT_EQ(R.Changed, C.Changed);
    EXPECT_EQ(R.Beep, C.Beep);
  }
}

TEST(MaskTyping, SeparatorFollowsTheLocale) {
  const TEditMask Mask = DateMask('.');
  TMaskEditState State{"1_.__.____", 1, 0};
  EXPECT_TRUE(MaskTypeChar(Mask, State, '/').Beep);
  EXPECT_EQ(State.SelStart, 1);
  EXPECT_FALSE(MaskTypeChar(Mask, State, '.').Beep);
  EXPECT_EQ(State.SelStart, 3);
}

TEST(MaskErasing, BackspaceDeleteAndCutBlankWithoutShifting) {
  enum TOp { Backspace, Delete, Cut };
  struct Case {
    TOp Op;
    int SelStart, SelLength;
    const char* Expected;
    int Caret;
  } const Cases[] = {
      {Backspace, 3, 0, "1_/03/2024", 1},    {Backspace, 10, 0, "12/03/202_", 9},
      {Backspace, 0, 0, "12/03/2024", 0},    {Backspace, 1, 4, "1_/__/2024", 1},
      {Delete, 2, 0, "12/_3/2024", 3},       {Delete, 0, 0, "_2/03/2024", 0},
      {Delete, 10, 0, "12/03/2024", 10},     {Delete, 0, 10, "__/__/____", 0},
      {Cut, 6, 4, "12/03/____", 6},          {Cut, 4, 0, "12/03/2024", 4},
      {Backspace, -5, 100, "__/__/____", 0}, {Delete, 50, 3, "12/03/2024", 10},
  };
  const TEditMask Mask = DateMask();
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::Message() << C.Op << " at " << C.SelStart << "+" << C.SelLength);
    TMaskEditState State{"12/03/2024", C.SelStart, C.SelLength};
    const TMaskEditResult R = C.Op == Backspace ? MaskBackspace(Mask, State)
                              : C.Op == Delete  ? MaskDelete(Mask, State)
                                                : MaskCut(Mask, State);
    EXPECT_EQ(State.Display, C.Expected);
    EXPECT_EQ(State.SelStart, C.Caret);
    EXPECT_EQ(State.SelLength, 0);
    EXPECT_EQ(R.Changed, State.Display != "12/03/2024");
    EXPECT_FALSE(R.Beep);
  }
}

TEST(MaskPaste, CharactersGoWhereTypingPutsThem) {
  struct Case {
    const char* Display;
    int SelStart, SelLength;
    const char* Text;
    const char* Expected;
    int Caret, ExpectedSelLength;
    bool Beep;
  } const Cases[] = {
      {"__/__/____", 0, 10, "12/03/2024", "12/03/2024", 10, 0, false},
      {"__/__/____", 0, 10, "12032024", "12/03/2024", 10, 0, false},
      {"__/__/____", 0, 0, "3/12/2024", "3_/12/2024", 10, 0, false},
      {"__/__/____", 0, 0, "12a3", "12/3_/____", 4, 0, true},
      {"12/03/____", 6, 0, "2024-01-01", "12/03/2024", 10, 0, true},
      {"12/03/2024", 3, 2, "7", "12/7_/2024", 4, 0, false},
      {"12/03/2024", 0, 10, "abc", "12/03/2024", 0, 10, true},
      {"12/03/2024", 0, 10, "", "12/03/2024", 0, 10, false},
  };
  const TEditMask Mask = DateMask();
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::string(C.Display) + " <- " + C.Text);
    TMaskEditState State{C.Display, C.SelStart, C.SelLength};
    const TMaskEditResult R = MaskPaste(Mask, State, C.Text);
    EXPECT_EQ(State.Display, C.Expected);
    EXPECT_EQ(State.SelStart, C.Caret);
    EXPECT_EQ(State.SelLength, C.ExpectedSelLength);
    EXPECT_EQ(R.Changed, State.Display != C.Display);
    EXPECT_EQ(R.Beep, C.Beep);
  }
}

TEST(MaskText, SettingAndReadingText) {
  struct Case {
    const char* Mask;
    char DateSeparator;
    const char* Text;
    const char* Display;
    const char* Read;
  } const Cases[] = {
      {kDateMask, '/', "3/12/2024", "_3/12/2024", " 3/12/2024"},
      {kDateMask, '/', "12/03/2024", "12/03/2024", "12/03/2024"},
      {kDateMask, '/', "", "__/__/____", "  /  /    "},
      {kDateMask, '/', "1 /  /    ", "1_/__/____", "1 /  /    "},
      {kDateMask, '/', "123/4/20245", "23/_4/0245", "23/ 4/0245"},
      {kDateMask, '/', "12032024", "12/03/2024", "12/03/2024"},
      {kDateMask, '/', "3/x/2024", "_3/__/2024", " 3/  /2024"},
      {kDateMask, '.', "3.12.2024", "_3.12.2024", " 3.12.2024"},
      {kDateMask, '.', "3/12/2024", "3_.12.2024", "3 .12.2024"},
      {"99/99/0000;1;_", '/', "3/12/2024", "3_/12/2024", "3 /12/2024"},
      {"99/99/0000;1;_", '/', "123/4/20245", "12/4_/2024", "12/4 /2024"},
      {"!99/99/0000;0;_", '/', "03122024", "03/12/2024", "03122024"},
      {"!99/99/0000;0;_", '/', "3/12/2024", "_3/12/2024", " 3122024"},
      {"!99/99/0000;1;*", '/', "3/12/2024", "*3/12/2024", " 3/12/2024"},
      {">LL<ll", '/', "abCD", "ABcd", "ABcd"},
      {"(999)_000", '/', "(12) 345", "(12_) 345", "(12 ) 345"},
      {"0000", '/', "12a4", "12_4", "12 4"},
      {"Cc;1;x", '/', "ax", "ax", "a "},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::string(C.Mask) + " <- '" + C.Text + "'");
    const TEditMask Mask(C.Mask, {C.DateSeparator, ':'});
    EXPECT_EQ(Mask.DisplayFromText(C.Text), C.Display);
    EXPECT_EQ(Mask.TextFromDisplay(C.Display), C.Read);
    EXPECT_EQ(Mask.FitText(C.Text), C.Read);
    // Text read from an editor always sets back the display it came from.
    EXPECT_EQ(Mask.DisplayFromText(C.Read), C.Display);
  }
}

TEST(MaskText, DisplaysAreNormalisedBeforeUse) {
  struct Case {
    const char* Mask;
    const char* Display;
    const char* Normal;
  } const Cases[] = {
      {kDateMask, "1234567890123", "12/45/7890"},
      {kDateMask, "1", "1_/__/____"},
      {kDateMask, "a2-03 2 24", "_2/03/2_24"},
      {">LL", "a1", "A_"},
      {"", "anything", ""},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::string(C.Mask) + " '" + C.Display + "'");
    const TEditMask Mask(C.Mask, kSlash);
    EXPECT_EQ(Mask.Normalize(C.Display), C.Normal);
    TMaskEditState State{C.Display, 0, 0};
    EXPECT_EQ(MaskCut(Mask, State).Changed, std::string(C.Display) != C.Normal);
    EXPECT_EQ(State.Display, C.Normal);
  }
}

TEST(MaskText, NoMaskHoldsNothing) {
  const TEditMask None;
  EXPECT_TRUE(None.IsEmpty());
  EXPECT_EQ(None.DisplayFromText("12/03/2024"), "");
  TMaskEditState State{"abc", -1, 5};
  EXPECT_TRUE(MaskTypeChar(None, State, '1').Beep);
  EXPECT_FALSE(MaskPaste(None, State, "12").Changed);
  EXPECT_FALSE(MaskBackspace(None, State).Changed);
  EXPECT_FALSE(MaskDelete(None, State).Changed);
  EXPECT_EQ(State.Display, "");
  EXPECT_EQ(State.SelStart, 0);
  EXPECT_EQ(State.SelLength, 0);
}

TEST(MaskText, CompleteWhenEveryRequiredPositionIsFilled) {
  struct Case {
    const char* Mask;
    const char* Display;
    bool Complete;
  } const Cases[] = {
      {kDateMask, "12/03/2024", true},
      {kDateMask, "__/__/2024", true},
      {kDateMask, "12/03/202_", false},
      {kDateMask, "__/__/____", false},
      {"LLl", "AB_", true},
      {"LLl", "A__", false},
      {"AaCc", "1_ _", false},
      {"AaCc", "1_x_", true},
      {"#9", "__", true},
      {"", "", true},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::string(C.Mask) + " '" + C.Display + "'");
    EXPECT_EQ(TEditMask(C.Mask, kSlash).IsComplete(C.Display), C.Complete);
  }
}

} // namespace
} // namespace tk
