// The host list box over the system LISTBOX: items with and without a window,
// selection, row height, integral height, measuring canvas, and the order of
// its own and the system list's handling of characters and mouse releases.
#include "support/WinTest.h"

#include "toolkit/win/Form.h"
#include "toolkit/win/ListBox.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TTag : tk::TObject {};

// Swallows 'b' in KeyPress, so the system list never sees it.
class TProbeListBox : public tk::TListBox {
public:
  using tk::TListBox::CreateParams;
  using tk::TListBox::TListBox;

protected:
  void KeyPress(char& Key) override {
    if (Key == 'b') Key = 0;
    tk::TListBox::KeyPress(Key);
  }
};

class ListBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = std::make_unique<tk::TForm>(nullptr);
    Form->SetBounds(100, 100, 300, 260);
    List = new TProbeListBox(Form.get());
    List->SetParent(Form.get());
    List->SetBounds(10, 10, 150, 100);
  }
  void AddFruit() {
    for (const char* S : {"apple", "Banana", "cherry", "banana", "date", "elder", "fig", "grape",
                          "hazel", "kiwi", "lemon", "mango"})
      List->Items().Add(S);
  }
  HWND Wnd() { return List->Handle(); }

  std::unique_ptr<tk::TForm> Form;
  TProbeListBox* List = nullptr;
};

TEST_F(ListBoxTest, ItemsAndObjectsMoveBetweenMemoryAndWindow) {
  TTag A, B;
  List->Items().AddObject("one", &A);
  List->Items().AddObject("Two", &B);
  List->SetItemIndex(1);
  ASSERT_FALSE(List->HandleAllocated());
  EXPECT_EQ(List->Items().IndexOf("TWO"), 1);

  ASSERT_EQ(SendMessageA(Wnd(), LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(List->Items().Strings(1), "Two");
  EXPECT_EQ(List->Items().Objects(0), &A);
  EXPECT_EQ(SendMessageA(Wnd(), LB_GETCURSEL, 0, 0), 1);

  List->Items().InsertObject(0, "zero", &B);
  List->RecreateWnd();
  ASSERT_EQ(List->Items().Count(), 3);
  EXPECT_EQ(List->Items().Strings(0), "zero");
  EXPECT_EQ(List->Items().Objects(0), &B);
  EXPECT_EQ(List->Items().Objects(2), &B);
  EXPECT_EQ(List->ItemIndex(), 2) << "the selection survives the new window";
}

TEST_F(ListBoxTest, IndexOfIsTheWindowsExactCaseInsensitiveSearch) {
  AddFruit();
  (void)Wnd();
  EXPECT_EQ(List->Items().IndexOf("BANANA"), 1) << "the first of two equal items";
  EXPECT_EQ(List->Items().IndexOf("ban"), -1) << "a prefix is no match";
  EXPECT_EQ(List->Items().IndexOf("mango"), 11);
}

TEST_F(ListBoxTest, SettingItemIndexSelectsAndScrollsOnlyOnChange) {
  AddFruit();
  (void)Wnd();
  EXPECT_EQ(List->ItemIndex(), -1);
  List->SetItemIndex(11);
  EXPECT_EQ(SendMessageA(Wnd(), LB_GETCURSEL, 0, 0), 11);
  EXPECT_GT(SendMessageA(Wnd(), LB_GETTOPINDEX, 0, 0), 0) << "scrolled into view";

  // Setting the current value again must not scroll it back into view.
  SendMessageA(Wnd(), LB_SETTOPINDEX, 0, 0);
  List->SetItemIndex(11);
  EXPECT_EQ(SendMessageA(Wnd(), LB_GETTOPINDEX, 0, 0), 0);

  List->SetItemIndex(-1);
  EXPECT_EQ(SendMessageA(Wnd(), LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_F(ListBoxTest, ItemHeightIsStoredUntilTheWindowLaysOutItsRows) {
  List->SetItemHeight(11);
  List->Items().Add("x");
  EXPECT_EQ(List->ItemHeight(), 11);
  List->Font().SetHeight(-24);
  RECT R{};
  SendMessageA(Wnd(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&R));
  EXPECT_GT(R.bottom - R.top, 20);
  EXPECT_EQ(List->ItemHeight(), R.bottom - R.top);
}

TEST_F(ListBoxTest, IntegralHeightSnapsTheWindowToWholeRows) {
  AddFruit();
  tk::TCreateParams Params;
  List->CreateParams(Params);
  EXPECT_NE(Params.Style & LBS_NOINTEGRALHEIGHT, 0u) << "off by default";
  EXPECT_EQ(Params.Style & (WS_VSCROLL | WS_HSCROLL | LBS_HASSTRINGS | LBS_NOTIFY),
            static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL | LBS_HASSTRINGS | LBS_NOTIFY));
  EXPECT_NE(Params.ExStyle & WS_EX_CLIENTEDGE, 0u);

  (void)Wnd();
  List->SetIntegralHeight(true);
  int Row = List->ItemHeight();
  List->SetHeight(Row * 4 + Row / 2 + 4); // half a row too many
  RECT Client;
  GetClientRect(Wnd(), &Client);
  EXPECT_EQ(Client.bottom % Row, 0) << "client height " << Client.bottom << ", row " << Row;
  EXPECT_EQ(List->Items().Count(), 12) << "re-creating the window kept the items";
}

TEST_F(ListBoxTest, CanvasMeasuresInItsOwnDefaultFont) {
  int Before = List->Canvas().TextWidth("MMMM");
  List->Font().SetHeight(-40);
  (void)Wnd();
  EXPECT_EQ(List->Canvas().TextWidth("MMMM"), Before);
  EXPECT_GT(Before, 0);
}

TEST_F(ListBoxTest, CharactersPassThroughKeyPressFirst) {
  AddFruit();
  SendMessageA(Wnd(), WM_CHAR, 'c', 0);
  EXPECT_EQ(List->ItemIndex(), 2) << "the system list searched for 'c'";
  SendMessageA(Wnd(), WM_CHAR, 'b', 0);
  EXPECT_EQ(List->ItemIndex(), 2) << "a key zeroed by KeyPress never reaches the system list";
}

TEST_F(ListBoxTest, OnMouseUpSeesTheSystemListsSelection) {
  AddFruit();
  Form->Show();
  wintest::Pump(20);
  int Row = List->ItemHeight();
  int Seen = -2;
  List->OnMouseUp = tk::TMouseEvent(
      [&](tk::TObject*, tk::TMouseButton, tk::TShiftState, int, int) { Seen = List->ItemIndex(); });
  wintest::SendClick(Wnd(), 5, Row * 3 + Row / 2);
  EXPECT_EQ(Seen, 3);
  EXPECT_NE(GetCapture(), Wnd()) << "the system list ended its tracking first";
}

} // namespace
