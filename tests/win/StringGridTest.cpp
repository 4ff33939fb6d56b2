// The host string grid and its in-place editor with real windows under
// Wine: the order of the editing hooks (load, write-back, reload), key
// routing, masked input, navigation, a million rows, double clicks, cancel
// mode and painting.
#include "support/WinTest.h"

#include "toolkit/win/Application.h"
#include "toolkit/win/Form.h"
#include "toolkit/win/InplaceEdit.h"
#include "toolkit/win/Memo.h"
#include "toolkit/win/StandardClasses.h"
#include "toolkit/win/StringGrid.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace {

using namespace tk;
using TLog = std::vector<std::string>;

std::string CellName(const char* What, int ACol, int ARow) {
  return std::string(What) + " " + std::to_string(ACol) + "," + std::to_string(ARow);
}

class TRecordingEdit : public TInplaceEdit {
public:
  TRecordingEdit(TComponent* AOwner, TLog& Log) : TInplaceEdit(AOwner), FLog(Log) {}
  void UpdateContents() override {
    FLog.push_back("UpdateContents");
    TInplaceEdit::UpdateContents();
  }
  std::vector<TControl*> CancelSenders;

protected:
  void Change() override {
    FLog.push_back("Change '" + Text() + "'");
    TInplaceEdit::Change();
  }
  void BoundsChanged() override {
    FLog.push_back("BoundsChanged");
    TInplaceEdit::BoundsChanged();
  }
  void CMCancelMode(TMessage& Message) override {
    CancelSenders.push_back(reinterpret_cast<TControl*>(Message.LParam));
    TInplaceEdit::CMCancelMode(Message);
  }

private:
  TLog& FLog;
};

// Records the hooks the components override, in the order the grid calls them.
class TRecordingGrid : public TStringGrid {
public:
  using TStringGrid::TStringGrid;
  void KeyPress(char& Key) override {
    Calls.push_back("KeyPress " + std::to_string(static_cast<unsigned char>(Key)));
    TStringGrid::KeyPress(Key);
  }
  TRecordingEdit* Editor() const { return static_cast<TRecordingEdit*>(InplaceEditor()); }

  TLog Calls;
  // Stores written-back text in upper case, as a normalising grid would.
  bool UpperCaseOnWrite = false;

protected:
  TInplaceEdit* CreateEditor() override { return new TRecordingEdit(this, Calls); }
  std::string GetEditMask(int ACol, int ARow) override {
    Calls.push_back(CellName("GetEditMask", ACol, ARow));
    return TStringGrid::GetEditMask(ACol, ARow);
  }
  void SetEditText(int ACol, int ARow, const std::string& Value) override {
    Calls.push_back(CellName("SetEditText", ACol, ARow) + " '" + Value + "'");
    std::string Stored = Value;
    if (UpperCaseOnWrite)
      for (char& C : Stored)
        C = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
    TStringGrid::SetEditText(ACol, ARow, Stored);
  }
};

constexpr TGridOptions kBaseOptions =
    goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
constexpr TGridOptions kAlwaysEdit = kBaseOptions | goEditing | goAlwaysShowEditor;

std::string Key(char C) {
  return "KeyPress " + std::to_string(static_cast<unsigned char>(C));
}

class StringGridTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(Application);
    Form->SetBounds(40, 40, 540, 360);
    Grid = new TRecordingGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(8, 8, 500, 230);
    Other = new TMemo(Form);
    Other->SetParent(Form);
    Other->SetBounds(8, 250, 200, 40);
  }
  void TearDown() override {
    delete Form;
    wintest::Pump();
  }
  void Show(TGridOptions Options) {
    Grid->SetOptions(Options);
    Form->Show();
    wintest::Activate(Form->WindowHandle());
    Grid->SetFocus();
    wintest::Pump(10);
  }
  HWND GridWnd() const { return Grid->WindowHandle(); }
  HWND EditWnd() const {
    return Grid->InplaceEditor() ? Grid->InplaceEditor()->WindowHandle() : nullptr;
  }
  bool EditorVisible() const { return EditWnd() && IsWindowVisible(EditWnd()); }
  // The editor's rectangle in the grid's client coordinates.
  RECT EditorRect() const {
    RECT R;
    GetWindowRect(EditWnd(), &R);
    MapWindowPoints(nullptr, GridWnd(), reinterpret_cast<POINT*>(&R), 2);
    return R;
  }
  void ExpectEditorOn(int ACol, int ARow) {
    EXPECT_EQ(Grid->Col(), ACol);
    EXPECT_EQ(Grid->Row(), ARow);
    ASSERT_TRUE(EditorVisible());
    RECT Cell = Grid->CellRect(ACol, ARow);
    RECT R = EditorRect();
    EXPECT_FALSE(IsRectEmpty(&Cell));
    EXPECT_TRUE(EqualRect(&R, &Cell))
        << R.left << "," << R.top << " vs " << Cell.left << "," << Cell.top;
  }
  void ClickCell(int ACol, int ARow) {
    RECT R = Grid->CellRect(ACol, ARow);
    wintest::SendClick(GridWnd(), (R.left + R.right) / 2, (R.top + R.bottom) / 2);
  }

  TForm* Form = nullptr;
  TRecordingGrid* Grid = nullptr;
  TMemo* Other = nullptr;
};

TEST_F(StringGridTest, LoadingEmptiesSetsMaskThenTextAndSelectsAll) {
  Grid->SetCells(1, 1, "abc");
  Show(kAlwaysEdit);
  ASSERT_NE(Grid->InplaceEditor(), nullptr);
  EXPECT_EQ(Grid->Calls,
            (TLog{"UpdateContents", "GetEditMask 1,1", "Change 'abc'", "BoundsChanged"}));
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "abc");
  EXPECT_EQ(Grid->InplaceEditor()->SelStart(), 0);
  EXPECT_EQ(Grid->InplaceEditor()->SelLength(), 3);
  EXPECT_EQ(GetFocus(), EditWnd());
  EXPECT_EQ(Form->ActiveControl(), Grid);
  ExpectEditorOn(1, 1);
}

TEST_F(StringGridTest, WritesBackAfterEachCharacterAndWhenLeavingTheCellOnly) {
  Grid->SetCells(1, 1, "abc");
  Grid->UpperCaseOnWrite = true;
  Show(kAlwaysEdit);
  Grid->Calls.clear();
  wintest::SendText(EditWnd(), "xy");
  EXPECT_EQ(Grid->Calls, (TLog{Key('x'), "SetEditText 1,1 'x'", Key('y'), "SetEditText 1,1 'xy'"}));
  // Stored normalised, while the editor goes on showing what was typed.
  EXPECT_EQ(Grid->Cells(1, 1), "XY");
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "xy");

  Grid->Calls.clear();
  wintest::SendKey(EditWnd(), VK_DOWN);
  EXPECT_EQ(Grid->Calls, (TLog{"SetEditText 1,1 'xy'", "UpdateContents", "Change ''",
                               "GetEditMask 1,2", "BoundsChanged"}));
  ExpectEditorOn(1, 2);
  EXPECT_EQ(GetFocus(), EditWnd());
}

TEST_F(StringGridTest, WritingTheCurrentCellReloadsTheEditorWithoutWriteBack) {
  Show(kAlwaysEdit);
  TObject Marker;
  wintest::SendText(EditWnd(), "typed");
  Grid->Calls.clear();
  Grid->SetCells(3, 2, "elsewhere");
  EXPECT_TRUE(Grid->Calls.empty());
  Grid->SetCells(1, 1, "prog");
  EXPECT_EQ(Grid->Calls, (TLog{"UpdateContents", "Change ''", "GetEditMask 1,1", "Change 'prog'",
                               "BoundsChanged"}));
  EXPECT_EQ(Grid->InplaceEditor()->SelLength(), 4);
  EXPECT_EQ(GetFocus(), EditWnd());
  Grid->Calls.clear();
  Grid->SetObjects(1, 1, &Marker);
  EXPECT_EQ(Grid->Calls, (TLog{"UpdateContents", "Change ''", "GetEditMask 1,1", "Change 'prog'",
                               "BoundsChanged"}));
  EXPECT_EQ(Grid->Objects(1, 1), &Marker);
  Grid->SetObjects(1, 1, nullptr);
}

TEST_F(StringGridTest, KeystrokesPassTheGridFirstAndRefusedOnesDropSilently) {
  Grid->OnKeyPress = TKeyPressEvent([](TObject*, char& K) {
    if (K == 'q') K = 27;
    if (K == 'z') K = 0;
    if (K == 'a') K = 'b';
  });
  Grid->SetCells(1, 1, "start");
  Show(kAlwaysEdit);
  Grid->Calls.clear();
  wintest::SendText(EditWnd(), "aqz");
  wintest::SendKey(EditWnd(), VK_ESCAPE);
  wintest::SendKey(EditWnd(), VK_RETURN);
  EXPECT_EQ(Grid->Calls,
            (TLog{Key('a'), "SetEditText 1,1 'b'", Key('q'), Key('z'), Key(27), Key(13)}));
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "b");
  EXPECT_EQ(Grid->Cells(1, 1), "b");
  // Enter with the editor always shown only toggles the selection.
  EXPECT_EQ(Grid->InplaceEditor()->SelLength(), 1);
  wintest::SendKey(EditWnd(), VK_RETURN);
  EXPECT_EQ(Grid->InplaceEditor()->SelLength(), 0);
}

TEST_F(StringGridTest, EnterTogglesEditorModeWhenTheEditorIsNotAlwaysShown) {
  Show(kBaseOptions | goEditing);
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_FALSE(EditorVisible());
  wintest::SendKey(GridWnd(), VK_RETURN);
  ASSERT_TRUE(Grid->EditorMode());
  EXPECT_EQ(GetFocus(), EditWnd());
  wintest::SendText(EditWnd(), "hi");
  Grid->Calls.clear();
  wintest::SendKey(EditWnd(), VK_RETURN);
  EXPECT_EQ(Grid->Calls, (TLog{Key(13), "SetEditText 1,1 'hi'"}));
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_FALSE(EditorVisible());
  EXPECT_EQ(GetFocus(), GridWnd());
  EXPECT_EQ(Grid->Cells(1, 1), "hi");

  // A character typed into the grid opens the editor and replaces the text.
  Grid->Calls.clear();
  wintest::SendChar(GridWnd(), 'z');
  EXPECT_EQ(Grid->Calls, (TLog{"UpdateContents", "Change ''", "GetEditMask 1,1", "Change 'hi'",
                               "BoundsChanged", Key('z'), "SetEditText 1,1 'z'"}));
  EXPECT_TRUE(Grid->EditorMode());

  // Moving the current cell ends editor mode, writing back.
  Grid->Calls.clear();
  wintest::SendKey(EditWnd(), VK_DOWN);
  EXPECT_EQ(Grid->Calls, (TLog{"SetEditText 1,1 'z'"}));
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Grid->Row(), 2);

  // So does EditorMode := false set by program.
  Grid->SetEditorMode(true);
  wintest::SendText(EditWnd(), "k");
  Grid->Calls.clear();
  Grid->SetEditorMode(false);
  EXPECT_EQ(Grid->Calls, (TLog{"SetEditText 1,2 'k'"}));
  EXPECT_FALSE(EditorVisible());
}

TEST_F(StringGridTest, DateMaskFillsDigitByDigitAndWritesBackEachKeystroke) {
  char Sep[4] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, Sep, sizeof Sep);
  auto Dated = [&](std::string S) {
    for (char& C : S)
      if (C == '/') C = Sep[0];
    return S;
  };
  Grid->OnGetEditMask = TGetEditEvent([](TObject*, int ACol, int, std::string& Mask) {
    if (ACol == 2) Mask = "!99/99/0000;1;_";
  });
  Grid->SetCells(2, 2, Dated("3/12/2024"));
  Show(kAlwaysEdit);
  Grid->SetCol(2);
  TInplaceEdit* Edit = Grid->InplaceEditor();
  EXPECT_EQ(Edit->Text(), Dated("  /  /    "));
  EXPECT_EQ(Edit->DisplayText(), Dated("__/__/____"));

  const char* Steps[] = {"1 /  /    ", "12/  /    ", "12/0 /    ", "12/03/    ",
                         "12/03/2   ", "12/03/20  ", "12/03/202 ", "12/03/2024"};
  const std::string Digits = "12032024";
  for (std::size_t I = 0; I < Digits.size(); ++I) {
    Grid->Calls.clear();
    wintest::SendChar(EditWnd(), Digits[I]);
    std::string Expected = Dated(Steps[I]);
    EXPECT_EQ(Edit->Text(), Expected) << "after digit " << I;
    EXPECT_EQ(Grid->Calls, (TLog{Key(Digits[I]), "SetEditText 2,1 '" + Expected + "'"}));
  }
  // A refused character changes nothing and writes nothing back.
  Grid->Calls.clear();
  wintest::SendChar(EditWnd(), 'x');
  EXPECT_EQ(Grid->Calls, (TLog{Key('x')}));
  wintest::SendKey(EditWnd(), VK_BACK);
  EXPECT_EQ(Edit->Text(), Dated("12/03/202 "));
  EXPECT_EQ(Grid->Cells(2, 1), Dated("12/03/202 "));

  // A stored date lines up to the right of its group; typing the separator
  // jumps to the next group.
  wintest::SendKey(EditWnd(), VK_DOWN);
  EXPECT_EQ(Edit->DisplayText(), Dated("_3/12/2024"));
  EXPECT_EQ(Edit->Text(), Dated(" 3/12/2024"));
  wintest::SendChar(EditWnd(), '1');
  wintest::SendChar(EditWnd(), Sep[0]);
  wintest::SendChar(EditWnd(), '5');
  EXPECT_EQ(Edit->Text(), Dated("1 /5 /    "));
  EXPECT_EQ(Grid->Cells(2, 2), Dated("1 /5 /    "));
}

TEST_F(StringGridTest, PasteIntoAMaskedEditorIsAProgramChangeWrittenBackOnLeaving) {
  Grid->OnGetEditMask =
      TGetEditEvent([](TObject*, int, int, std::string& Mask) { Mask = "99-99;1;_"; });
  Show(kAlwaysEdit);
  ASSERT_TRUE(OpenClipboard(EditWnd()));
  EmptyClipboard();
  HGLOBAL Data = GlobalAlloc(GMEM_MOVEABLE, 5);
  std::memcpy(GlobalLock(Data), "1231", 5);
  GlobalUnlock(Data);
  SetClipboardData(CF_TEXT, Data);
  CloseClipboard();
  Grid->Calls.clear();
  SendMessageA(EditWnd(), WM_PASTE, 0, 0);
  EXPECT_EQ(Grid->Calls, (TLog{"Change '12-31'"}));
  EXPECT_EQ(Grid->Cells(1, 1), "");
  wintest::SendKey(EditWnd(), VK_DOWN);
  ASSERT_FALSE(Grid->Calls.size() < 2);
  EXPECT_EQ(Grid->Calls[1], "SetEditText 1,1 '12-31'");
  EXPECT_EQ(Grid->Cells(1, 1), "12-31");
}

TEST_F(StringGridTest, RealKeyboardInputTypesIntoTheEditor) {
  Show(kAlwaysEdit);
  ASSERT_EQ(GetFocus(), EditWnd());
  wintest::InputText("ok");
  EXPECT_TRUE(wintest::PumpUntil([&] { return Grid->Cells(1, 1) == "ok"; }))
      << "cell holds '" << Grid->Cells(1, 1) << "'";
  wintest::InputKeyStroke(VK_DOWN);
  EXPECT_TRUE(wintest::PumpUntil([&] { return Grid->Row() == 2; }));
  ExpectEditorOn(1, 2);
}

constexpr const char* kGridLayout = R"(object GridLayoutForm: TGridLayoutForm
  Width = 400
  Height = 300
  object Grid: TStringGrid
    Left = 4
    Top = 4
    Width = 380
    Height = 200
    ColCount = 7
    FixedCols = 0
    DefaultRowHeight = 16
    Options = [goFixedVertLine, goFixedHorzLine, goEditing, goAlwaysShowEditor]
    ScrollBars = ssVertical
    BorderStyle = bsNone
    FixedColor = clWhite
    OnSetEditText = GridSetEditText
  end
end
)";

class TGridLayoutForm : public TForm {
public:
  TGridLayoutForm() : TForm(Application) {
    PublishMethod("GridSetEditText", TSetEditEvent(this, &TGridLayoutForm::GridSetEditText));
    LoadLayoutFromText("TGRIDLAYOUTFORM", kGridLayout);
  }
  std::string_view ClassName() const override { return "TGridLayoutForm"; }
  void BindPublishedField(std::string_view Field, TComponent* C) override {
    if (Field == "Grid") Grid = dynamic_cast<TStringGrid*>(C);
  }
  void GridSetEditText(TObject*, int ACol, int ARow, const std::string& Value) {
    Written.push_back(CellName("", ACol, ARow) + " " + Value);
  }
  TStringGrid* Grid = nullptr;
  TLog Written;
};

TEST(StringGridLayoutTest, AStoredLayoutSetsThePublishedProperties) {
  RegisterStandardClasses();
  TGridLayoutForm Form;
  ASSERT_NE(Form.Grid, nullptr);
  TStringGrid& G = *Form.Grid;
  EXPECT_EQ(G.ColCount(), 7);
  EXPECT_EQ(G.RowCount(), 5);
  EXPECT_EQ(G.FixedCols(), 0);
  EXPECT_EQ(G.DefaultRowHeight(), 16);
  EXPECT_EQ(G.Options(), goFixedVertLine | goFixedHorzLine | goEditing | goAlwaysShowEditor);
  EXPECT_EQ(G.ScrollBars(), ssVertical);
  EXPECT_EQ(G.BorderStyle(), bsNone);
  EXPECT_EQ(G.FixedColor(), clWhite);
  EXPECT_EQ(G.Col(), 0);
  EXPECT_EQ(G.Row(), 1);
  Form.Show();
  wintest::Pump(10);
  ASSERT_NE(G.InplaceEditor(), nullptr) << "the editor opens when the grid takes the focus";
  wintest::SendChar(G.InplaceEditor()->WindowHandle(), '7');
  EXPECT_EQ(Form.Written, (TLog{" 0,1 7"}));
}

struct NavCase {
  const char* Name;
  int FromCol, FromRow;
  WORD Key;
  bool Alt, Ctrl, Shift;
  int ToCol, ToRow;
};

void PrintTo(const NavCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class StringGridNavigationTest : public StringGridTest,
                                 public ::testing::WithParamInterface<NavCase> {};

TEST_P(StringGridNavigationTest, KeyInTheEditorMovesTheCurrentCell) {
  const NavCase& C = GetParam();
  Grid->SetColCount(6);
  Grid->SetRowCount(8);
  Show(kAlwaysEdit | goTabs);
  Grid->FocusCell(C.FromCol, C.FromRow);
  ExpectEditorOn(C.FromCol, C.FromRow);
  {
    std::initializer_list<WORD> None{}, CtrlKey{VK_CONTROL}, ShiftKey{VK_SHIFT};
    wintest::HeldKeys Held(C.Ctrl ? CtrlKey : C.Shift ? ShiftKey : None);
    wintest::SendKey(EditWnd(), C.Key, C.Alt);
  }
  ExpectEditorOn(C.ToCol, C.ToRow);
  EXPECT_EQ(GetFocus(), EditWnd());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, StringGridNavigationTest,
    ::testing::Values(NavCase{"Up", 2, 3, VK_UP, false, false, false, 2, 2},
                      NavCase{"AltUp", 2, 3, VK_UP, true, false, false, 2, 2},
                      NavCase{"AltDown", 2, 3, VK_DOWN, true, false, false, 2, 4},
                      NavCase{"UpAtFirstRow", 2, 1, VK_UP, false, false, false, 2, 1},
                      NavCase{"AltUpAtFirstRow", 2, 1, VK_UP, true, false, false, 2, 1},
                      NavCase{"DownAtLastRow", 2, 7, VK_DOWN, false, false, false, 2, 7},
                      NavCase{"LeftAtFirstCol", 1, 3, VK_LEFT, false, false, false, 1, 3},
                      NavCase{"Right", 1, 3, VK_RIGHT, false, false, false, 2, 3},
                      NavCase{"Home", 3, 3, VK_HOME, false, false, false, 1, 3},
                      NavCase{"End", 2, 3, VK_END, false, false, false, 5, 3},
                      NavCase{"CtrlHome", 3, 4, VK_HOME, false, true, false, 1, 1},
                      NavCase{"CtrlEnd", 2, 3, VK_END, false, true, false, 5, 7},
                      NavCase{"TabWraps", 5, 3, VK_TAB, false, false, false, 1, 4},
                      NavCase{"ShiftTabWraps", 1, 3, VK_TAB, false, false, true, 5, 2},
                      NavCase{"PageUpClamps", 2, 2, VK_PRIOR, false, false, false, 2, 1},
                      NavCase{"PageDownClamps", 2, 6, VK_NEXT, false, false, false, 2, 7},
                      NavCase{"Escape", 2, 3, VK_ESCAPE, false, false, false, 2, 3}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(StringGridTest, PageKeysMoveByTheVisibleRows) {
  Grid->SetRowCount(100);
  Show(kAlwaysEdit);
  int Page = Grid->VisibleRowCount();
  ASSERT_GT(Page, 2);
  wintest::SendKey(EditWnd(), VK_NEXT);
  ExpectEditorOn(1, 1 + Page);
  wintest::SendKey(EditWnd(), VK_NEXT);
  ExpectEditorOn(1, 1 + 2 * Page);
  EXPECT_GT(Grid->TopRow(), 1);
  wintest::SendKey(EditWnd(), VK_PRIOR);
  ExpectEditorOn(1, 1 + Page);
}

TEST_F(StringGridTest, AMillionRowsReachTheLastRowWithoutCost) {
  Grid->SetRowCount(1000000);
  Grid->SetRowHeights(10, 60);
  Grid->SetCells(1, 999999, "last");
  Show(kAlwaysEdit);
  Grid->SetRow(999999);
  ExpectEditorOn(1, 999999);
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "last");
  EXPECT_LE(Grid->TopRow(), 999999);
  EXPECT_EQ(Grid->TopRow() + Grid->VisibleRowCount(), 1000000);

  SCROLLINFO SI{};
  SI.cbSize = sizeof SI;
  SI.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(GridWnd(), SB_VERT, &SI));
  EXPECT_EQ(SI.nPos, Grid->TopRow() - 1);
  EXPECT_EQ(SI.nMax - static_cast<int>(SI.nPage) + 1, SI.nPos) << "scrolled to the bottom";

  {
    wintest::HeldKeys Ctrl{VK_CONTROL};
    wintest::SendKey(EditWnd(), VK_HOME);
    ExpectEditorOn(1, 1);
    EXPECT_EQ(Grid->TopRow(), 1);
    wintest::SendKey(EditWnd(), VK_END);
  }
  ExpectEditorOn(4, 999999);
  EXPECT_EQ(Grid->Store().FilledCount(), 1u);
}

TEST_F(StringGridTest, ScrollingKeepsTheEditorOverItsCell) {
  Grid->SetRowCount(50);
  int TopLeftChanges = 0;
  Grid->OnTopLeftChanged = TNotifyEvent([&](TObject*) { ++TopLeftChanges; });
  Show(kAlwaysEdit);
  Grid->FocusCell(2, 3);
  SendMessageA(GridWnd(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(Grid->TopRow(), 2);
  EXPECT_EQ(TopLeftChanges, 1);
  ExpectEditorOn(2, 3);
  SendMessageA(GridWnd(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_FALSE(EditorVisible()) << "its cell scrolled out of view";
  EXPECT_EQ(Grid->TopRow() + Grid->VisibleRowCount(), 50);
  SendMessageA(GridWnd(), WM_VSCROLL, SB_TOP, 0);
  ExpectEditorOn(2, 3);
}

TEST_F(StringGridTest, APressOnTheEditorSoonAfterTheGridsPressIsADoubleClick) {
  int DoubleClicks = 0;
  Grid->OnDblClick = TNotifyEvent([&](TObject*) { ++DoubleClicks; });
  Show(kAlwaysEdit);
  ClickCell(2, 2);
  ExpectEditorOn(2, 2);
  wintest::SendClick(EditWnd(), 4, 4);
  EXPECT_EQ(DoubleClicks, 1);
  // The stamp is used once.
  wintest::SendClick(EditWnd(), 4, 4);
  EXPECT_EQ(DoubleClicks, 1);
  // A stamp older than the double-click time does not count.
  Grid->InplaceEditor()->StampClickTime(static_cast<DWORD>(GetMessageTime()) -
                                        GetDoubleClickTime() - 1);
  wintest::SendClick(EditWnd(), 4, 4);
  EXPECT_EQ(DoubleClicks, 1);
}

TEST_F(StringGridTest, CancelModeReachesTheEditorAndReleasesItsCapture) {
  Show(kAlwaysEdit);
  auto* Edit = Grid->Editor();
  SetCapture(EditWnd());
  SendMessageA(EditWnd(), WM_CANCELMODE, 0, 0);
  EXPECT_NE(GetCapture(), EditWnd());

  Grid->Perform(CM_CANCELMODE, 0, 0);
  EXPECT_EQ(Edit->CancelSenders, (std::vector<TControl*>{nullptr}));
  // A press on another control of the form goes to the active control, the
  // grid, which passes it on.
  wintest::SendMouseDown(Other->WindowHandle(), 5, 5);
  wintest::SendMouseUp(Other->WindowHandle(), 5, 5);
  EXPECT_EQ(Edit->CancelSenders, (std::vector<TControl*>{nullptr, Other}));
}

TEST_F(StringGridTest, MouseSelectsDragsRangesAndSizesColumns) {
  Show(kBaseOptions | goColSizing);
  ClickCell(2, 3);
  EXPECT_EQ(Grid->Col(), 2);
  EXPECT_EQ(Grid->Row(), 3);
  RECT From = Grid->CellRect(1, 1), To = Grid->CellRect(3, 2);
  wintest::SendMouseDown(GridWnd(), From.left + 5, From.top + 5);
  wintest::SendMouseMove(GridWnd(), To.left + 5, To.top + 5, MK_LBUTTON);
  wintest::SendMouseUp(GridWnd(), To.left + 5, To.top + 5);
  TGridRect S = Grid->Selection();
  EXPECT_EQ((std::vector<int>{S.Left, S.Top, S.Right, S.Bottom}), (std::vector<int>{1, 1, 3, 2}));
  EXPECT_EQ(Grid->Col(), 1) << "the current cell stays where the drag began";

  RECT Header = Grid->CellRect(1, 0);
  int Width = Grid->ColWidths(1);
  wintest::SendMouseDown(GridWnd(), Header.right - 1, 5);
  wintest::SendMouseMove(GridWnd(), Header.right + 29, 5, MK_LBUTTON);
  wintest::SendMouseUp(GridWnd(), Header.right + 29, 5);
  EXPECT_EQ(Grid->ColWidths(1), Width + 30);
  EXPECT_EQ(Grid->ColWidths(2), Width);
}

// Paints the grid into a bitmap through its own WM_PAINT handling.
class PaintedGrid {
public:
  explicit PaintedGrid(TCustomGrid& Grid) {
    RECT R = Grid.ClientRect();
    HDC Screen = GetDC(nullptr);
    DC = CreateCompatibleDC(Screen);
    Bitmap = CreateCompatibleBitmap(Screen, R.right, R.bottom);
    ReleaseDC(nullptr, Screen);
    Old = SelectObject(DC, Bitmap);
    Grid.Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  }
  ~PaintedGrid() {
    SelectObject(DC, Old);
    DeleteObject(Bitmap);
    DeleteDC(DC);
  }
  COLORREF Center(const RECT& R) const {
    return GetPixel(DC, (R.left + R.right) / 2, (R.top + R.bottom) / 2);
  }
  // Pixels of another colour than Color.
  int CountOther(const RECT& R, COLORREF Color) const {
    int N = 0;
    for (int Y = R.top; Y < R.bottom; ++Y)
      for (int X = R.left; X < R.right; ++X)
        N += GetPixel(DC, X, Y) != Color;
    return N;
  }
  HDC DC;

private:
  HBITMAP Bitmap;
  HGDIOBJ Old;
};

TEST_F(StringGridTest, PaintsFixedNormalSelectedCellsTextAndLines) {
  constexpr COLORREF Yellow = RGB(255, 255, 0), Blue = RGB(0, 0, 255), Red = RGB(255, 0, 0);
  Grid->SetColor(static_cast<TColor>(Yellow));
  Grid->SetFixedColor(static_cast<TColor>(Blue));
  Grid->Font().SetColor(static_cast<TColor>(Red));
  Grid->SetCells(2, 2, "MMMM");
  Show(kBaseOptions);
  // Select (1,3)..(2,3): (2,3) is selected, (1,3) is the current cell.
  RECT A = Grid->CellRect(1, 3), B = Grid->CellRect(2, 3);
  wintest::SendMouseDown(GridWnd(), A.left + 3, A.top + 3);
  wintest::SendMouseMove(GridWnd(), B.left + 3, B.top + 3, MK_LBUTTON);
  wintest::SendMouseUp(GridWnd(), B.left + 3, B.top + 3);
  {
    PaintedGrid P(*Grid);
    EXPECT_EQ(P.Center(Grid->CellRect(0, 2)), Blue);
    EXPECT_EQ(P.Center(Grid->CellRect(3, 2)), Yellow);
    EXPECT_EQ(P.Center(B), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(P.Center(A), Yellow) << "the current cell is not drawn selected";
    EXPECT_GT(P.CountOther(Grid->CellRect(2, 2), Yellow), 10) << "the cell's text is drawn";
    EXPECT_EQ(P.CountOther(Grid->CellRect(3, 2), Yellow), 0);
    RECT C = Grid->CellRect(3, 2);
    EXPECT_NE(GetPixel(P.DC, C.right, C.top + 5), Yellow) << "a vertical grid line";
    EXPECT_NE(GetPixel(P.DC, C.left + 5, C.bottom), Yellow) << "a horizontal grid line";
  }
  Grid->SetOptions(kBaseOptions & ~(goVertLine | goHorzLine));
  PaintedGrid P(*Grid);
  RECT C = Grid->CellRect(3, 2);
  EXPECT_EQ(GetPixel(P.DC, C.right, C.top + 5), Yellow);
  EXPECT_EQ(GetPixel(P.DC, C.left + 5, C.bottom), Yellow);
}

} // namespace
