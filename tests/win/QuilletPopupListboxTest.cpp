// The pick list: its window, dropping down (rows, highlight, width, place),
// closing with and without accepting (keys, mouse, focus, cancel mode),
// key routing between editor and list, and the incremental search.
#include "support/QuilletTestForm.h"

#include <functional>
#include <string>

namespace {

using namespace quillet;
using namespace wintest;

class ProbeList : public TQuilletPopupListbox {
public:
  using TQuilletPopupListbox::TQuilletPopupListbox;
  tk::TCreateParams Params() {
    tk::TCreateParams P;
    CreateParams(P);
    return P;
  }
};

class QuilletPopupListboxTest : public QuilletTestForm {
protected:
  // Loads the current cell again, so the list is refilled from PickItems.
  void Reload() {
    Grid->InvalidateEditor();
    Pump(5);
  }
  POINT ScreenOf(HWND Wnd, POINT P) {
    ClientToScreen(Wnd, &P);
    return P;
  }
  RECT ListRect() {
    RECT R;
    GetWindowRect(ListWnd(), &R);
    return R;
  }
  int Highlight() { return List()->ItemIndex(); }
};

TEST_F(QuilletPopupListboxTest, CreationParametersMakeAFloatingToolWindow) {
  struct Case {
    bool RightToLeft;
    DWORD ExStyle;
  };
  for (const Case& C : {Case{false, 0x88u}, Case{true, 0x88u | 0x2000u | 0x4000u | 0x1000u}}) {
    tk::SysLocale().MiddleEast = C.RightToLeft;
    ProbeList Probe(nullptr);
    Probe.SetBiDiMode(C.RightToLeft ? tk::bdRightToLeft : tk::bdLeftToRight);
    tk::TCreateParams P = Probe.Params();
    EXPECT_EQ(P.ExStyle, C.ExStyle);
    EXPECT_EQ(P.ClassStyle, static_cast<UINT>(CS_SAVEBITS));
    DWORD Wanted = WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_HASSTRINGS | LBS_NOTIFY | WS_CHILD;
    EXPECT_EQ(P.Style & Wanted, Wanted);
  }

  ShowAt(kPickCol, 1);
  PressArrow();
  ASSERT_TRUE(ListShown());
  EXPECT_EQ(GetClassLongA(ListWnd(), GCL_STYLE), static_cast<DWORD>(CS_SAVEBITS));
  EXPECT_EQ(GetAncestor(ListWnd(), GA_PARENT), GetDesktopWindow()) << "detached from the editor";
  EXPECT_EQ(List()->Parent(), Editor()) << "still the editor's in the control tree";
  EXPECT_NE(GetWindowLongA(ListWnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
}

TEST_F(QuilletPopupListboxTest, DropDownShowsTheRowsUnderTheEditorAndKeepsTheFocusThere) {
  struct Case {
    int DropDownCount, Items, Rows;
  };
  const Case Cases[] = {{10, 12, 10}, {10, 3, 3}, {5, 12, 5}};
  ShowAt(kPickCol, 1);
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::to_string(C.DropDownCount) + " of " + std::to_string(C.Items));
    Grid->SetDropDownCount(C.DropDownCount);
    PickItems.assign(kMonths.begin(), kMonths.begin() + C.Items);
    Reload();
    PressArrow();
    ASSERT_TRUE(ListShown());
    EXPECT_TRUE(Editor()->DroppedDown());
    EXPECT_EQ(GetFocus(), EditWnd());
    EXPECT_EQ(List()->ClientHeight(), C.Rows * List()->ItemHeight());
    bool VScroll = (GetWindowLongA(ListWnd(), GWL_STYLE) & WS_VSCROLL) != 0;
    EXPECT_EQ(VScroll, C.Items > C.Rows);
    POINT EditorBottomLeft = ScreenOf(EditWnd(), POINT{0, Editor()->Height()});
    EXPECT_EQ(ListRect().left, EditorBottomLeft.x);
    EXPECT_EQ(ListRect().top, EditorBottomLeft.y);
    SendKey(EditWnd(), VK_ESCAPE);
    EXPECT_FALSE(ListShown());
    EXPECT_FALSE(Editor()->DroppedDown());
  }
}

TEST_F(QuilletPopupListboxTest, ListIsAsWideAsTheEditorOrItsWidestItem) {
  PickItems = {"ab", "cd", "ef"};
  ShowAt(kPickCol, 1);
  PressArrow();
  EXPECT_EQ(List()->Width(), Editor()->Width()) << "short items keep the editor's width";
  SendKey(EditWnd(), VK_ESCAPE);

  const std::string Long = "An item far wider than the column";
  PickItems = {"a", Long, "b"};
  Editor()->Font().SetHeight(-20); // the list measures in its canvas's own font
  Reload();
  PressArrow();
  EXPECT_EQ(List()->ClientWidth(), List()->Canvas().TextWidth(Long));
}

TEST_F(QuilletPopupListboxTest, NearTheScreensBottomTheListOpensAboveTheEditor) {
  Grid->SetDropDownCount(12);
  ShowAt(kPickCol, 4);
  PressArrow();
  int ListHeight = ListRect().bottom - ListRect().top;
  SendKey(EditWnd(), VK_ESCAPE);
  int EditorBottom = ScreenOf(EditWnd(), POINT{0, Editor()->Height()}).y;
  int Fit = GetSystemMetrics(SM_CYSCREEN) - ListHeight - EditorBottom;
  for (int Extra : {0, 1}) {
    SCOPED_TRACE(Extra);
    Form->SetTop(Form->Top() + Fit + Extra);
    Fit = 0;
    Pump(20);
    POINT Top = ScreenOf(EditWnd(), POINT{0, 0});
    ASSERT_EQ(Top.y + Editor()->Height() + ListHeight, GetSystemMetrics(SM_CYSCREEN) + Extra);
    PressArrow();
    if (Extra == 0)
      EXPECT_EQ(ListRect().top, Top.y + Editor()->Height()) << "exactly fits below";
    else
      EXPECT_EQ(ListRect().bottom, Top.y) << "bottom edge on the editor's top";
    SendKey(EditWnd(), VK_ESCAPE);
  }
}

TEST_F(QuilletPopupListboxTest, EnterAcceptsTheItemMatchingTheCellOrLeavesTheCellAlone) {
  struct Case {
    const char* CellText;
    int Highlight;
    const char* Written;
  };
  const Case Cases[] = {{"march", 2, "March"}, {"MAY", 4, "May"}, {"Smarch", -1, "Smarch"}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.CellText);
    Grid->SetCells(kPickCol, 2, C.CellText);
    Grid->SetObjects(kPickCol, 2, nullptr);
    ShowAt(kPickCol, 2);
    CloseUps = 0;
    int Requests = ListRequests;
    PressArrow();
    EXPECT_EQ(Highlight(), C.Highlight);
    SendKey(EditWnd(), VK_ESCAPE);

    SendKey(EditWnd(), VK_RETURN); // key-down opens, the character accepts
    EXPECT_FALSE(ListShown());
    EXPECT_EQ(Grid->Cells(kPickCol, 2), C.Written);
    EXPECT_EQ(Editor()->Text(), C.Written);
    bool Accepted = C.Highlight >= 0;
    EXPECT_EQ(Grid->Objects(kPickCol, 2), Accepted ? &Tags[C.Highlight] : nullptr);
    EXPECT_EQ(CloseUps, Accepted ? 1 : 0);
    if (Accepted) {
      EXPECT_EQ(CloseUpText, C.Written) << "OnCloseUp comes after both writes";
      EXPECT_EQ(ListRequests - Requests, 2) << "one reload per write";
      EXPECT_EQ(Editor()->SelLength(), static_cast<int>(std::string(C.Written).size()));
    }
    EXPECT_EQ(List()->Items().Count(), 12) << "refilled, not grown";
  }
}

TEST_F(QuilletPopupListboxTest, ReadOnlyPickCellRefusesTypingButTakesAPick) {
  Grid->SetCells(kReadOnlyPickCol, 1, "july");
  ShowAt(kReadOnlyPickCol, 1);
  SendText(EditWnd(), "xy");
  EXPECT_EQ(Editor()->Text(), "july");
  SendKey(EditWnd(), VK_RETURN);
  EXPECT_EQ(Grid->Cells(kReadOnlyPickCol, 1), "July");
  EXPECT_EQ(CloseUps, 1);
}

TEST_F(QuilletPopupListboxTest, EmptyListNeverOpensAndEnterStaysTheHosts) {
  Grid->SetCells(kEmptyPickCol, 1, "text");
  ShowAt(kEmptyPickCol, 1);
  PressArrow();
  EXPECT_FALSE(ListShown());
  Editor()->SelectAll();
  SendKey(EditWnd(), VK_RETURN);
  EXPECT_FALSE(Editor()->DroppedDown());
  EXPECT_EQ(Editor()->SelLength(), 0) << "the host's Enter toggled the selection";
  EXPECT_EQ(CloseUps, 0);
}

// Keys in sequence, from row 1 of the pick column: what the current row is
// and whether a list shows after each keystroke.
TEST_F(QuilletPopupListboxTest, KeysOpenCloseAndMoveAsTheTableSays) {
  enum class Key { AltDown, AltUp, Down, Up, DownKeyUpOnly, AltCharDown, Escape };
  struct Step {
    const char* Name;
    Key What;
    int Row;
    bool Shown;
    int CloseUps;
  };
  const Step Steps[] = {
      {"Alt+Up on the first row opens", Key::AltUp, 1, true, 0},
      {"Up on the first row keeps it open", Key::Up, 1, true, 0},
      {"Alt+Down moves, then opens the new cell's list", Key::AltDown, 2, true, 0},
      {"Down moves and closes", Key::Down, 3, false, 0},
      {"Alt released first opens nothing", Key::DownKeyUpOnly, 3, false, 0},
      {"Alt+Down again", Key::AltDown, 4, true, 0},
      {"Alt+Down on the last row closes accepting", Key::AltDown, 4, false, 1},
      {"a character 40 with Alt opens", Key::AltCharDown, 4, true, 1},
      {"and closes accepting", Key::AltCharDown, 4, false, 2},
      {"Alt+Up moves up and opens", Key::AltUp, 3, true, 2},
      {"Escape closes without accepting", Key::Escape, 3, false, 2},
  };
  for (int Row = 1; Row < kRows; ++Row)
    Grid->SetCells(kPickCol, Row, "june");
  ShowAt(kPickCol, 1);
  for (const Step& S : Steps) {
    SCOPED_TRACE(S.Name);
    switch (S.What) {
    case Key::AltDown:
      SendKey(EditWnd(), VK_DOWN, true);
      break;
    case Key::AltUp:
      SendKey(EditWnd(), VK_UP, true);
      break;
    case Key::Down:
      SendKey(EditWnd(), VK_DOWN);
      break;
    case Key::Up:
      SendKey(EditWnd(), VK_UP);
      break;
    case Key::DownKeyUpOnly:
      SendMessageA(EditWnd(), WM_KEYUP, VK_DOWN, KeyData(VK_DOWN, true));
      break;
    case Key::AltCharDown:
      SendMessageA(EditWnd(), WM_CHAR, 40, KeyData(VK_DOWN, false, true));
      break;
    case Key::Escape:
      SendKey(EditWnd(), VK_ESCAPE);
      break;
    }
    Pump(0);
    EXPECT_EQ(Grid->Row(), S.Row);
    EXPECT_EQ(ListShown(), S.Shown);
    EXPECT_EQ(Editor()->DroppedDown(), S.Shown);
    EXPECT_EQ(CloseUps, S.CloseUps);
    EXPECT_EQ(GetFocus(), EditWnd());
  }
  EXPECT_EQ(Grid->Cells(kPickCol, 2), "june") << "cells left by moving were not written";
  EXPECT_EQ(Grid->Cells(kPickCol, 4), "June");
}

TEST_F(QuilletPopupListboxTest, WhileShownKeyUpsAndCharactersGoToTheList) {
  ShowAt(kPickCol, 1);
  std::vector<WORD> ListKeyUps, GridKeyUps;
  List()->OnKeyUp = tk::TKeyEvent([&](tk::TObject*, WORD& Key, tk::TShiftState) {
    ListKeyUps.push_back(Key);
    Key = 0; // the Alt key-up must not start a menu loop on the detached list
  });
  Grid->OnKeyUp =
      tk::TKeyEvent([&](tk::TObject*, WORD& Key, tk::TShiftState) { GridKeyUps.push_back(Key); });
  PressArrow();
  SendMessageA(EditWnd(), WM_SYSKEYUP, VK_MENU, KeyData(VK_MENU, true, true));
  SendMessageA(EditWnd(), WM_KEYUP, VK_DELETE, KeyData(VK_DELETE, true));
  SendChar(EditWnd(), 'q');
  EXPECT_EQ(ListKeyUps, (std::vector<WORD>{VK_MENU, VK_DELETE, 'Q'}));
  EXPECT_TRUE(GridKeyUps.empty());
  EXPECT_EQ(Editor()->Text(), "") << "characters search the list instead";
  SendKey(EditWnd(), VK_ESCAPE);
  SendMessageA(EditWnd(), WM_KEYUP, VK_DELETE, KeyData(VK_DELETE, true));
  EXPECT_EQ(GridKeyUps, (std::vector<WORD>{VK_ESCAPE, VK_DELETE}));
}

// ---- Mouse ----

TEST_F(QuilletPopupListboxTest, MouseReleasesOnTheListAcceptOrCancel) {
  struct Case {
    const char* Name;
    Button B;
    int PressItem; // -1: no press
    bool ReleaseOutside;
    const char* Written;
  };
  const Case Cases[] = {{"left inside", Button::Left, 5, false, "June"},
                        {"left one pixel outside", Button::Left, 5, true, "march"},
                        {"right over the list", Button::Right, -1, false, "March"}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetCells(kPickCol, 1, "march");
    ShowAt(kPickCol, 1);
    PressArrow();
    ASSERT_EQ(Highlight(), 2);
    POINT P = ItemPoint(C.PressItem >= 0 ? C.PressItem : 2);
    if (C.PressItem >= 0) {
      SendMouseDown(ListWnd(), P.x, P.y);
      EXPECT_TRUE(ListShown()) << "shown until the release";
      EXPECT_EQ(GetFocus(), EditWnd());
      EXPECT_EQ(Highlight(), C.PressItem);
    }
    if (C.ReleaseOutside) P.x = List()->ClientWidth();
    SendMouseUp(ListWnd(), P.x, P.y, C.B);
    Pump(0);
    EXPECT_FALSE(ListShown());
    EXPECT_EQ(Grid->Cells(kPickCol, 1), C.Written);
    EXPECT_NE(GetCapture(), ListWnd());
  }
}

TEST_F(QuilletPopupListboxTest, DraggingFromTheArrowHandsThePressToTheList) {
  ShowAt(kPickCol, 1);
  POINT B = ButtonPoint();
  SendMouseDown(EditWnd(), B.x, B.y);
  ASSERT_TRUE(ListShown());
  EXPECT_TRUE(Editor()->ButtonDown());
  POINT Item = ItemPoint(4);
  POINT InEditor = ScreenOf(ListWnd(), Item);
  ScreenToClient(EditWnd(), &InEditor);
  SendMouseMove(EditWnd(), InEditor.x, InEditor.y, MK_LBUTTON);
  EXPECT_FALSE(Editor()->ButtonTracking());
  EXPECT_EQ(GetCapture(), ListWnd()) << "the list tracks the held button now";
  EXPECT_EQ(Highlight(), 4);
  SendMouseUp(ListWnd(), Item.x, Item.y);
  EXPECT_EQ(Grid->Cells(kPickCol, 1), "May");
  EXPECT_EQ(CloseUps, 1);
}

TEST_F(QuilletPopupListboxTest, ShownListClosesWithoutAcceptingOnOtherPressesAndFocusLoss) {
  Grid->SetCells(kPickCol, 1, "march");
  struct Case {
    const char* Name;
    std::function<void()> Act;
  };
  const Case Cases[] = {
      {"press on the arrow",
       [this] {
         POINT P = ButtonPoint();
         SendMouseDown(EditWnd(), P.x, P.y);
         EXPECT_FALSE(Editor()->ButtonTracking());
         SendMouseUp(EditWnd(), P.x, P.y);
       }},
      {"press in the text",
       [this] {
         POINT P = TextPoint();
         SendClick(EditWnd(), P.x, P.y);
       }},
      {"a menu", [this] { Form->SendCancelMode(nullptr); }},
      {"focus to another window",
       [this] {
         HWND Other = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 200, 50, 20,
                                      Form->WindowHandle(), nullptr, nullptr, nullptr);
         SetFocus(Other);
         Pump(5);
         DestroyWindow(Other);
       }},
      // Last: the grid's press makes the next press on the editor a double click.
      {"press on the grid",
       [this] {
         SendMouseDown(Grid->WindowHandle(), 2, 2);
         EXPECT_FALSE(ListShown()) << "closed before the press acts";
         SendMouseUp(Grid->WindowHandle(), 2, 2);
       }},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    ShowAt(kPickCol, 1);
    PressArrow();
    ASSERT_TRUE(ListShown());
    // A press on the list itself (or its scroll bar) names the list: it stays.
    Form->SendCancelMode(List());
    ASSERT_TRUE(ListShown());
    C.Act();
    Pump(0);
    EXPECT_FALSE(ListShown());
    EXPECT_FALSE(Editor()->DroppedDown());
    EXPECT_EQ(Grid->Cells(kPickCol, 1), "march");
    EXPECT_EQ(CloseUps, 0);
  }
}

// ---- Incremental search ----

DWORD gNow = 0;
DWORD TestClock() {
  return gNow;
}

TEST_F(QuilletPopupListboxTest, TypedLettersSearchByPrefixWithinTwoSeconds) {
  struct Step {
    char Ch;
    DWORD Now;
    const char* Prefix;
    int Highlight;
  };
  const Step Steps[] = {
      {'m', 1000, "m", 2},     {'a', 1100, "ma", 2},
      {'y', 3100, "may", 4},                          // exactly 2000 ms later: the prefix goes on
      {'a', 5101, "a", 3},                            // 2001 ms: a new search
      {'u', 5110, "au", 7},    {'x', 5120, "aux", 7}, // no match: the highlight stays
      {'\b', 5130, "", 7},     {'S', 5140, "S", 8},
      {'\b', 5150, "", 8},     {'j', 0xFFFFFF00u, "j", 0},
      {'u', 0x10u, "ju", 5}, // 272 ms later, across the wrap of the tick count
      {'d', 0x1000u, "d", 11},
  };
  ShowAt(kPickCol, 1);
  List()->SetTickSource(&TestClock);
  PressArrow();
  for (const Step& S : Steps) {
    SCOPED_TRACE(S.Ch);
    gNow = S.Now;
    SendChar(EditWnd(), S.Ch);
    EXPECT_EQ(List()->TypedPrefix(), S.Prefix);
    EXPECT_EQ(Highlight(), S.Highlight);
  }
  EXPECT_EQ(Editor()->Text(), "");

  for (int I = 0; I < 40; ++I)
    SendChar(EditWnd(), 'z');
  EXPECT_EQ(List()->TypedPrefix(), "d" + std::string(31, 'z'));
  EXPECT_EQ(Highlight(), 11);
}

TEST_F(QuilletPopupListboxTest, PrefixSurvivesClosingAndReopening) {
  ShowAt(kPickCol, 1);
  PressArrow();
  SendText(EditWnd(), "ma");
  EXPECT_NEAR(static_cast<double>(List()->LastKeyTime()), static_cast<double>(GetTickCount()),
              1000.0)
      << "the system tick count by default";
  SendKey(EditWnd(), VK_ESCAPE);
  PressArrow();
  SendChar(EditWnd(), 'r');
  EXPECT_EQ(List()->TypedPrefix(), "mar");
  EXPECT_EQ(Highlight(), 2);
}

} // namespace
