// Forms built from stored layouts, the application's exception handling and
// the message dialog, with real windows under Wine.
#include "support/WinTest.h"

#include "toolkit/core/ClassRegistry.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Dialogs.h"
#include "toolkit/win/Form.h"
#include "toolkit/win/Memo.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

using namespace tk;

constexpr const char* kLayout = R"(object TestForm: TTestForm
  Left = 10
  Top = 20
  Width = 400
  Height = 300
  Caption = 'Layout Test'
  Position = poScreenCenter
  OnCreate = FormCreate
  object Top: TMemo
    Height = 60
    Align = alTop
    TabOrder = 0
    OnKeyPress = TopKeyPress
  end
  object Rest: TMemo
    Align = alClient
    Lines.Strings = (
      'first'
      '  second ')
    ReadOnly = True
    TabOrder = 1
  end
end
)";

class TTestForm : public TForm {
public:
  explicit TTestForm(std::string_view Layout) : TForm(Application) {
    PublishMethod("FormCreate", TNotifyEvent(this, &TTestForm::FormCreate));
    PublishMethod("TopKeyPress", TKeyPressEvent(this, &TTestForm::TopKeyPress));
    LoadLayoutFromText("TTESTFORM", Layout);
  }
  std::string_view ClassName() const override { return "TTestForm"; }
  void BindPublishedField(std::string_view Field, TComponent* C) override {
    if (Field == "Top") TopMemo = dynamic_cast<TMemo*>(C);
    if (Field == "Rest") RestMemo = dynamic_cast<TMemo*>(C);
  }
  void FormCreate(TObject* Sender) {
    ++CreateCount;
    CreateSender = Sender;
    SawControlsOnCreate = TopMemo && RestMemo && RestMemo->Lines().Count() == 2;
  }
  void TopKeyPress(TObject*, char& Key) {
    if (Key == '!') throw std::runtime_error("bang from a handler");
  }

  TMemo* TopMemo = nullptr;
  TMemo* RestMemo = nullptr;
  int CreateCount = 0;
  TObject* CreateSender = nullptr;
  bool SawControlsOnCreate = false;
};

class FormTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { RegisterComponentClass<TMemo>("TMemo"); }
  void TearDown() override {
    delete Form;
    Application->OnException = TExceptionEvent();
  }
  TTestForm* Form = nullptr;
};

TEST_F(FormTest, LayoutBuildsTheFormAndRunsOnCreateOnceBeforeShowing) {
  Form = new TTestForm(kLayout);
  EXPECT_EQ(Form->CreateCount, 1);
  EXPECT_EQ(Form->CreateSender, Form);
  EXPECT_TRUE(Form->SawControlsOnCreate);
  EXPECT_FALSE(Form->HandleAllocated() && IsWindowVisible(Form->WindowHandle()));
  ASSERT_NE(Form->TopMemo, nullptr);
  EXPECT_EQ(Form->RestMemo->Lines().Text(), "first\r\n  second ");
  EXPECT_TRUE(Form->RestMemo->ReadOnly());
  EXPECT_EQ(Form->TopMemo->Owner(), Form);
  EXPECT_EQ(Form->TopMemo->Parent(), Form);
}

TEST_F(FormTest, ShownFormIsCentredCaptionedAndAlignsItsControlsOnResize) {
  Form = new TTestForm(kLayout);
  Form->Show();
  wintest::Pump(50);
  HWND Wnd = Form->WindowHandle();
  EXPECT_EQ(wintest::WindowText(Wnd), "Layout Test");
  RECT R;
  GetWindowRect(Wnd, &R);
  EXPECT_EQ(R.right - R.left, 400);
  EXPECT_EQ(R.bottom - R.top, 300);
  EXPECT_NEAR(R.left, (GetSystemMetrics(SM_CXSCREEN) - 400) / 2, 1);
  EXPECT_NEAR(R.top, (GetSystemMetrics(SM_CYSCREEN) - 300) / 2, 1);

  auto CheckAligned = [&] {
    RECT Client;
    GetClientRect(Wnd, &Client);
    RECT Top, Rest;
    GetWindowRect(Form->TopMemo->WindowHandle(), &Top);
    GetWindowRect(Form->RestMemo->WindowHandle(), &Rest);
    EXPECT_EQ(Top.right - Top.left, Client.right);
    EXPECT_EQ(Top.bottom - Top.top, 60);
    EXPECT_EQ(Rest.right - Rest.left, Client.right);
    EXPECT_EQ(Rest.bottom - Rest.top, Client.bottom - 60);
    EXPECT_EQ(Rest.top, Top.bottom);
  };
  CheckAligned();
  SetWindowPos(Wnd, nullptr, 0, 0, 520, 420, SWP_NOMOVE | SWP_NOZORDER);
  wintest::Pump(50);
  CheckAligned();
}

TEST_F(FormTest, FirstControlInTabOrderHasTheFocusAndTabMovesOn) {
  Form = new TTestForm(kLayout);
  Form->Show();
  wintest::Pump(50);
  EXPECT_EQ(GetFocus(), Form->TopMemo->WindowHandle());
  wintest::InputKeyStroke(VK_TAB);
  ASSERT_TRUE(wintest::PumpUntil([&] { return GetFocus() == Form->RestMemo->WindowHandle(); }));
  EXPECT_EQ(Form->ActiveControl(), Form->RestMemo);
}

TEST_F(FormTest, ExceptionFromAHandlerReachesTheApplicationAndTheControlKeepsWorking) {
  std::string Caught;
  TObject* CaughtSender = nullptr;
  Application->OnException = TExceptionEvent([&](TObject* Sender, const std::exception& E) {
    Caught = E.what();
    CaughtSender = Sender;
  });
  Form = new TTestForm(kLayout);
  Form->Show();
  wintest::Pump(20);
  HWND Edit = Form->TopMemo->WindowHandle();
  wintest::SendText(Edit, "a!b");
  EXPECT_EQ(Caught, "bang from a handler");
  EXPECT_EQ(CaughtSender, Form->TopMemo);
  EXPECT_EQ(wintest::WindowText(Edit), "ab");
}

TEST_F(FormTest, LayoutIsScaledByTheMeasuredTextHeightOnly) {
  HDC DC = GetDC(nullptr);
  TFont Font; // the layout's font is the default one
  HGDIOBJ Old = SelectObject(DC, Font.Handle());
  SIZE Text{};
  GetTextExtentPoint32A(DC, "0", 1, &Text);
  SelectObject(DC, Old);
  ReleaseDC(nullptr, DC);
  ASSERT_GT(Text.cy, 0);

  for (auto [Stored, Expected] : {std::pair<long, int>{Text.cy, 60}, {2 * Text.cy, 30}}) {
    std::string Layout = kLayout;
    Layout.replace(Layout.find("  Caption"), 0,
                   "  TextHeight = " + std::to_string(Stored) + "\n  PixelsPerInch = 96\n");
    TTestForm Scaled(Layout);
    EXPECT_EQ(Scaled.TopMemo->Height(), Expected) << "stored text height " << Stored;
  }
}

struct LayoutErrorCase {
  const char* Name;
  std::string From, To;
  const char* Expected; // a part of the message
};

void PrintTo(const LayoutErrorCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class LayoutErrorTest : public FormTest, public ::testing::WithParamInterface<LayoutErrorCase> {};

TEST_P(LayoutErrorTest, IsReportedWithResourceLineAndName) {
  const LayoutErrorCase& C = GetParam();
  std::string Layout = kLayout;
  auto At = Layout.find(C.From);
  ASSERT_NE(At, std::string::npos);
  Layout.replace(At, C.From.size(), C.To);
  try {
    TTestForm Bad(Layout);
    FAIL() << "no error for " << C.Name;
  } catch (const ELayoutError& E) {
    std::string Message = E.what();
    EXPECT_EQ(Message.rfind("TTESTFORM(", 0), 0u) << Message;
    EXPECT_NE(Message.find(C.Expected), std::string::npos) << Message;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Errors, LayoutErrorTest,
    ::testing::Values(LayoutErrorCase{"class", "Rest: TMemo", "Rest: TNoSuchMemo", "TNoSuchMemo"},
                      LayoutErrorCase{"property", "ReadOnly = True", "ReadOnlyish = True",
                                      "ReadOnlyish"},
                      LayoutErrorCase{"value", "Align = alClient", "Align = alMiddle", "alMiddle"},
                      LayoutErrorCase{"handler", "OnCreate = FormCreate", "OnCreate = FormMissing",
                                      "FormMissing"},
                      LayoutErrorCase{"signature", "OnCreate = FormCreate",
                                      "OnCreate = TopKeyPress", "TopKeyPress"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// Answers the message box from inside its own modal loop.
struct DialogAnswer {
  static inline WPARAM Command = IDOK;
  static inline bool Found = false;
  static inline std::string Text;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR Id, DWORD) {
    HWND Box = FindWindowA("#32770", "Information");
    if (!Box) return;
    KillTimer(nullptr, Id);
    Found = true;
    char Buffer[256] = {};
    GetDlgItemTextA(Box, 0xFFFF, Buffer, sizeof Buffer);
    Text = Buffer;
    if (Command == WM_CLOSE)
      PostMessageA(Box, WM_CLOSE, 0, 0);
    else
      PostMessageA(Box, WM_COMMAND, Command, 0);
  }
};

TEST(MessageDlgTest, ReturnsOneForOkAndTwoForCancelOrClosing) {
  for (auto [Command, Expected] :
       {std::pair<WPARAM, int>{IDOK, mrOk}, {IDCANCEL, mrCancel}, {WM_CLOSE, mrCancel}}) {
    DialogAnswer::Command = Command;
    DialogAnswer::Found = false;
    SetTimer(nullptr, 0, 20, DialogAnswer::Tick);
    int Result = MessageDlg("Push Ok Or Cancel Button!", mtInformation, mbOK | mbCancel, 0);
    EXPECT_TRUE(DialogAnswer::Found);
    EXPECT_EQ(Result, Expected) << "command " << Command;
    EXPECT_EQ(DialogAnswer::Text, "Push Ok Or Cancel Button!");
  }
}

} // namespace
