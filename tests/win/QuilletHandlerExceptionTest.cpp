// Exceptions from the application's handlers, one event at a time: each
// handler fails once, for one cell, which the user reaches with real input,
// and then the exception must have reached the application's exception
// handling, no cell may have lost its text, and the grid must still load
// and write back another cell.
#include "support/QuilletKindsForm.h"

#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>

namespace {

using namespace quillet;
using namespace wintest;

constexpr int kBadRow = 3; // the handlers fail for this row only
constexpr int kFilledRows = 6;

[[noreturn]] void Fail(const char* Handler) {
  throw std::runtime_error(std::string(Handler) + " failed");
}

// Each handler fails once, the first time it is raised for the bad row.
struct FirstOnBadRow {
  bool Fired = false;
  bool operator()(int ARow) {
    if (Fired || ARow != kBadRow) return false;
    return Fired = true;
  }
};

class QuilletHandlerExceptionTest : public QuilletKindsForm {
protected:
  // A valid text for every cell, different in each row; two-digit day and
  // month, so that the date mask keeps the date text as it is.
  std::string Filled(int ACol, int ARow) const {
    const std::string Row = std::to_string(ARow);
    const std::string Sep(1, Settings.DecimalSeparator);
    switch (ACol) {
    case kPlainCol:
      return "text " + Row;
    case kEllipsisCol:
      return "OK";
    case kPickCol:
      return PickItems[static_cast<std::size_t>(ARow)];
    case kDateCol:
      return FormatShortDateText(TDate{2023, 12, 10 + ARow}, Settings);
    case kIntegerCol:
      return std::to_string(ARow * 11);
    case kFloatCol:
      return Row + Sep + "5";
    default:
      return Row + Sep + "50";
    }
  }
  void FillCells() {
    for (int ARow = 1; ARow <= kFilledRows; ++ARow)
      for (int ACol = 0; ACol < kKindsColumns; ++ACol)
        Grid->SetCells(ACol, ARow, Filled(ACol, ARow));
  }

  // Clicks a cell of the grid, as the user would.
  void ClickCell(int ACol, int ARow) {
    RECT R = Grid->CellRect(ACol, ARow);
    SendClick(Grid->WindowHandle(), (R.left + R.right) / 2, (R.top + R.bottom) / 2);
    Pump(0);
  }
};

enum class Trigger {
  MoveDown,    // Down from the row above onto the bad cell
  ClickButton, // a click on the ellipsis button of the bad cell
  PickItem,    // on the bad pick cell: open the list, type a letter, Enter
  TypeDigit,   // the digit 7 typed into the bad cell
};
// What the bad cell holds afterwards.
enum class After { Unchanged, FirstItem, Digit };

struct HandlerCase {
  const char* Handler;
  int Col;
  Trigger How;
  After BadCell;
  // Makes the handler fail on the bad row.
  std::function<void(TQuillet&)> Install;
};

const HandlerCase kCases[] = {
    {"OnGetEditStyle", kPlainCol, Trigger::MoveDown, After::Unchanged,
     [](TQuillet& G) {
       G.SetOnGetEditStyle(
           TGetEditStyleEvent([Inner = G.OnGetEditStyle(), Once = FirstOnBadRow()](
                                  tk::TObject* S, int C, int R, TEditStyle& V, bool& RO) mutable {
             Inner(S, C, R, V, RO);
             if (Once(R)) Fail("OnGetEditStyle");
           }));
     }},
    {"OnGetDropDownList", kPickCol, Trigger::MoveDown, After::Unchanged,
     [](TQuillet& G) {
       G.SetOnGetDropDownList(
           TGetDropDownListEvent([Inner = G.OnGetDropDownList(), Once = FirstOnBadRow()](
                                     tk::TObject* S, int C, int R, tk::TStrings* Items) mutable {
             Inner(S, C, R, Items);
             if (Once(R)) Fail("OnGetDropDownList");
           }));
     }},
    {"OnGetFormatKind", kDateCol, Trigger::MoveDown, After::Unchanged,
     [](TQuillet& G) {
       G.SetOnGetFormatKind(
           TGetFormatKindEvent([Inner = G.OnGetFormatKind(), Once = FirstOnBadRow()](
                                   tk::TObject* S, int C, int R, TFormatKind& K) mutable {
             Inner(S, C, R, K);
             if (Once(R)) Fail("OnGetFormatKind");
           }));
     }},
    {"OnGetEditMask", kFloatCol, Trigger::MoveDown, After::Unchanged,
     [](TQuillet& G) {
       G.OnGetEditMask = tk::TGetEditEvent(
           [Once = FirstOnBadRow()](tk::TObject*, int, int R, std::string&) mutable {
             if (Once(R)) Fail("OnGetEditMask");
           });
     }},
    {"OnChangeInplaceEditor", kIntegerCol, Trigger::MoveDown, After::Unchanged,
     [](TQuillet& G) {
       G.SetOnChangeInplaceEditor(
           tk::TNotifyEvent([&G, Once = FirstOnBadRow()](tk::TObject*) mutable {
             if (Once(G.Row())) Fail("OnChangeInplaceEditor");
           }));
     }},
    {"OnEditButtonClick", kEllipsisCol, Trigger::ClickButton, After::Unchanged,
     [](TQuillet& G) {
       G.SetOnEditButtonClick(tk::TNotifyEvent([&G, Once = FirstOnBadRow()](tk::TObject*) mutable {
         if (Once(G.Row())) Fail("OnEditButtonClick");
       }));
     }},
    {"OnCloseUp", kPickCol, Trigger::PickItem, After::FirstItem,
     [](TQuillet& G) {
       G.SetOnCloseUp(tk::TNotifyEvent([&G, Once = FirstOnBadRow()](tk::TObject*) mutable {
         if (Once(G.Row())) Fail("OnCloseUp");
       }));
     }},
    {"OnSetEditText", kPlainCol, Trigger::TypeDigit, After::Digit,
     [](TQuillet& G) {
       G.OnSetEditText = tk::TSetEditEvent(
           [Once = FirstOnBadRow()](tk::TObject*, int, int R, const std::string&) mutable {
             if (Once(R)) Fail("OnSetEditText");
           });
     }},
    {"OnKeyPress", kIntegerCol, Trigger::TypeDigit, After::Unchanged,
     [](TQuillet& G) {
       G.OnKeyPress = tk::TKeyPressEvent([&G, Once = FirstOnBadRow()](tk::TObject*, char&) mutable {
         if (Once(G.Row())) Fail("OnKeyPress");
       });
     }},
};

void PrintTo(const HandlerCase& C, std::ostream* Out) {
  *Out << C.Handler;
}

class FailingHandlerTest : public QuilletHandlerExceptionTest,
                           public ::testing::WithParamInterface<HandlerCase> {};

TEST_P(FailingHandlerTest, ReachesTheApplicationLosesNoTextAndLeavesTheGridUsable) {
  const HandlerCase& C = GetParam();
  FillCells();
  ShowAt(C.Col, C.How == Trigger::MoveDown ? kBadRow - 1 : kBadRow);
  C.Install(*Grid);

  switch (C.How) {
  case Trigger::MoveDown:
    SendKey(EditWnd(), VK_DOWN);
    break;
  case Trigger::ClickButton: {
    POINT P = ButtonPoint();
    SendClick(EditWnd(), P.x, P.y);
    break;
  }
  case Trigger::PickItem:
    PressArrow();
    ASSERT_TRUE(ListShown());
    SendChar(EditWnd(), PickItems[0][0]);
    SendKey(EditWnd(), VK_RETURN);
    break;
  case Trigger::TypeDigit:
    SendChar(EditWnd(), '7');
    break;
  }
  Pump(0);

  ASSERT_FALSE(Errors.empty()) << "the exception did not reach the application";
  for (const std::string& E : Errors)
    EXPECT_EQ(E, std::string(C.Handler) + " failed");
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(Editor()->ButtonTracking());
  EXPECT_FALSE(ListShown());

  // Another cell still loads and takes what is typed.
  ClickCell(kIntegerCol, 5);
  ASSERT_EQ(Grid->Col(), kIntegerCol);
  ASSERT_EQ(Grid->Row(), 5);
  EXPECT_TRUE(IsWindowVisible(EditWnd()));
  EXPECT_EQ(GetFocus(), EditWnd());
  EXPECT_EQ(Editor()->Text(), Filled(kIntegerCol, 5)) << "the editor loads the cell";
  SendText(EditWnd(), "77");
  SendKey(EditWnd(), VK_DOWN);
  Pump(0);
  EXPECT_EQ(Grid->Cells(kIntegerCol, 5), "77");
  EXPECT_EQ(Grid->Row(), 6);

  // Every other cell, the bad one included, holds what it held.
  std::string BadAfter = C.BadCell == After::FirstItem ? PickItems[0]
                         : C.BadCell == After::Digit   ? "7"
                                                       : Filled(C.Col, kBadRow);
  for (int ARow = 1; ARow <= kFilledRows; ++ARow)
    for (int ACol = 0; ACol < kKindsColumns; ++ACol) {
      if (ACol == kIntegerCol && ARow == 5) continue;
      std::string Want = ACol == C.Col && ARow == kBadRow ? BadAfter : Filled(ACol, ARow);
      EXPECT_EQ(Grid->Cells(ACol, ARow), Want) << "cell " << ACol << ", " << ARow;
    }
  // And the bad cell loads again, now that its handler lets it.
  ClickCell(C.Col, kBadRow);
  EXPECT_TRUE(IsWindowVisible(EditWnd()));
  EXPECT_EQ(Editor()->Text(), BadAfter);
  EXPECT_EQ(Errors.size(), 1u) << "one failure, one exception";
}

INSTANTIATE_TEST_SUITE_P(Handlers, FailingHandlerTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<HandlerCase>& Info) {
                           return std::string(Info.param.Handler);
                         });

} // namespace
