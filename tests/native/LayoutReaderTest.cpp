#include "toolkit/core/LayoutReader.h"
#include "toolkit/core/ClassRegistry.h"
#include "toolkit/core/Component.h"
#include "toolkit/core/Events.h"
#include "toolkit/core/LayoutBinder.h"
#include "toolkit/core/Strings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using tk::TComponent;
using tk::TLayoutBinder;
using tk::TLayoutValue;
using tk::TObject;

using TValueEvent = tk::TMethod<TObject*, int&>;

enum TTestAlign : std::uint8_t { alNone, alTop, alClient };
enum TTestOption : std::uint8_t { goEditing = 1, goTabs = 2, goRowSelect = 4 };

std::vector<std::string> GLoadedOrder;
int GLiveControls = 0;

class TReaderTestControl : public TComponent {
public:
  explicit TReaderTestControl(TComponent* AOwner) : TComponent(AOwner) { ++GLiveControls; }
  ~TReaderTestControl() override { --GLiveControls; }
  std::string_view ClassName() const override { return "TReaderTestControl"; }

  bool SetPublishedProperty(std::string_view Name, const TLayoutValue& V,
                            TLayoutBinder& B) override {
    if (Name == "Left")
      Left = B.Int(V);
    else if (Name == "Caption")
      Caption = B.String(V);
    else if (Name == "Visible")
      Visible = B.Bool(V);
    else if (Name == "Align")
      Align = B.Enum<TTestAlign>(V, {{"alNone", alNone}, {"alTop", alTop}, {"alClient", alClient}});
    else if (Name == "Options")
      Options = B.Set<std::uint8_t>(
          V, {{"goEditing", goEditing}, {"goTabs", goTabs}, {"goRowSelect", goRowSelect}});
    else if (Name == "Lines.Strings")
      for (const std::string& S : B.StringList(V))
        Lines.Add(S);
    else if (Name == "OnClick")
      OnClick = B.Method<tk::TNotifyEvent>(V);
    else if (Name == "OnValue")
      OnValue = B.Method<TValueEvent>(V);
    else
      return TComponent::SetPublishedProperty(Name, V, B);
    return true;
  }
  void SetParentComponent(TComponent* AParent) override { Parent = AParent; }
  void Loaded() override {
    TComponent::Loaded();
    ++LoadedCount;
    GLoadedOrder.push_back(Name());
  }

  std::int32_t Left = 0;
  std::string Caption = "unset";
  bool Visible = true;
  TTestAlign Align = alNone;
  std::uint8_t Options = goRowSelect;
  tk::TStringList Lines;
  tk::TNotifyEvent OnClick;
  TValueEvent OnValue;
  TComponent* Parent = nullptr;
  int LoadedCount = 0;
};

class TReaderTestForm : public TComponent {
public:
  TReaderTestForm() : TComponent(nullptr) {
    PublishMethod("ButtonClick", tk::TNotifyEvent(this, &TReaderTestForm::ButtonClick));
    PublishMethod("ValueChange", TValueEvent(this, &TReaderTestForm::ValueChange));
    PublishMethod("FormCreate", tk::TNotifyEvent(this, &TReaderTestForm::FormCreate));
  }
  std::string_view ClassName() const override { return "TReaderTestForm"; }

  bool SetPublishedProperty(std::string_view Name, const TLayoutValue& V,
                            TLayoutBinder& B) override {
    if (Name == "Font.Height")
      FontHeight = B.Int(V);
    else if (Name == "OnCreate")
      OnCreate = B.Method<tk::TNotifyEvent>(V);
    else
      return TComponent::SetPublishedProperty(Name, V, B);
    return true;
  }
  void BindPublishedField(std::string_view Field, TComponent* C) override {
    if (Field == "Panel1") Panel1 = dynamic_cast<TReaderTestControl*>(C);
    if (Field == "Edit1") Edit1 = dynamic_cast<TReaderTestControl*>(C);
  }
  void Loaded() override {
    TComponent::Loaded();
    GLoadedOrder.push_back(Name());
    if (OnCreate) OnCreate(this);
  }

  void ButtonClick(TObject* Sender) {
    ++Clicks;
    LastSender = Sender;
  }
  void ValueChange(TObject*, int& Value) { Value = 42; }
  void FormCreate(TObject*) {
    ++Creates;
    EditLoadedAtCreate = Edit1 && Edit1->LoadedCount == 1;
  }

  TReaderTestControl* Panel1 = nullptr;
  TReaderTestControl* Edit1 = nullptr;
  std::int32_t FontHeight = 0;
  tk::TNotifyEvent OnCreate;
  int Clicks = 0;
  int Creates = 0;
  TObject* LastSender = nullptr;
  bool EditLoadedAtCreate = false;
};

class LayoutReader : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    tk::RegisterComponentClass<TReaderTestControl>("TReaderTestControl");
    // A registration mistake: the name does not match what the factory makes.
    tk::RegisterComponentClass<TReaderTestControl>("TReaderTestMislabelled");
  }
  void SetUp() override { GLoadedOrder.clear(); }
  void TearDown() override { EXPECT_EQ(GLiveControls, 0) << "a component outlived its owner"; }
};

TEST_F(LayoutReader, CreatesNamesPlacesAndBindsEveryComponent) {
  TReaderTestForm Form;
  tk::ReadComponentLayout(Form, "TESTFORM", R"(object Form: TReaderTestForm
  Font.Height = -11
  OnCreate = FormCreate
  object Panel1: TReaderTestControl
    Left = -2147483648
    Visible = False
    Align = alTop
    Options = [goEditing, goTabs]
    OnClick = ButtonClick
    object Edit1: TReaderTestControl
      Left = 2147483647
      Caption = ''
      Options = []
      Lines.Strings = (
        'one'
        '  two')
      OnValue = ValueChange
    end
  end
  object Memo1: TReaderTestControl
    Caption = 'it''s'
    Align = alClient
    OnClick = ButtonClick
  end
end
)");
  EXPECT_EQ(Form.Name(), "Form");
  EXPECT_EQ(Form.FontHeight, -11);
  ASSERT_EQ(Form.ComponentCount(), 3);
  ASSERT_NE(Form.Panel1, nullptr);
  ASSERT_NE(Form.Edit1, nullptr);
  auto* Memo1 = dynamic_cast<TReaderTestControl*>(Form.FindComponent("Memo1"));
  ASSERT_NE(Memo1, nullptr);
  EXPECT_EQ(Form.FindComponent("Panel1"), Form.Panel1);
  EXPECT_EQ(Form.FindComponent("Edit1"), Form.Edit1);
  for (TComponent* C : {static_cast<TComponent*>(Form.Panel1), static_cast<TComponent*>(Form.Edit1),
                        static_cast<TComponent*>(Memo1)})
    EXPECT_EQ(C->Owner(), &Form);
  EXPECT_EQ(Form.Panel1->Parent, &Form);
  EXPECT_EQ(Form.Edit1->Parent, Form.Panel1);
  EXPECT_EQ(Memo1->Parent, &Form);

  const TReaderTestControl& P = *Form.Panel1;
  EXPECT_EQ(P.Left, INT32_MIN);
  EXPECT_FALSE(P.Visible);
  EXPECT_EQ(P.Align, alTop);
  EXPECT_EQ(P.Options, goEditing | goTabs);
  EXPECT_EQ(P.Caption, "unset");
  const TReaderTestControl& E = *Form.Edit1;
  EXPECT_EQ(E.Left, INT32_MAX);
  EXPECT_EQ(E.Caption, "");
  EXPECT_EQ(E.Options, 0);
  EXPECT_EQ(E.Lines.Text(), "one\r\n  two");
  EXPECT_EQ(Memo1->Caption, "it's");
  EXPECT_EQ(Memo1->Align, alClient);

  ASSERT_TRUE(P.OnClick);
  P.OnClick(Form.Panel1);
  Memo1->OnClick(Memo1);
  EXPECT_EQ(Form.Clicks, 2);
  EXPECT_EQ(Form.LastSender, Memo1);
  EXPECT_FALSE(E.OnClick);
  int Value = 0;
  ASSERT_TRUE(E.OnValue);
  E.OnValue(Form.Edit1, Value);
  EXPECT_EQ(Value, 42);

  // Nested components are loaded before their encloser, the root last, each once.
  EXPECT_EQ(GLoadedOrder, (std::vector<std::string>{"Edit1", "Panel1", "Memo1", "Form"}));
  EXPECT_EQ(Form.Creates, 1);
  EXPECT_TRUE(Form.EditLoadedAtCreate);
  for (int I = 0; I < Form.ComponentCount(); ++I)
    EXPECT_EQ(Form.Components(I)->ComponentState() & tk::csLoading, 0);
  EXPECT_EQ(Form.ComponentState() & tk::csLoading, 0);
}

TEST_F(LayoutReader, ReportsEachFaultWithResourceLineAndNameAndKeepsWhatWasCreated) {
  struct TCase {
    std::string Panel1Body; // lines inside Panel1, which starts on line 2
    std::string Message;
    int Created;
  };
  const TCase Cases[] = {
      {"    Width = 5\n",
       "TESTFORM(3): component 'Panel1' of class 'TReaderTestControl' has no property 'Width'", 1},
      {"    Left = 'x'\n", "TESTFORM(3): an integer is expected (property 'Left')", 1},
      {"    Left = 2147483648\n",
       "TESTFORM(3): integer 2147483648 is out of range (property 'Left')", 1},
      {"    Left = -2147483649\n",
       "TESTFORM(3): integer -2147483649 is out of range (property 'Left')", 1},
      {"    Visible = true\n", "TESTFORM(3): True or False is expected (property 'Visible')", 1},
      {"    Caption = Foo\n", "TESTFORM(3): a string is expected (property 'Caption')", 1},
      {"    Align = alBottom\n", "TESTFORM(3): unknown value 'alBottom' (property 'Align')", 1},
      {"    Options = [goEditing, goBogus]\n",
       "TESTFORM(3): unknown set element 'goBogus' (property 'Options')", 1},
      {"    Options = goEditing\n", "TESTFORM(3): a set [...] is expected (property 'Options')", 1},
      {"    Lines.Strings = 'a'\n",
       "TESTFORM(3): a list of strings ( ... ) is expected (property 'Lines.Strings')", 1},
      {"    OnClick = NoSuchHandler\n",
       "TESTFORM(3): unknown handler 'NoSuchHandler' (property 'OnClick')", 1},
      {"    OnClick = 'ButtonClick'\n",
       "TESTFORM(3): an identifier is expected (property 'OnClick')", 1},
      {"    OnClick = ValueChange\n",
       "TESTFORM(3): handler 'ValueChange' has the wrong signature for this event (property "
       "'OnClick')",
       1},
      {"    Left = 1\n    object Inner: TNoSuchClass\n    end\n",
       "TESTFORM(4): class 'TNoSuchClass' of component 'Inner' is unknown", 1},
      {"    object Panel1: TReaderTestControl\n    end\n",
       "TESTFORM(3): a component named 'Panel1' already exists", 1},
      {"    object Inner: TReaderTestMislabelled\n    end\n",
       "TESTFORM(3): class 'TReaderTestMislabelled' is registered but creates a "
       "'TReaderTestControl'",
       2},
      {"    object Inner: TReaderTestControl\n      Left = x\n    end\n",
       "TESTFORM(4): an integer is expected (property 'Left')", 2},
      {"    Left = 1 2\n",
       "TESTFORM(3): expected the end of the line after the value of property 'Left' but found "
       "'2'",
       0},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Panel1Body);
    GLoadedOrder.clear();
    {
      TReaderTestForm Form;
      std::string Message = "(no error)";
      try {
        tk::ReadComponentLayout(Form, "TESTFORM",
                                "object Form: TReaderTestForm\n"
                                "  object Panel1: TReaderTestControl\n" +
                                    C.Panel1Body + "  end\nend\n");
      } catch (const tk::ELayoutError& E) {
        Message = E.what();
      }
      EXPECT_EQ(Message, C.Message);
      EXPECT_EQ(Form.ComponentCount(), C.Created);
      EXPECT_EQ(GLiveControls, C.Created);
      if (C.Created > 0) {
        EXPECT_EQ(Form.Panel1, Form.FindComponent("Panel1"));
      }
      EXPECT_TRUE(GLoadedOrder.empty());
      EXPECT_EQ(Form.Creates, 0);
    }
    EXPECT_EQ(GLiveControls, 0);
  }
}

TEST_F(LayoutReader, RejectsAFaultyRoot) {
  struct TCase {
    std::string Text;
    std::string Message;
  };
  const TCase Cases[] = {
      {"object Form: TOtherForm\nend\n",
       "TESTFORM(1): the layout holds 'Form' of class 'TOtherForm' but is read into a "
       "'TReaderTestForm'"},
      {"object Form: TReaderTestForm\n  Bogus = 1\nend\n",
       "TESTFORM(2): component 'Form' of class 'TReaderTestForm' has no property 'Bogus'"},
      {"object Form: TReaderTestForm\n  OnCreate = ButtonClick\n  OnCreate = ValueChange\nend\n",
       "TESTFORM(3): handler 'ValueChange' has the wrong signature for this event (property "
       "'OnCreate')"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Text);
    TReaderTestForm Form;
    try {
      tk::ReadComponentLayout(Form, "TESTFORM", C.Text);
      ADD_FAILURE() << "no error";
    } catch (const tk::ELayoutError& E) {
      EXPECT_EQ(std::string(E.what()), C.Message);
    }
    EXPECT_TRUE(GLoadedOrder.empty());
  }
}

} // namespace
