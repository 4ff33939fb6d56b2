// A tour of the demo program as a user takes it: QuilletDemo.exe runs as its
// own process and gets nothing but real keyboard and mouse input; the tour
// reads what a user can read (captions, the cell editor's text, the screen)
// and saves a screenshot of each main step.
#include "DemoSession.h"
#include "RealInput.h"
#include "ScreenShot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace tour;

std::string LocaleText(LCTYPE Type) {
  char Text[128] = "";
  int Length = GetLocaleInfoA(LOCALE_USER_DEFAULT, Type, Text, sizeof Text);
  return Length > 1 ? std::string(Text, static_cast<std::size_t>(Length - 1)) : std::string();
}

// A date text as the date cell's editor shows it: the input mask has two,
// two and four digit places, each group filled from the right, '_' where
// nothing is. Empty when the text does not have that shape.
std::string MaskedDate(const std::string& Text, char Separator) {
  const std::size_t Widths[] = {2, 2, 4};
  std::string Shown;
  std::size_t From = 0;
  for (int Group = 0; Group < 3; ++Group) {
    std::size_t To = Group < 2 ? Text.find(Separator, From) : Text.size();
    if (To == std::string::npos || To - From > Widths[Group]) return {};
    if (Group > 0) Shown += Separator;
    Shown += std::string(Widths[Group] - (To - From), '_') + Text.substr(From, To - From);
    From = To + 1;
  }
  return Shown;
}

std::string MonthName(int Month) {
  return LocaleText(static_cast<LCTYPE>(LOCALE_SMONTHNAME1 + Month - 1));
}

// The first letters of a month's name, enough to tell it from the others.
std::string SearchPrefix(int Month) {
  std::string Prefix = MonthName(Month).substr(0, 3);
  CharLowerBuffA(Prefix.data(), static_cast<DWORD>(Prefix.size()));
  return Prefix;
}

std::string TodayShortDate() {
  char Text[64] = "";
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, Text, sizeof Text);
  return Text;
}

// Text on the grid is dark on light cell backgrounds.
bool IsInk(COLORREF Colour) {
  return GetRValue(Colour) + GetGValue(Colour) + GetBValue(Colour) < 3 * 100;
}

struct Ink {
  int Pixels = 0;
  int Left = INT_MAX;
  int Right = INT_MIN;
  int Width() const { return Pixels ? Right - Left + 1 : 0; }
};

Ink InkIn(const ScreenShot& Shot, const RECT& Area) {
  Ink Found;
  for (int Y = Area.top; Y < Area.bottom; ++Y)
    for (int X = Area.left; X < Area.right; ++X)
      if (IsInk(Shot.At(X, Y))) {
        ++Found.Pixels;
        Found.Left = std::min(Found.Left, X);
        Found.Right = std::max(Found.Right, X);
      }
  return Found;
}

// The demo's font: "MS Sans Serif", 11 pixels.
HFONT CreateDemoFont() {
  return CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
}

// The grid's stored height, 105 pixels, scaled as the demo scales its layout
// when its font measures another text height than the 13 pixels of design.
LONG ExpectedGridHeight() {
  HDC Screen = GetDC(nullptr);
  HFONT Font = CreateDemoFont();
  HGDIOBJ Old = SelectObject(Screen, Font);
  SIZE Text{};
  GetTextExtentPoint32A(Screen, "0", 1, &Text);
  SelectObject(Screen, Old);
  DeleteObject(Font);
  ReleaseDC(nullptr, Screen);
  return MulDiv(105, Text.cy, 13);
}

// How wide a text's ink is in the demo's font, drawn the way the grid draws
// it: dark on light.
int InkWidthOfText(const char* Text) {
  HDC Screen = GetDC(nullptr);
  HDC Memory = CreateCompatibleDC(Screen);
  HBITMAP Bitmap = CreateCompatibleBitmap(Screen, 200, 30);
  HGDIOBJ OldBitmap = SelectObject(Memory, Bitmap);
  HFONT Font = CreateDemoFont();
  HGDIOBJ OldFont = SelectObject(Memory, Font);
  RECT All{0, 0, 200, 30};
  FillRect(Memory, &All, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetTextColor(Memory, RGB(0, 0, 0));
  SetBkMode(Memory, TRANSPARENT);
  TextOutA(Memory, 10, 5, Text, static_cast<int>(std::string(Text).size()));
  int Left = INT_MAX, Right = INT_MIN;
  for (int Y = 0; Y < 30; ++Y)
    for (int X = 0; X < 200; ++X)
      if (IsInk(GetPixel(Memory, X, Y))) {
        Left = std::min(Left, X);
        Right = std::max(Right, X);
      }
  SelectObject(Memory, OldFont);
  SelectObject(Memory, OldBitmap);
  DeleteObject(Font);
  DeleteObject(Bitmap);
  DeleteDC(Memory);
  ReleaseDC(nullptr, Screen);
  return Right >= Left ? Right - Left + 1 : 0;
}

// Selected text shows on the system's highlight colour.
bool ShowsSelection(const RECT& Area) {
  ScreenShot Shot = ScreenShot::Capture(Area);
  COLORREF Highlight = GetSysColor(COLOR_HIGHLIGHT);
  int Found = 0;
  for (int Y = Area.top; Y < Area.bottom; ++Y)
    for (int X = Area.left; X < Area.right; ++X)
      if (Shot.At(X, Y) == Highlight) ++Found;
  return Found > 20;
}

RECT ClientOnScreen(HWND Wnd) {
  RECT R{};
  GetClientRect(Wnd, &R);
  MapWindowPoints(Wnd, nullptr, reinterpret_cast<POINT*>(&R), 2);
  return R;
}

// The grid along the top of the client area at its own height, the memo
// below it down to the bottom, both across the whole width.
void ExpectGridOnTopAndMemoBelow(const DemoSession& Demo, LONG GridHeight) {
  RECT Client, Grid, Memo;
  auto Read = [&] {
    Client = ClientOnScreen(Demo.MainWindow());
    Grid = ScreenRectOf(Demo.Grid());
    Memo = ScreenRectOf(Demo.Memo());
  };
  // The demo lays out its controls once the window has its new size.
  WaitUntil([&] {
    Read();
    return Grid.right == Client.right && Memo.right == Client.right && Memo.bottom == Client.bottom;
  });
  Read();
  EXPECT_EQ(Grid.left, Client.left);
  EXPECT_EQ(Grid.top, Client.top);
  EXPECT_EQ(Grid.right, Client.right);
  EXPECT_EQ(Grid.bottom - Grid.top, GridHeight);
  EXPECT_EQ(Memo.left, Client.left);
  EXPECT_EQ(Memo.top, Grid.bottom);
  EXPECT_EQ(Memo.right, Client.right);
  EXPECT_EQ(Memo.bottom, Client.bottom);
}

// The key of a system menu item: the letter after its '&', in the system's
// language.
WORD SystemMenuKey(UINT Command) {
  HMENU Menu = LoadMenuA(GetModuleHandleA("user32.dll"), "SYSMENU");
  char Text[64] = "";
  GetMenuStringA(Menu, Command, Text, sizeof Text, MF_BYCOMMAND);
  DestroyMenu(Menu);
  const char* Amp = std::strchr(Text, '&');
  return Amp && Amp[1] ? static_cast<WORD>(VkKeyScanA(Amp[1]) & 0xFF) : 0;
}

HWND ChildWithText(HWND Parent, const std::string& Text) {
  for (HWND Child = GetWindow(Parent, GW_CHILD); Child; Child = GetWindow(Child, GW_HWNDNEXT))
    if (WindowText(Child) == Text) return Child;
  return nullptr;
}

class DemoTour : public ::testing::Test {
protected:
  void SetUp() override {
    Demo = std::make_unique<DemoSession>();
    ASSERT_TRUE(Demo->Started()) << "QuilletDemo did not show its window";
  }

  // The main window with whatever floats over it: the pick list, the dialog.
  void SaveShot(const char* Name) {
    RECT Area = ScreenRectOf(Demo->MainWindow());
    for (HWND Popup : {Demo->PickList(), Demo->Dialog()}) {
      if (!Popup) continue;
      RECT Both, Over = ScreenRectOf(Popup);
      UnionRect(&Both, &Area, &Over);
      Area = Both;
    }
    Pause(150); // for the last repaints
    std::string Folder = HostPath(TOUR_SHOT_DIR);
    CreateDirectoryA(Folder.c_str(), nullptr);
    EXPECT_TRUE(ScreenShot::Capture(Area).SavePng(Folder + "\\" + Name + ".png")) << Name;
  }

  // Leaves the cell for another of its column and comes back, so that the
  // editor shows the text the cell stored.
  void RevisitCell(int Col, int Row) {
    ASSERT_TRUE(Demo->ClickCell(Col, Row == 3 ? 2 : 3));
    ASSERT_TRUE(Demo->ClickCell(Col, Row));
  }

  bool ShowsText(const std::string& Expected) {
    return WaitUntil([&] { return Demo->EditorText() == Expected; }, 2000);
  }

  std::unique_ptr<DemoSession> Demo;
};

TEST_F(DemoTour, StartsCentredWithTheHeadersAndTheEditorOnTheFirstCell) {
  // The demo's window was found by its caption on start.
  RECT Window = ScreenRectOf(Demo->MainWindow());
  POINT Centre = Middle(Window);
  EXPECT_NEAR(Centre.x, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR(Centre.y, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  EXPECT_TRUE(Demo->EditorIsOn(0, 1));
  EXPECT_EQ(Demo->EditorText(), "");
  ExpectGridOnTopAndMemoBelow(*Demo, ExpectedGridHeight());

  SaveShot("01-start");
  ScreenShot Shot = ScreenShot::Capture(Window);
  RECT Client = Demo->GridClient();
  const char* Headers[] = {"esSimple",  "esEllipsis", "esPickList", "fkDate",
                           "fkInteger", "fkFloat",    "fkCurrency"};
  for (int Col = 0; Col < 7; ++Col) {
    SCOPED_TRACE(Headers[Col]);
    RECT Cell = Demo->CellRect(Col, 0), Inside;
    InflateRect(&Cell, -1, -1);
    ASSERT_TRUE(IntersectRect(&Inside, &Cell, &Client));
    Ink Header = InkIn(Shot, Inside);
    EXPECT_GT(Header.Pixels, 20);
    // A column cut off at the grid's right edge shows part of its header.
    int Expected = InkWidthOfText(Headers[Col]);
    if (Cell.right <= Client.right)
      EXPECT_NEAR(Header.Width(), Expected, 2);
    else
      EXPECT_LE(Header.Width(), Expected + 2);
    for (int Row = 1; Row < 5; ++Row) {
      if (Col == 0 && Row == 1) continue; // the editor with its caret
      RECT Data = Demo->CellRect(Col, Row);
      InflateRect(&Data, -1, -1);
      IntersectRect(&Inside, &Data, &Client);
      EXPECT_EQ(InkIn(Shot, Inside).Pixels, 0) << "row " << Row;
    }
  }
}

TEST_F(DemoTour, TypedTextIsFilteredAndTheCellShowsItNormalisedWhenVisitedAgain) {
  std::string Decimal = LocaleText(LOCALE_SDECIMAL);
  std::string DateSep = LocaleText(LOCALE_SDATE);
  ASSERT_EQ(Decimal.size(), 1u);
  ASSERT_EQ(DateSep.size(), 1u);
  char Sep = DateSep[0];
  std::string DateFormat = LocaleText(LOCALE_SSHORTDATE);
  bool DayFirst = DateFormat.find('d') < DateFormat.find('M');
  bool YearLast = DateFormat.find('y') > DateFormat.find('M');

  struct Case {
    const char* What;
    int Col, Row;
    std::string Typed, WhileTyping, WhenVisitedAgain;
  };
  std::vector<Case> Cases = {
      {"plain column keeps any text", 0, 1, "Ab 1,x!", "Ab 1,x!", "Ab 1,x!"},
      {"integer column refuses the minus", 4, 1, "-12", "12", "12"},
      {"float column refuses a second separator", 5, 1, "3" + Decimal + "1" + Decimal + "4",
       "3" + Decimal + "14", "3" + Decimal + "14"},
  };
  std::string Today = MaskedDate(TodayShortDate(), Sep);
  if (YearLast) {
    // Typed digit by digit; the mask puts in the separators. The 14th is
    // no month, so the date only stays when read in the locale's order.
    std::string Date = DayFirst ? "14" + DateSep + "03" + DateSep + "2024"
                                : "03" + DateSep + "14" + DateSep + "2024";
    Cases.push_back({"date column takes a date digit by digit", 3, 1,
                     DayFirst ? "14032024" : "03142024", Date, Date});
  }
  if (!Today.empty())
    Cases.push_back({"date column replaces a bad date by today", 3, 2, "99992024",
                     "99" + DateSep + "99" + DateSep + "2024", Today});
  // Last: a click on the currency column scrolls the view when the grid shows
  // that column only in part.
  Cases.push_back({"currency column shows two decimals", 6, 1, "12" + Decimal + "5",
                   "12" + Decimal + "5", "12" + Decimal + "50"});

  for (const Case& C : Cases) {
    SCOPED_TRACE(C.What);
    ASSERT_TRUE(Demo->ClickCell(C.Col, C.Row));
    TypeText(C.Typed);
    EXPECT_TRUE(ShowsText(C.WhileTyping)) << "editor shows \"" << Demo->EditorText() << "\"";
    RevisitCell(C.Col, C.Row);
    EXPECT_TRUE(ShowsText(C.WhenVisitedAgain)) << "editor shows \"" << Demo->EditorText() << "\"";
  }
  SaveShot("02-typed");
}

TEST_F(DemoTour, EllipsisCellTakesTheAnswerOfTheDialog) {
  ASSERT_TRUE(Demo->ClickCell(1, 1));
  Click(Demo->EditorButton());
  ASSERT_TRUE(WaitUntil([&] { return Demo->Dialog() != nullptr; })) << "no dialog";
  HWND Box = Demo->Dialog();
  EXPECT_NE(ChildWithText(Box, "Push Ok Or Cancel Button!"), nullptr);
  HWND Ok = GetDlgItem(Box, IDOK);
  ASSERT_NE(Ok, nullptr);
  EXPECT_EQ(WindowText(Ok), "OK");
  EXPECT_EQ(WindowText(GetDlgItem(Box, IDCANCEL)), "Cancel");
  SaveShot("03-ellipsis-dialog");
  Click(Middle(ScreenRectOf(Ok)));
  EXPECT_TRUE(WaitUntil([&] { return Demo->Dialog() == nullptr; }));
  EXPECT_TRUE(ShowsText("OK"));

  // A second click on the button, answered by Escape, overwrites the cell.
  Click(Demo->EditorButton());
  ASSERT_TRUE(WaitUntil([&] { return Demo->Dialog() != nullptr; })) << "no dialog";
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return Demo->Dialog() == nullptr; }));
  EXPECT_TRUE(ShowsText("Cancel"));

  // The cell is read-only: typing changes nothing.
  TypeText("abc");
  Pause();
  EXPECT_EQ(Demo->EditorText(), "Cancel");

  // A double click on the text of an ellipsis cell opens the dialog too.
  ASSERT_TRUE(Demo->ClickCell(1, 2));
  RECT Edit = ScreenRectOf(Demo->Editor());
  DoubleClick({Edit.left + 10, (Edit.top + Edit.bottom) / 2});
  ASSERT_TRUE(WaitUntil([&] { return Demo->Dialog() != nullptr; })) << "no dialog";
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return Demo->Dialog() == nullptr; }));
  EXPECT_TRUE(ShowsText("OK"));
  RevisitCell(1, 1);
  EXPECT_TRUE(ShowsText("Cancel"));
}

TEST_F(DemoTour, PickListOpensUnderTheCellAndTakesTheClickedMonth) {
  std::string March = MonthName(3);
  ASSERT_TRUE(Demo->ClickCell(2, 1));
  Click(Demo->EditorButton());
  ASSERT_TRUE(WaitUntil([&] { return Demo->PickList() != nullptr; })) << "no pick list";
  HWND List = Demo->PickList();
  RECT Edit = ScreenRectOf(Demo->Editor());
  RECT Shown = ScreenRectOf(List);
  EXPECT_EQ(Shown.left, Edit.left);
  EXPECT_EQ(Shown.top, Edit.bottom);
  EXPECT_GE(Shown.right - Shown.left, Edit.right - Edit.left);
  SaveShot("04-pick-list");

  // Twelve months, ten rows at a time: March is the third row.
  RECT Client = ClientOnScreen(List);
  int RowHeight = (Client.bottom - Client.top) / 10;
  EXPECT_EQ((Client.bottom - Client.top) % 10, 0);
  Click({(Client.left + Client.right) / 2, Client.top + 2 * RowHeight + RowHeight / 2});
  EXPECT_TRUE(WaitUntil([&] { return Demo->PickList() == nullptr; }));
  EXPECT_TRUE(ShowsText(March));
  RevisitCell(2, 1);
  EXPECT_TRUE(ShowsText(March));
}

TEST_F(DemoTour, PickListOpensFromTheKeyboardAndFindsTheTypedMonth) {
  std::string March = MonthName(3);
  ASSERT_TRUE(Demo->ClickCell(2, 1));

  // Alt+Down moves down a row and opens that cell's list. Escape closes it
  // without taking the month that typing has highlighted.
  PressKeyWith(VK_MENU, VK_DOWN);
  ASSERT_TRUE(WaitUntil([&] { return Demo->PickList() != nullptr; })) << "no pick list";
  EXPECT_TRUE(Demo->EditorIsOn(2, 2));
  EXPECT_EQ(ScreenRectOf(Demo->PickList()).top, ScreenRectOf(Demo->Editor()).bottom);
  TypeText(SearchPrefix(6));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return Demo->PickList() == nullptr; }));

  // Alt+Up goes back up and opens the list there; typed letters search it
  // without touching the editor, and Enter takes the match. The search goes
  // on from the letters typed before unless two seconds pass: Backspace
  // starts it afresh.
  PressKeyWith(VK_MENU, VK_UP);
  ASSERT_TRUE(WaitUntil([&] { return Demo->PickList() != nullptr; })) << "no pick list";
  EXPECT_TRUE(Demo->EditorIsOn(2, 1));
  PressKey(VK_BACK);
  TypeText(SearchPrefix(3));
  Pause();
  EXPECT_NE(Demo->PickList(), nullptr);
  EXPECT_EQ(Demo->EditorText(), "");
  SaveShot("05-pick-list-search");
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return Demo->PickList() == nullptr; }));
  EXPECT_TRUE(ShowsText(March));

  // Enter alone opens the list and at once takes the month the cell holds:
  // the editor shows it selected, however often Enter comes (the editor's
  // own Enter would take the selection away again).
  RECT Edit = ScreenRectOf(Demo->Editor());
  Click({Edit.left + 5, (Edit.top + Edit.bottom) / 2});
  EXPECT_TRUE(WaitUntil([&] { return !ShowsSelection(ScreenRectOf(Demo->Editor())); }));
  for (int Press = 1; Press <= 2; ++Press) {
    SCOPED_TRACE(Press);
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return ShowsSelection(ScreenRectOf(Demo->Editor())); }));
    Pause();
    EXPECT_TRUE(ShowsSelection(ScreenRectOf(Demo->Editor())));
    EXPECT_EQ(Demo->PickList(), nullptr);
    EXPECT_EQ(Demo->EditorText(), March);
  }

  RevisitCell(2, 2);
  EXPECT_TRUE(ShowsText(""));
  RevisitCell(2, 1);
  EXPECT_TRUE(ShowsText(March));
}

TEST_F(DemoTour, PickListClosesWithoutAChangeOnAClickElsewhere) {
  ASSERT_TRUE(Demo->ClickCell(2, 1));
  Click(Demo->EditorButton());
  ASSERT_TRUE(WaitUntil([&] { return Demo->PickList() != nullptr; })) << "no pick list";
  TypeText(SearchPrefix(6)); // highlights a month without taking it
  Click(Middle(ScreenRectOf(Demo->Memo())));
  EXPECT_TRUE(WaitUntil([&] { return Demo->PickList() == nullptr; }));
  RevisitCell(2, 1);
  EXPECT_TRUE(ShowsText(""));
}

TEST_F(DemoTour, ResizingKeepsTheGridHeightAcrossTheWholeWidth) {
  HWND Main = Demo->MainWindow();
  RECT Before = ClientOnScreen(Main);
  LONG GridHeight = ScreenRectOf(Demo->Grid()).bottom - ScreenRectOf(Demo->Grid()).top;
  auto UseSystemMenu = [&](UINT Command) {
    ASSERT_TRUE(Demo->ClickCell(0, 1)); // the window must be the active one
    PressKeyWith(VK_MENU, VK_SPACE);
    ASSERT_TRUE(WaitUntil([&] { return Demo->SystemMenu() != nullptr; })) << "no system menu";
    PressKey(SystemMenuKey(Command));
  };

  UseSystemMenu(SC_MAXIMIZE);
  ASSERT_TRUE(WaitUntil([&] {
    RECT Now = ClientOnScreen(Main);
    return Now.right - Now.left > Before.right - Before.left &&
           Now.bottom - Now.top > Before.bottom - Before.top;
  })) << "the window did not grow";
  ExpectGridOnTopAndMemoBelow(*Demo, GridHeight);
  SaveShot("06-maximized");

  UseSystemMenu(SC_RESTORE);
  ASSERT_TRUE(WaitUntil([&] {
    RECT Now = ClientOnScreen(Main);
    return Now.right - Now.left == Before.right - Before.left;
  })) << "the window did not shrink back";
  ExpectGridOnTopAndMemoBelow(*Demo, GridHeight);
}

TEST_F(DemoTour, ClosingTheWindowEndsTheProgram) {
  HWND Main = Demo->MainWindow();
  ASSERT_TRUE(Demo->ClickCell(0, 1));
  EXPECT_EQ(Demo->CloseWithAltF4(), 0u);
  EXPECT_FALSE(IsWindow(Main));
}

} // namespace
