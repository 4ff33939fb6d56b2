// The demo's main form, built from its stored layout resource exactly as the
// program builds it: geometry, headers, memo text and the handlers per column.
#include "support/WinTest.h"

#include "components/Quillet.h"
#include "demo/Main.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/InplaceEdit.h"
#include "toolkit/win/LocaleSettings.h"
#include "toolkit/win/StandardClasses.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace tk;
using namespace quillet;

class DemoFormTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    RegisterStandardClasses();
    RegisterQuilletClasses();
  }
  void SetUp() override {
    Form = new TfrmMain(Application);
    Form->Show();
    wintest::Pump(50);
  }
  void TearDown() override { delete Form; }

  TfrmMain* Form = nullptr;
};

TEST_F(DemoFormTest, WindowIsCentredWithItsCaptionAndStoredSize) {
  HWND Wnd = Form->WindowHandle();
  EXPECT_EQ(wintest::WindowText(Wnd), "TQuillet Test Application");
  RECT R;
  GetWindowRect(Wnd, &R);
  // The layout was made with a 13-pixel text height; only a different
  // measured height scales it.
  HDC DC = GetDC(nullptr);
  HGDIOBJ Old = SelectObject(DC, Form->Font().Handle());
  SIZE Text{};
  GetTextExtentPoint32A(DC, "0", 1, &Text);
  SelectObject(DC, Old);
  ReleaseDC(nullptr, DC);
  if (Text.cy == 13) {
    EXPECT_EQ(R.right - R.left, 468);
    EXPECT_EQ(R.bottom - R.top, 330);
    EXPECT_EQ(Form->Quillet->Height(), 105);
  }
  EXPECT_NEAR(R.left, (GetSystemMetrics(SM_CXSCREEN) - (R.right - R.left)) / 2, 1);
  EXPECT_NEAR(R.top, (GetSystemMetrics(SM_CYSCREEN) - (R.bottom - R.top)) / 2, 1);
  ASSERT_NE(Form->Quillet->InplaceEditor(), nullptr);
  EXPECT_EQ(GetFocus(), Form->Quillet->InplaceEditor()->WindowHandle());
  EXPECT_EQ(Form->Quillet->Col(), 0);
  EXPECT_EQ(Form->Quillet->Row(), 1);
  // Seven columns and five rows fit: the grid shows no scroll bar.
  EXPECT_EQ(GetWindowLongA(Form->Quillet->WindowHandle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL),
            0);
}

TEST_F(DemoFormTest, ScrollBarsShowOnlyWhileTheCellsDoNotFit) {
  HWND Grid = Form->Quillet->WindowHandle();
  auto Bars = [&] { return GetWindowLongA(Grid, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL); };
  SetWindowPos(Form->WindowHandle(), nullptr, 0, 0, 300, 330, SWP_NOMOVE | SWP_NOZORDER);
  wintest::Pump(30);
  // Too narrow for seven columns; the horizontal bar then takes the room
  // the fifth row needs, so the vertical one shows too.
  EXPECT_EQ(Bars(), WS_HSCROLL | WS_VSCROLL);
  SetWindowPos(Form->WindowHandle(), nullptr, 0, 0, 640, 330, SWP_NOMOVE | SWP_NOZORDER);
  wintest::Pump(30);
  EXPECT_EQ(Bars(), 0);
  Form->Quillet->SetRowCount(50);
  wintest::Pump(30);
  EXPECT_EQ(Bars(), WS_VSCROLL);
}

TEST_F(DemoFormTest, GridSpansTheWidthAndTheMemoTakesTheRestAfterAResize) {
  int GridHeight = Form->Quillet->Height();
  SetWindowPos(Form->WindowHandle(), nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER);
  wintest::Pump(30);
  RECT Client;
  GetClientRect(Form->WindowHandle(), &Client);
  EXPECT_EQ(Form->Quillet->Width(), Client.right);
  EXPECT_EQ(Form->Quillet->Height(), GridHeight);
  EXPECT_EQ(Form->Memo1->Top(), GridHeight);
  EXPECT_EQ(Form->Memo1->Width(), Client.right);
  EXPECT_EQ(Form->Memo1->Height(), Client.bottom - GridHeight);
}

TEST_F(DemoFormTest, LayoutSetsTheGridAndHeadersNameEachColumn) {
  TQuillet& Grid = *Form->Quillet;
  EXPECT_EQ(Grid.ColCount(), 7);
  EXPECT_EQ(Grid.RowCount(), 5);
  EXPECT_EQ(Grid.FixedRows(), 1);
  EXPECT_EQ(Grid.FixedCols(), 0);
  EXPECT_EQ(Grid.DefaultRowHeight(), 16);
  EXPECT_EQ(Grid.DropDownCount(), 10);
  EXPECT_EQ(Grid.Options(),
            static_cast<TGridOptions>(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine |
                                      goRangeSelect | goEditing | goAlwaysShowEditor));
  const char* Headers[] = {"esSimple",  "esEllipsis", "esPickList", "fkDate",
                           "fkInteger", "fkFloat",    "fkCurrency"};
  for (int Col = 0; Col < 7; ++Col)
    EXPECT_EQ(Grid.Cells(Col, 0), Headers[Col]);
  for (int Row = 1; Row < 5; ++Row)
    for (int Col = 0; Col < 7; ++Col)
      EXPECT_EQ(Grid.Cells(Col, Row), "");
}

TEST_F(DemoFormTest, MemoHoldsTheFourteenHelpLinesReadOnly) {
  TStrings& Lines = Form->Memo1->Lines();
  ASSERT_EQ(Lines.Count(), 14);
  EXPECT_EQ(Lines.Strings(0), "Useful Events:");
  EXPECT_EQ(Lines.Strings(2),
            std::string(19, ' ') + "Changing Value: TEditStyle - you can tune its look.");
  EXPECT_EQ(Lines.Strings(7), "  OnGetDropDownList - values from ComboBox's list sets into "
                              "variable Value: TStrings;");
  EXPECT_EQ(Lines.Strings(10), std::string(21, ' ') + "fkInteger  ]");
  EXPECT_EQ(Lines.Strings(11), std::string(21, ' ') + "fkFloat    \\ checks input");
  EXPECT_EQ(Lines.Strings(12), std::string(21, ' ') + "fkCurrency / ");
  EXPECT_EQ(Lines.Strings(13), std::string(21, ' ') + "fkDate     ]");
  EXPECT_TRUE(Form->Memo1->ReadOnly());
  EXPECT_TRUE(GetWindowLongA(Form->Memo1->WindowHandle(), GWL_STYLE) & ES_READONLY);
}

TEST_F(DemoFormTest, HandlersAnswerByColumnOnly) {
  TQuillet& Grid = *Form->Quillet;
  for (int Row : {1, 4}) {
    for (int Col = 0; Col < 7; ++Col) {
      TEditStyle Style = esSimple;
      bool ReadOnly = false;
      Grid.DoGetEditStyle(Col, Row, Style, ReadOnly);
      EXPECT_EQ(Style, Col == 1 ? esEllipsis : Col == 2 ? esPickList : esSimple) << Col;
      EXPECT_EQ(ReadOnly, Col == 1 || Col == 2) << Col;
      TStringList List;
      Grid.DoGetDropDownList(Col, Row, &List);
      EXPECT_EQ(List.Count(), Col == 2 ? 12 : 0) << Col;
    }
  }
  TStringList Months;
  Grid.DoGetDropDownList(2, 1, &Months);
  TFormatSettings Settings = CurrentFormatSettings();
  for (int I = 0; I < 12; ++I)
    EXPECT_EQ(Months.Strings(I), Settings.LongMonthNames[I]);

  const TFormatKind Kinds[] = {fkNone, fkNone, fkNone, fkDate, fkInteger, fkFloat, fkCurrency};
  for (int Col = 0; Col < 7; ++Col) {
    Grid.FocusCell(Col, 2);
    wintest::Pump(5);
    EXPECT_EQ(Grid.FormatKind(), Kinds[Col]) << Col;
  }
}

} // namespace
