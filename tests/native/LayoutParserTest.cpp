#include "toolkit/core/LayoutParser.h"
#include "toolkit/core/Exceptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using tk::ParseLayout;
using tk::TLayoutObject;
using tk::TLayoutValue;
using TKind = TLayoutValue::TKind;

std::string ErrorOf(const std::string& Text) {
  try {
    ParseLayout("RES", Text);
  } catch (const tk::ELayoutError& E) {
    return E.what();
  }
  return "(no error)";
}

TEST(LayoutParser, ReadsNestedObjectsWithTheirPropertiesInOrder) {
  const TLayoutObject Root = ParseLayout("TFRMMAIN", R"(object frmMain: TfrmMain
  Left = 353
  Caption = 'TQuillet Test Application'
  Font.Height = -11
  Font.Style = []
  OnCreate = FormCreate
  object Quillet: TQuillet
    Options = [goFixedVertLine, goFixedHorzLine, goEditing]
    object Inner: TPanel
    end
  end
  object Memo1: TMemo
    Lines.Strings = (
      'Useful Events:'
      '  OnGetEditStyle - occurs before cell becomes editable.')
    ReadOnly = True
  end
end
)");
  EXPECT_EQ(Root.Name, "frmMain");
  EXPECT_EQ(Root.ClassName, "TfrmMain");
  EXPECT_EQ(Root.Line, 1);
  const std::vector<std::pair<std::string, int>> Expected = {
      {"Left", 2}, {"Caption", 3}, {"Font.Height", 4}, {"Font.Style", 5}, {"OnCreate", 6}};
  ASSERT_EQ(Root.Properties.size(), Expected.size());
  for (std::size_t I = 0; I < Expected.size(); ++I) {
    EXPECT_EQ(Root.Properties[I].first, Expected[I].first);
    EXPECT_EQ(Root.Properties[I].second.Line, Expected[I].second);
  }
  EXPECT_EQ(Root.Properties[2].second.Integer, -11);
  EXPECT_EQ(Root.Properties[4].second.Kind, TKind::Identifier);

  ASSERT_EQ(Root.Children.size(), 2u);
  const TLayoutObject& Grid = Root.Children[0];
  EXPECT_EQ(Grid.Name, "Quillet");
  EXPECT_EQ(Grid.ClassName, "TQuillet");
  EXPECT_EQ(Grid.Line, 7);
  ASSERT_EQ(Grid.Children.size(), 1u);
  EXPECT_EQ(Grid.Children[0].Name, "Inner");
  EXPECT_EQ(Grid.Children[0].Line, 9);
  EXPECT_TRUE(Grid.Children[0].Properties.empty());

  const TLayoutObject& Memo = Root.Children[1];
  EXPECT_EQ(Memo.Line, 12);
  ASSERT_EQ(Memo.Properties.size(), 2u);
  EXPECT_EQ(Memo.Properties[0].first, "Lines.Strings");
  EXPECT_EQ(Memo.Properties[0].second.Items,
            (std::vector<std::string>{"Useful Events:",
                                      "  OnGetEditStyle - occurs before cell becomes editable."}));
  EXPECT_EQ(Memo.Properties[1].second.Line, 16);
  EXPECT_TRUE(Memo.Children.empty());
}

TEST(LayoutParser, ReadsEveryValueForm) {
  struct TCase {
    const char* Value;
    TKind Kind;
    std::int64_t Integer;
    std::string Text;
    std::vector<std::string> Items;
  };
  const TCase Cases[] = {
      {"0", TKind::Integer, 0, "", {}},
      {"-11", TKind::Integer, -11, "", {}},
      {"9223372036854775807", TKind::Integer, INT64_MAX, "", {}},
      {"-9223372036854775808", TKind::Integer, INT64_MIN, "", {}},
      {"'TQuillet Test Application'", TKind::String, 0, "TQuillet Test Application", {}},
      {"''", TKind::String, 0, "", {}},
      {"'it''s'", TKind::String, 0, "it's", {}},
      {"'a'#39'b'", TKind::String, 0, "a'b", {}},
      {"#65#66'c'", TKind::String, 0, "ABc", {}},
      {"'x'#9#0'y'", TKind::String, 0, std::string("x\t\0y", 4), {}},
      {"'caf'#233", TKind::String, 0, "caf\xE9", {}},
      {"'first ' +\n    'second' +\r\n\n    #33", TKind::String, 0, "first second!", {}},
      {"clBtnFace", TKind::Identifier, 0, "clBtnFace", {}},
      {"[]", TKind::Set, 0, "", {}},
      {"[goEditing,goTabs]", TKind::Set, 0, "", {"goEditing", "goTabs"}},
      {"[\n    fsBold,\n    fsItalic ]", TKind::Set, 0, "", {"fsBold", "fsItalic"}},
      {"()", TKind::StringList, 0, "", {}},
      {"(\n  'a'\n  '  b' +\n  'c' #39'd'#39)", TKind::StringList, 0, "", {"a", "  bc", "'d'"}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Value);
    const TLayoutObject Obj =
        ParseLayout("RES", std::string("object A: TA\n  P = ") + C.Value + "\n  Q = 1\nend\n");
    ASSERT_EQ(Obj.Properties.size(), 2u);
    const TLayoutValue& V = Obj.Properties[0].second;
    EXPECT_EQ(V.Kind, C.Kind);
    EXPECT_EQ(V.Integer, C.Integer);
    EXPECT_EQ(V.Text, C.Text);
    EXPECT_EQ(V.Items, C.Items);
    EXPECT_EQ(V.Line, 2);
    EXPECT_EQ(Obj.Properties[1].first, "Q"); // the value ended where it should
  }
}

TEST(LayoutParser, AcceptsKeywordsInAnyCaseAndBlankLines) {
  const TLayoutObject Obj = ParseLayout("RES", "\n\t OBJECT A :TA\n\n  Object B: TB\n  END\nEnd");
  EXPECT_EQ(Obj.Line, 2);
  ASSERT_EQ(Obj.Children.size(), 1u);
  EXPECT_EQ(Obj.Children[0].Line, 4);
}

TEST(LayoutParser, ReportsSyntaxErrorsWithResourceAndLine) {
  struct TCase {
    std::string Text;
    std::string Message;
  };
  const std::string Head = "object A: TA\n";
  const TCase Cases[] = {
      {"", "RES(1): expected 'object' at the start of the layout but found the end of the text"},
      {"// comment\n" + Head + "end",
       "RES(1): expected 'object' at the start of the layout but found '/'"},
      {"object A TA\nend", "RES(1): expected ':' after component name 'A' but found 'TA'"},
      {"object : TA\nend", "RES(1): expected a component name after 'object' but found ':'"},
      {"object A: TA B\nend",
       "RES(1): expected the end of the line after the class name of component 'A' but found "
       "'B'"},
      {Head + "  Left 5\nend", "RES(2): expected '=' after property name 'Left' but found '5'"},
      {Head + "  Font. = 1\nend", "RES(2): expected a name after 'Font.' but found a blank"},
      {Head + "  Left =\n  5\nend",
       "RES(2): expected a value for property 'Left' but found the end of the line"},
      {Head + "  Left = {00}\nend", "RES(2): expected a value for property 'Left' but found '{'"},
      {Head + "  Left = -x\nend",
       "RES(2): expected digits after '-' in property 'Left' but found 'x'"},
      {Head + "  Left = 12abc\nend", "RES(2): invalid number '12abc' in property 'Left'"},
      {Head + "  Left = 1.5\nend", "RES(2): invalid number '1.5' in property 'Left'"},
      {Head + "  Left = 9223372036854775808\nend",
       "RES(2): number 9223372036854775808 in property 'Left' is out of range"},
      {Head + "  Left = -9223372036854775809\nend",
       "RES(2): number -9223372036854775809 in property 'Left' is out of range"},
      {Head + "  Caption = 'abc\nend", "RES(2): unterminated string in property 'Caption'"},
      {Head + "  Caption = 'a' 'b'\nend",
       "RES(2): expected the end of the line after the value of property 'Caption' but found a "
       "string"},
      {Head + "  Caption = #300\nend",
       "RES(2): character code #300 in property 'Caption' is out of range (0 to 255)"},
      {Head + "  Caption = #\nend",
       "RES(2): expected a character code after '#' in property 'Caption' but found the end of "
       "the line"},
      {Head + "  Caption = 'a' +\nend",
       "RES(3): expected a string after '+' in property 'Caption' but found 'end'"},
      {Head + "  Options = [a, b\nend",
       "RES(3): expected ',' or ']' in the set of property 'Options' but found 'end'"},
      {Head + "  Options = [a, ]\nend",
       "RES(2): expected a set element in property 'Options' but found ']'"},
      {Head + "  Lines.Strings = (\n    'a'\n    b)\nend",
       "RES(4): expected a string or ')' in the list of property 'Lines.Strings' but found 'b'"},
      {Head + "  Lines.Strings = (\n    'a'",
       "RES(3): expected a string or ')' in the list of property 'Lines.Strings' but found the "
       "end of the text"},
      {Head + "  Left = 1\n",
       "RES(3): the text ends inside component 'A' begun on line 1; 'end' expected"},
      {Head + "  object B: TB\n  end\n  Left = 1\nend",
       "RES(4): expected 'object' or 'end' after the nested components of 'A' but found 'Left'"},
      {Head + "end end", "RES(2): expected the end of the line after 'end' of component 'A' but "
                         "found 'end'"},
      {Head + "end\nx", "RES(3): expected the end of the text after the final 'end' but found 'x'"},
      {Head + "  \x01 = 1\nend",
       "RES(2): expected a property name, 'object' or 'end' but found character #1"},
      // CR LF, LF and a lone CR each end one line.
      {"object A: TA\r\n  Left = 1\r\r  Top 2\r\nend",
       "RES(4): expected '=' after property name 'Top' but found '2'"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Text);
    EXPECT_EQ(ErrorOf(C.Text), C.Message);
  }
}

TEST(LayoutParser, LimitsNestingDepth) {
  auto Nested = [](int Depth) {
    std::string Text;
    for (int I = 0; I < Depth; ++I)
      Text += "object A" + std::to_string(I) + ": TA\n";
    for (int I = 0; I < Depth; ++I)
      Text += "end\n";
    return Text;
  };
  TLayoutObject Deepest = ParseLayout("RES", Nested(tk::kMaxLayoutDepth));
  int Depth = 1;
  for (const TLayoutObject* O = &Deepest; !O->Children.empty(); O = &O->Children[0])
    ++Depth;
  EXPECT_EQ(Depth, tk::kMaxLayoutDepth);
  EXPECT_EQ(ErrorOf(Nested(tk::kMaxLayoutDepth + 1)),
            "RES(65): objects are nested more than 64 levels deep");
}

} // namespace
