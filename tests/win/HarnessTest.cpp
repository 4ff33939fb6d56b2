// The test harness itself: a real top-level window with a child EDIT under
// Wine, typed into through the system's input queue and with sent messages.
#include "support/WinTest.h"

#include <gtest/gtest.h>

namespace {

class HarnessTest : public ::testing::Test {
protected:
  void SetUp() override {
    Top = CreateWindowExA(0, "STATIC", "Harness", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300,
                          120, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(Top, nullptr);
    Edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 200, 24,
                           Top, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(Edit, nullptr);
    wintest::Activate(Top);
    SetFocus(Edit);
    wintest::Pump(20);
  }
  void TearDown() override { DestroyWindow(Top); }

  HWND Top = nullptr;
  HWND Edit = nullptr;
};

TEST_F(HarnessTest, RealKeyboardInputReachesTheFocusedEdit) {
  ASSERT_EQ(GetFocus(), Edit);
  wintest::InputText("Wine 8");
  ASSERT_TRUE(wintest::PumpUntil([&] { return wintest::WindowText(Edit) == "Wine 8"; }))
      << "edit holds '" << wintest::WindowText(Edit) << "'";
}

TEST_F(HarnessTest, SentKeystrokesEditTheText) {
  wintest::SendText(Edit, "abc");
  wintest::SendKey(Edit, VK_BACK);
  wintest::SendKey(Edit, VK_HOME);
  wintest::SendChar(Edit, 'X');
  EXPECT_EQ(wintest::WindowText(Edit), "Xab");
}

} // namespace
