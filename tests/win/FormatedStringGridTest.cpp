// The formatted grid on a real form: format kinds asked per load, key
// filters while typing, the date mask, and normalisation on every write-back.
#include "support/LocaleOverride.h"
#include "support/WinTest.h"

#include "components/FormatedStringGrid.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Form.h"
#include "toolkit/win/InplaceEdit.h"
#include "toolkit/win/LocaleSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace tk;
using quillet::TFormatedStringGrid;
using quillet::TFormatKind;

struct KindCall {
  TObject* Sender;
  int Col, Row;
  TFormatKind ValueIn;
};

// Columns: 0 none, 1 integer, 2 float, 3 currency, 4 date.
class FormatedGridTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(50, 50, 500, 200);
    Grid = new TFormatedStringGrid(Form);
    Grid->SetParent(Form);
    Grid->SetAlign(alClient);
    Grid->SetColCount(5);
    Grid->SetFixedCols(0);
    Grid->SetOptions(Grid->Options() | goEditing | goAlwaysShowEditor);
    Grid->SetOnGetFormatKind(quillet::TGetFormatKindEvent(
        [this](TObject* Sender, int ACol, int ARow, TFormatKind& Value) {
          Calls.push_back({Sender, ACol, ARow, Value});
          static const TFormatKind Kinds[] = {quillet::fkNone, quillet::fkInteger, quillet::fkFloat,
                                              quillet::fkCurrency, quillet::fkDate};
          Value = Kinds[ACol];
        }));
    Grid->OnSetEditText = TMethod<TObject*, int, int, const std::string&>(
        [this](TObject*, int, int, const std::string& Value) { Stored.push_back(Value); });
    Form->Show();
    wintest::Pump(30);
    Grid->SetFocus();
    wintest::Pump(10);
  }
  void TearDown() override { delete Form; }

  void GoTo(int Col, int Row) {
    Grid->FocusCell(Col, Row);
    wintest::Pump(5);
    Stored.clear();
  }
  HWND Editor() { return Grid->InplaceEditor()->WindowHandle(); }
  std::string Shown() { return wintest::WindowText(Editor()); }

  TForm* Form = nullptr;
  TFormatedStringGrid* Grid = nullptr;
  std::vector<KindCall> Calls;
  std::vector<std::string> Stored;
};

TEST_F(FormatedGridTest, NewGridHasNoKindAndNoHandlers) {
  TFormatedStringGrid Fresh(nullptr);
  EXPECT_EQ(Fresh.FormatKind(), quillet::fkNone);
  EXPECT_FALSE(Fresh.OnGetFormatKind());
  EXPECT_FALSE(Fresh.OnHideEditor());
}

TEST_F(FormatedGridTest, EachLoadAsksOnceWithTheGridAndTheLoadedCell) {
  Calls.clear();
  Grid->FocusCell(4, 2);
  wintest::Pump(5);
  ASSERT_EQ(Calls.size(), 1u);
  EXPECT_EQ(Calls[0].Sender, Grid);
  EXPECT_EQ(Calls[0].Col, 4);
  EXPECT_EQ(Calls[0].Row, 2);
  EXPECT_EQ(Calls[0].ValueIn, quillet::fkNone);
  EXPECT_EQ(Grid->FormatKind(), quillet::fkDate);
  EXPECT_EQ(Grid->InplaceEditor()->EditMask(), quillet::kDateEditMask);
}

TEST_F(FormatedGridTest, DateMaskReplacesTheApplicationsMaskOtherKindsKeepIt) {
  Grid->OnGetEditMask = TMethod<TObject*, int, int, std::string&>(
      [](TObject*, int, int, std::string& Mask) { Mask = "999;0;_"; });
  GoTo(4, 1);
  EXPECT_EQ(Grid->InplaceEditor()->EditMask(), quillet::kDateEditMask);
  GoTo(1, 1);
  EXPECT_EQ(Grid->InplaceEditor()->EditMask(), "999;0;_");
}

struct TypingCase {
  const char* Name;
  int Col;
  std::string Typed;
  std::vector<std::string> StoredAfterEach; // one per accepted character
  std::string ShownAtEnd;
};

void PrintTo(const TypingCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class FormatedTypingTest : public FormatedGridTest,
                           public ::testing::WithParamInterface<TypingCase> {};

TEST_P(FormatedTypingTest, FiltersKeysAndNormalisesEveryWriteBack) {
  const TypingCase& C = GetParam();
  GoTo(C.Col, 1);
  wintest::SendText(Editor(), C.Typed);
  EXPECT_EQ(Stored, C.StoredAfterEach);
  EXPECT_EQ(Shown(), C.ShownAtEnd) << "the editor keeps what was typed";
  if (!C.StoredAfterEach.empty()) {
    EXPECT_EQ(Grid->Cells(C.Col, 1), C.StoredAfterEach.back());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FormatedTypingTest,
    ::testing::Values(
        TypingCase{"NoneStoresAsTyped", 0, "a-1 ", {"a", "a-", "a-1", "a-1 "}, "a-1 "},
        TypingCase{"IntegerRefusesSignsAndSeparators", 1, "-1.2", {"1", "12"}, "12"},
        TypingCase{"FloatTakesOneSeparator", 2, "1.2.5", {"1", "1.", "1.2", "1.25"}, "1.25"},
        TypingCase{"CurrencyRewritesTwoDecimals", 3, "1.5", {"1.00", "1.00", "1.50"}, "1.5"},
        TypingCase{"CurrencyLimitsDecimalsAfterTheSeparator",
                   3,
                   "2.345",
                   {"2.00", "2.00", "2.30", "2.34"},
                   "2.34"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(FormatedGridTest, DateTypedDigitByDigitStoresTodayUntilTheMonthAndDayAreWhole) {
  std::string Today = quillet::FormatShortDateText(LocalDate(), CurrentFormatSettings());
  wintest::LocaleOverride Order(LOCALE_SSHORTDATE, "M/d/yyyy");
  wintest::LocaleOverride Separator(LOCALE_SDATE, "/");
  Today = quillet::FormatShortDateText(LocalDate(), CurrentFormatSettings());
  GoTo(4, 1);
  wintest::SendText(Editor(), "12032024");
  std::vector<std::string> Expected = {Today,        Today,        Today,        Today,
                                       "12/03/2   ", "12/03/20  ", "12/03/202 ", "12/03/2024"};
  EXPECT_EQ(Stored, Expected);
  EXPECT_EQ(Shown(), "12/03/2024");
}

TEST_F(FormatedGridTest, PassingThroughEmptyCellsStoresEachKindsFallback) {
  std::string Today = quillet::FormatShortDateText(LocalDate(), CurrentFormatSettings());
  for (int Col = 1; Col <= 4; ++Col) {
    GoTo(Col, 2);
    Grid->FocusCell(Col, 3); // leave without typing
    wintest::Pump(5);
  }
  EXPECT_EQ(Grid->Cells(1, 2), "0");
  EXPECT_EQ(Grid->Cells(2, 2), "0.00");
  EXPECT_EQ(Grid->Cells(3, 2), "0.00");
  EXPECT_EQ(Grid->Cells(4, 2), Today);
}

TEST_F(FormatedGridTest, CommaSeparatorIsReadAtEachUse) {
  wintest::LocaleOverride Comma(LOCALE_SDECIMAL, ",");
  GoTo(3, 1);
  wintest::SendText(Editor(), "2.,5");
  EXPECT_EQ(Stored, (std::vector<std::string>{"2,00", "2,00", "2,50"}));
  GoTo(1, 2);
  GoTo(2, 2);
  Grid->FocusCell(2, 3);
  wintest::Pump(5);
  EXPECT_EQ(Grid->Cells(1, 2), "0");
  EXPECT_EQ(Grid->Cells(2, 2), "0,00");
}

TEST_F(FormatedGridTest, EscapeChangesNeitherTheEditorNorTheCell) {
  GoTo(0, 1);
  wintest::SendText(Editor(), "ab");
  Stored.clear();
  wintest::SendKey(Editor(), VK_ESCAPE);
  EXPECT_EQ(Shown(), "ab");
  EXPECT_EQ(Grid->Cells(0, 1), "ab");
  EXPECT_TRUE(Stored.empty());
}

TEST_F(FormatedGridTest, EnterTogglesTheEditorWhenItIsNotAlwaysShown) {
  Grid->SetOptions(Grid->Options() & ~goAlwaysShowEditor);
  Grid->SetEditorMode(false);
  Grid->FocusCell(0, 1);
  Grid->SetFocus();
  wintest::Pump(5);
  wintest::SendKey(Grid->WindowHandle(), VK_RETURN);
  ASSERT_TRUE(Grid->EditorMode());
  wintest::SendText(Editor(), "x");
  wintest::SendKey(Editor(), VK_RETURN);
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Grid->Cells(0, 1), "x");
}

TEST_F(FormatedGridTest, OnHideEditorIsNeverRaised) {
  int Raised = 0;
  Grid->SetOnHideEditor(TNotifyEvent([&](TObject*) { ++Raised; }));
  GoTo(1, 1);
  Grid->SetEditorMode(false);
  GoTo(2, 2);
  EXPECT_EQ(Raised, 0);
}

} // namespace
