// Large inputs: long texts pasted into the editor, a megabyte written back
// into a cell of every kind, a pick list of 100,000 items, drop-down counts
// of zero, below zero and far above the item count, and a grid of a
// million rows.
#include "support/QuilletKindsForm.h"

#include <string>

namespace {

using namespace quillet;
using namespace wintest;

constexpr std::size_t kMegabyte = 1u << 20;

// The grid's write-back hook, which the host calls with the editor's text.
struct WriteBack : TQuillet {
  static auto Hook() { return &WriteBack::SetEditText; }
};

class QuilletLargeInputTest : public QuilletKindsForm {
protected:
  // A valid text of the column's kind, to tell a refused paste from one
  // that was taken.
  std::string Before(int ACol) const {
    const std::string Sep(1, Settings.DecimalSeparator);
    switch (KindOfColumn(ACol)) {
    case fkDate:
      return FormatShortDateText(TDate{2023, 12, 24}, Settings);
    case fkInteger:
      return "5";
    case fkFloat:
      return "5" + Sep + "5";
    case fkCurrency:
      return "5" + Sep + "50";
    default:
      return "before";
    }
  }
  std::string Zero() const { return "0" + std::string(1, Settings.DecimalSeparator) + "00"; }
};

// Pasted through the clipboard into the editor. Only the masked editor and
// the read-only ones take the megabyte on one line: Wine's edit control
// lays a line out in time that grows faster than the square of its length
// (8 KB take 0.2 s, 16 KB 2 s, 64 KB 26 s), so the editable cells get 8 KB
// lines, and the megabyte in lines, which the one-line editor refuses whole.
TEST_F(QuilletLargeInputTest, LongTextsPastedIntoTheEditor) {
  const std::string Ones(kMegabyte, '1');
  std::string Lines;
  while (Lines.size() < kMegabyte)
    Lines += std::string(62, '1') + "\r\n";
  const std::string Line8K(8192, '1'), Line4K(4096, '1');
  const std::string Zeros42 = std::string(8190, '0') + "42";
  const std::string Sep(1, Settings.DecimalSeparator), DateSep(1, Settings.DateSeparator);
  const TDate Today = tk::LocalDate();
  struct Case {
    const std::string* Text;
    int Col;
    std::string Stored; // once the editor has left the cell; empty: as before
  };
  const Case Cases[] = {
      // The mask takes the first eight digits and refuses the rest.
      {&Ones, kDateCol,
       NormalizeEditText(fkDate, "11" + DateSep + "11" + DateSep + "1111", Settings, Today)},
      {&Zeros42, kDateCol, FormatShortDateText(Today, Settings)}, // 00/00/0000
      {&Ones, kEllipsisCol, ""},                                  // read-only
      {&Ones, kPickCol, ""},
      {&Lines, kPlainCol, ""},
      {&Line8K, kPlainCol, Line8K},
      {&Line8K, kIntegerCol, "0"},      // beyond 32 bits
      {&Line8K, kFloatCol, Zero()},     // 1.1e8191: beyond the extended range
      {&Line4K, kFloatCol, Line4K},     // 1.1e4095: within it, stored as typed
      {&Line4K, kCurrencyCol, Zero()},  // beyond 64-bit ten-thousandths
      {&Zeros42, kIntegerCol, Zeros42}, // 42
      {&Zeros42, kCurrencyCol, "42" + Sep + "00"},
  };
  int Row = 1;
  ShowAt(kPlainCol, 1);
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::to_string(C.Col) + ", " + std::to_string(C.Text->size()) + " characters");
    Grid->SetCells(C.Col, Row, Before(C.Col));
    ASSERT_TRUE(SetClipboardText(Form->WindowHandle(), *C.Text));
    MoveTo(C.Col, Row);
    SendMessageA(EditWnd(), WM_PASTE, 0, 0);
    Pump(0);
    if (C.Col == kDateCol) {
      EXPECT_EQ(Editor()->Text().size(), 10u) << "the mask holds";
    }
    SendKey(EditWnd(), VK_DOWN); // leaves the cell, which writes it back
    Pump(0);
    EXPECT_EQ(Grid->Row(), Row + 1);
    const std::string Want = C.Stored.empty() ? Before(C.Col) : C.Stored;
    EXPECT_TRUE(Grid->Cells(C.Col, Row) == Want)
        << "holds " << Grid->Cells(C.Col, Row).size() << " characters beginning with '"
        << Grid->Cells(C.Col, Row).substr(0, 12) << "'";
    Row = Row % (kRows - 2) + 1;
  }
  EXPECT_TRUE(Errors.empty());
}

// A megabyte written back into a cell of every kind, as the host writes the
// editor's text back.
TEST_F(QuilletLargeInputTest, AMegabyteWrittenBackIntoEveryKindOfCell) {
  const std::string Ones(kMegabyte, '1');
  const std::string Zeros42 = std::string(kMegabyte - 2, '0') + "42";
  const std::string Sep(1, Settings.DecimalSeparator);
  const std::string TodayText = FormatShortDateText(tk::LocalDate(), Settings);
  struct Case {
    const std::string* Text;
    int Col;
    std::string Stored;
  };
  const Case Cases[] = {
      {&Ones, kPlainCol, Ones},       {&Ones, kDateCol, TodayText},
      {&Ones, kIntegerCol, "0"},      {&Ones, kFloatCol, Zero()},
      {&Ones, kCurrencyCol, Zero()},  {&Zeros42, kIntegerCol, Zeros42},
      {&Zeros42, kFloatCol, Zeros42}, {&Zeros42, kCurrencyCol, "42" + Sep + "00"},
  };
  ShowAt(kPlainCol, 1);
  int Writes = 0;
  Grid->OnSetEditText =
      tk::TSetEditEvent([&](tk::TObject*, int, int, const std::string&) { ++Writes; });
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::to_string(C.Col) + (C.Text == &Ones ? ", ones" : ", zeros"));
    MoveTo(C.Col, 2); // the cell's kind is recorded as the editor loads it
    (Grid->*WriteBack::Hook())(C.Col, 2, *C.Text);
    EXPECT_TRUE(Grid->Cells(C.Col, 2) == C.Stored)
        << "holds " << Grid->Cells(C.Col, 2).size() << " characters beginning with '"
        << Grid->Cells(C.Col, 2).substr(0, 12) << "'";
    Pump(0); // paints the cell
    MoveTo(kPlainCol, 1);
  }
  EXPECT_GE(Writes, static_cast<int>(std::size(Cases)));
  EXPECT_TRUE(Errors.empty());
}

TEST_F(QuilletLargeInputTest, PickListOfAHundredThousandItems) {
  constexpr int kItems = 100000;
  PickItems.clear();
  for (int I = 0; I < kItems; ++I) {
    std::string Number = std::to_string(I);
    PickItems.push_back("Item " + std::string(6 - Number.size(), '0') + Number);
  }
  Grid->SetCells(kPickCol, 1, "item 054321");
  ShowAt(kPickCol, 1);
  ASSERT_EQ(List()->Items().Count(), kItems);
  PressArrow();
  ASSERT_TRUE(ListShown());
  EXPECT_EQ(List()->ItemIndex(), 54321) << "the cell's item, whatever its letter case";
  EXPECT_EQ(List()->ClientHeight(), 10 * List()->ItemHeight());

  static DWORD Clock = 0;
  List()->SetTickSource([] { return Clock += 10; });
  // The search starts after item 65535 (the start index the list is given):
  // a prefix all items share finds the first item after it.
  SendChar(EditWnd(), 'i');
  EXPECT_EQ(List()->ItemIndex(), 65536);
  SendText(EditWnd(), "tem 012345");
  EXPECT_EQ(List()->ItemIndex(), 12345);
  SendKey(EditWnd(), VK_RETURN);
  EXPECT_FALSE(ListShown());
  EXPECT_EQ(Grid->Cells(kPickCol, 1), "Item 012345");
  EXPECT_EQ(Editor()->Text(), "Item 012345");
  EXPECT_EQ(CloseUps, 1);
  EXPECT_EQ(List()->Items().Count(), kItems) << "refilled for the reload, not grown";
  EXPECT_TRUE(Errors.empty());
}

TEST_F(QuilletLargeInputTest, DropDownCountOutsideTheItemCount) {
  struct Case {
    int DropDownCount;
    int Rows; // the smaller of the count and the 12 items; none below zero
  };
  const Case Cases[] = {{0, 0}, {-5, 0}, {1000, 12}};
  Grid->SetCells(kPickCol, 1, PickItems[2]);
  ShowAt(kPickCol, 1);
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.DropDownCount);
    Grid->SetDropDownCount(C.DropDownCount);
    PressArrow();
    ASSERT_TRUE(ListShown());
    ASSERT_TRUE(Editor()->DroppedDown());
    EXPECT_EQ(List()->ClientHeight() / List()->ItemHeight(), C.Rows) << "whole rows shown";
    EXPECT_EQ(GetFocus(), EditWnd());
    SendKey(EditWnd(), VK_ESCAPE);
    EXPECT_FALSE(ListShown());
    EXPECT_FALSE(Editor()->DroppedDown());
    // Open again and accept the highlighted item: closes as cleanly.
    PressArrow();
    SendKey(EditWnd(), VK_RETURN);
    EXPECT_FALSE(ListShown());
    EXPECT_EQ(Grid->Cells(kPickCol, 1), PickItems[2]);
    EXPECT_EQ(GetCapture(), nullptr);
  }
  EXPECT_EQ(CloseUps, 3);
  EXPECT_TRUE(Errors.empty());
}

TEST_F(QuilletLargeInputTest, AMillionRows) {
  constexpr int kLastRow = 1000000;
  Grid->SetRowCount(kLastRow + 1);
  ShowAt(kPlainCol, 1);
  {
    HeldKeys Ctrl{VK_CONTROL};
    SendKey(EditWnd(), VK_END);
  }
  Pump(0);
  ASSERT_EQ(Grid->Col(), kCurrencyCol);
  ASSERT_EQ(Grid->Row(), kLastRow);
  EXPECT_EQ(Grid->TopRow() + Grid->VisibleRowCount() - 1, kLastRow) << "scrolled to the end";
  EXPECT_TRUE(IsWindowVisible(EditWnd()));
  EXPECT_EQ(GetFocus(), EditWnd());

  SendText(EditWnd(), std::string("12") + Settings.DecimalSeparator + "5");
  SendKey(EditWnd(), VK_UP);
  Pump(0);
  EXPECT_EQ(Grid->Cells(kCurrencyCol, kLastRow),
            std::string("12") + Settings.DecimalSeparator + "50");
  EXPECT_EQ(Grid->Row(), kLastRow - 1);
  SendKey(EditWnd(), VK_NEXT);
  EXPECT_EQ(Grid->Row(), kLastRow) << "Page Down stops at the last row";

  SendMessageA(Grid->WindowHandle(), WM_VSCROLL, SB_TOP, 0);
  Pump(0);
  EXPECT_EQ(Grid->TopRow(), 1);
  SendMessageA(Grid->WindowHandle(), WM_VSCROLL, SB_BOTTOM, 0);
  Pump(0);
  EXPECT_EQ(Grid->TopRow() + Grid->VisibleRowCount() - 1, kLastRow);
  EXPECT_TRUE(IsWindowVisible(EditWnd())) << "over its cell again";
  EXPECT_EQ(Editor()->Text(), Grid->Cells(kCurrencyCol, kLastRow));
  EXPECT_LT(Grid->Store().FilledCount(), 10u) << "only the cells written take memory";
  EXPECT_TRUE(Errors.empty());
}

} // namespace
