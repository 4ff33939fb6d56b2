// TQuillet's own surface: DropDownCount, its events and the dispatchers that
// raise them with the grid as Sender.
#include "components/QuilletGrid.h"
#include "toolkit/core/Strings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace quillet;
using tk::TObject;

TEST(QuilletGridTest, NewGridHasTenRowsAndNoHandlers) {
  TQuillet Grid(nullptr);
  EXPECT_EQ(Grid.DropDownCount(), 10);
  EXPECT_FALSE(Grid.OnEditButtonClick());
  EXPECT_FALSE(Grid.OnGetDropDownList());
  EXPECT_FALSE(Grid.OnGetEditStyle());
  EXPECT_FALSE(Grid.OnCloseUp());
  EXPECT_FALSE(Grid.OnChangeInplaceEditor());
  EXPECT_FALSE(Grid.OnGetFormatKind());
}

TEST(QuilletGridTest, DropDownCountKeepsAnyValue) {
  TQuillet Grid(nullptr);
  for (int Value : {0, -5, 1000, 10}) {
    Grid.SetDropDownCount(Value);
    EXPECT_EQ(Grid.DropDownCount(), Value);
  }
}

TEST(QuilletGridTest, UnassignedDispatchersChangeNothing) {
  TQuillet Grid(nullptr);
  TEditStyle Style = esPickList;
  bool ReadOnly = true;
  Grid.DoGetEditStyle(1, 2, Style, ReadOnly);
  EXPECT_EQ(Style, esPickList);
  EXPECT_TRUE(ReadOnly);
  tk::TStringList List;
  List.Add("kept");
  Grid.DoGetDropDownList(1, 2, &List);
  ASSERT_EQ(List.Count(), 1);
  EXPECT_EQ(List.Strings(0), "kept");
  Grid.DoEditButtonClick();
  Grid.DoCloseUp();
}

TEST(QuilletGridTest, DispatchersRaiseTheirEventWithTheGridAndTheArgumentsInOrder) {
  TQuillet Grid(nullptr);
  std::vector<std::string> Log;
  auto Who = [&](TObject* Sender) { return Sender == &Grid ? std::string("grid") : "other"; };
  Grid.SetOnGetEditStyle(TGetEditStyleEvent([&](TObject* S, int C, int R, TEditStyle& V, bool& RO) {
    Log.push_back(Who(S) + " style " + std::to_string(C) + "," + std::to_string(R) + " " +
                  std::to_string(V) + " " + std::to_string(RO));
    V = esEllipsis; // only the style: ReadOnly keeps the caller's value
  }));
  Grid.SetOnGetDropDownList(TGetDropDownListEvent([&](TObject* S, int C, int R, tk::TStrings* V) {
    Log.push_back(Who(S) + " list " + std::to_string(C) + "," + std::to_string(R));
    V->Add("x");
  }));
  Grid.SetOnEditButtonClick(
      tk::TNotifyEvent([&](TObject* S) { Log.push_back(Who(S) + " button"); }));
  Grid.SetOnCloseUp(tk::TNotifyEvent([&](TObject* S) { Log.push_back(Who(S) + " closeup"); }));

  TEditStyle Style = esSimple;
  bool ReadOnly = false;
  Grid.DoGetEditStyle(2, 3, Style, ReadOnly);
  tk::TStringList List;
  Grid.DoGetDropDownList(5, 7, &List);
  Grid.DoEditButtonClick();
  Grid.DoCloseUp();

  EXPECT_EQ(Log, (std::vector<std::string>{"grid style 2,3 0 0", "grid list 5,7", "grid button",
                                           "grid closeup"}));
  EXPECT_EQ(Style, esEllipsis);
  EXPECT_FALSE(ReadOnly);
  EXPECT_EQ(List.Count(), 1);
}

TEST(QuilletGridTest, ClearedEventIsNoLongerRaised) {
  TQuillet Grid(nullptr);
  int Clicks = 0;
  Grid.SetOnEditButtonClick(tk::TNotifyEvent([&](TObject*) { ++Clicks; }));
  Grid.DoEditButtonClick();
  Grid.SetOnEditButtonClick(tk::TNotifyEvent());
  Grid.DoEditButtonClick();
  EXPECT_EQ(Clicks, 1);
}

TEST(QuilletGridTest, HandlerExceptionsReachTheCaller) {
  TQuillet Grid(nullptr);
  Grid.SetOnCloseUp(tk::TNotifyEvent([](TObject*) { throw std::runtime_error("closeup"); }));
  EXPECT_THROW(Grid.DoCloseUp(), std::runtime_error);
}

} // namespace
