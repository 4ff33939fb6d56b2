// Any text read as a layout gives either an ELayoutError whose message starts
// with "RESOURCE(LINE): " for a line of the text, or a component tree that
// matches the text object for object and property for property. Parsed trees
// are also written back out and must read back the same.
#include "toolkit/core/ClassRegistry.h"
#include "toolkit/core/Component.h"
#include "toolkit/core/Events.h"
#include "toolkit/core/LayoutBinder.h"
#include "toolkit/core/LayoutParser.h"
#include "toolkit/core/LayoutReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using tk::TComponent;
using tk::TLayoutObject;
using tk::TLayoutValue;
using TValueEvent = tk::TMethod<tk::TObject*, int&>;

constexpr std::string_view kResource = "FUZZ";

void Require(bool Condition, const char* What) {
  if (Condition) return;
  std::fprintf(stderr, "property violated: %s\n", What);
  std::abort();
}

bool SameValue(const TLayoutValue& A, const TLayoutValue& B) {
  return A.Kind == B.Kind && A.Integer == B.Integer && A.Text == B.Text && A.Items == B.Items;
}

bool SameTree(const TLayoutObject& A, const TLayoutObject& B) {
  if (A.Name != B.Name || A.ClassName != B.ClassName) return false;
  if (A.Properties.size() != B.Properties.size() || A.Children.size() != B.Children.size())
    return false;
  for (std::size_t I = 0; I < A.Properties.size(); ++I)
    if (A.Properties[I].first != B.Properties[I].first ||
        !SameValue(A.Properties[I].second, B.Properties[I].second))
      return false;
  for (std::size_t I = 0; I < A.Children.size(); ++I)
    if (!SameTree(A.Children[I], B.Children[I])) return false;
  return true;
}

// --- Writing a tree back as text ----------------------------------------------

void WriteString(std::string& Out, const std::string& S, const std::string& Indent) {
  if (S.empty()) Out += "''";
  bool Quoted = false;
  for (std::size_t I = 0; I < S.size(); ++I) {
    if (I > 0 && I % 40 == 0) { // long strings continue on the next line
      if (Quoted) Out += '\'';
      Quoted = false;
      Out += " +\n" + Indent;
    }
    auto C = static_cast<unsigned char>(S[I]);
    if (C >= ' ' && C < 127) {
      if (!Quoted) Out += '\'';
      Quoted = true;
      Out += S[I];
      if (C == '\'') Out += '\'';
    } else {
      if (Quoted) Out += '\'';
      Quoted = false;
      Out += '#' + std::to_string(C);
    }
  }
  if (Quoted) Out += '\'';
}

void WriteValue(std::string& Out, const TLayoutValue& V, const std::string& Indent) {
  switch (V.Kind) {
  case TLayoutValue::TKind::Integer:
    Out += std::to_string(V.Integer);
    break;
  case TLayoutValue::TKind::Identifier:
    Out += V.Text;
    break;
  case TLayoutValue::TKind::String:
    WriteString(Out, V.Text, Indent);
    break;
  case TLayoutValue::TKind::Set:
    Out += '[';
    for (std::size_t I = 0; I < V.Items.size(); ++I)
      Out += (I ? ", " : "") + V.Items[I];
    Out += ']';
    break;
  case TLayoutValue::TKind::StringList:
    Out += '(';
    for (const std::string& Item : V.Items) {
      Out += "\n" + Indent;
      WriteString(Out, Item, Indent);
    }
    Out += ')';
    break;
  }
}

void WriteObject(std::string& Out, const TLayoutObject& O, const std::string& Indent) {
  Out += Indent + "object " + O.Name + ": " + O.ClassName + "\n";
  for (const auto& [Name, Value] : O.Properties) {
    Out += Indent + "  " + Name + " = ";
    WriteValue(Out, Value, Indent + "    ");
    Out += '\n';
  }
  for (const TLayoutObject& Child : O.Children)
    WriteObject(Out, Child, Indent + "  ");
  Out += Indent + "end\n";
}

// --- Components the layouts are read into -------------------------------------

std::vector<TComponent*> GCreated; // live nested components, in creation order
std::vector<TComponent*> GLoaded;  // Loaded calls, in order

// The published properties every test class has, one of each value kind and
// conversion; false for other names.
bool SetTestProperty(std::string_view Name, const TLayoutValue& V, tk::TLayoutBinder& B,
                     tk::TNotifyEvent& OnClick, TValueEvent& OnValue) {
  if (Name == "Left" || Name == "Top" || Name == "Width" || Name == "Height" ||
      Name == "Font.Height")
    B.Int(V);
  else if (Name == "Caption" || Name == "Font.Name")
    B.String(V);
  else if (Name == "Color" || Name == "Font.Charset")
    B.Ident(V);
  else if (Name == "Visible")
    B.Bool(V);
  else if (Name == "Align")
    B.Enum<int>(V, {{"alNone", 0}, {"alTop", 1}, {"alClient", 2}});
  else if (Name == "Options" || Name == "Font.Style")
    B.Set<std::uint8_t>(V, {{"goEditing", 1}, {"goTabs", 2}, {"fsBold", 4}});
  else if (Name == "Lines.Strings")
    B.StringList(V);
  else if (Name == "OnClick" || Name == "OnCreate")
    OnClick = B.Method<tk::TNotifyEvent>(V);
  else if (Name == "OnValue")
    OnValue = B.Method<TValueEvent>(V);
  else
    return false;
  return true;
}

class TFuzzControl : public TComponent {
public:
  explicit TFuzzControl(TComponent* AOwner) : TComponent(AOwner) { GCreated.push_back(this); }
  ~TFuzzControl() override { std::erase(GCreated, this); }
  std::string_view ClassName() const override { return "TFuzzControl"; }

  bool SetPublishedProperty(std::string_view Name, const TLayoutValue& V,
                            tk::TLayoutBinder& B) override {
    if (!SetTestProperty(Name, V, B, OnClick, OnValue) &&
        !TComponent::SetPublishedProperty(Name, V, B))
      return false;
    Received.emplace_back(std::string(Name), V);
    return true;
  }
  void SetParentComponent(TComponent* AParent) override { Parent = AParent; }
  void Loaded() override {
    TComponent::Loaded();
    GLoaded.push_back(this);
  }

  std::vector<std::pair<std::string, TLayoutValue>> Received;
  TComponent* Parent = nullptr;
  tk::TNotifyEvent OnClick;
  TValueEvent OnValue;
};

class TFuzzPanel : public TFuzzControl {
public:
  using TFuzzControl::TFuzzControl;
  std::string_view ClassName() const override { return "TFuzzPanel"; }
};

class TFuzzForm : public TComponent {
public:
  TFuzzForm() : TComponent(nullptr) {
    PublishMethod("Click", tk::TNotifyEvent(this, &TFuzzForm::Click));
    PublishMethod("Value", TValueEvent(this, &TFuzzForm::Value));
  }
  std::string_view ClassName() const override { return "TFuzzForm"; }
  bool SetPublishedProperty(std::string_view Name, const TLayoutValue& V,
                            tk::TLayoutBinder& B) override {
    if (!SetTestProperty(Name, V, B, OnCreate, OnValue) &&
        !TComponent::SetPublishedProperty(Name, V, B))
      return false;
    Received.emplace_back(std::string(Name), V);
    return true;
  }
  void BindPublishedField(std::string_view Field, TComponent* C) override {
    Fields.emplace_back(std::string(Field), C);
  }
  void Loaded() override {
    TComponent::Loaded();
    GLoaded.push_back(this);
  }
  void Click(tk::TObject*) { ++Clicks; }
  void Value(tk::TObject*, int& V) { V = 7; }

  std::vector<std::pair<std::string, TLayoutValue>> Received;
  std::vector<std::pair<std::string, TComponent*>> Fields;
  tk::TNotifyEvent OnCreate;
  TValueEvent OnValue;
  int Clicks = 0;
};

bool SameProperties(const std::vector<std::pair<std::string, TLayoutValue>>& Got,
                    const TLayoutObject& O) {
  if (Got.size() != O.Properties.size()) return false;
  for (std::size_t I = 0; I < Got.size(); ++I)
    if (Got[I].first != O.Properties[I].first ||
        !SameValue(Got[I].second, O.Properties[I].second) ||
        Got[I].second.Line != O.Properties[I].second.Line)
      return false;
  return true;
}

// The name a component ends with: its object's, unless a Name property renamed it.
std::string FinalName(const TLayoutObject& O) {
  std::string Name = O.Name;
  for (const auto& [Prop, Value] : O.Properties)
    if (Prop == "Name" && Value.Kind == TLayoutValue::TKind::String) Name = Value.Text;
  return Name;
}

// Walks the tree in text order alongside the components in creation order.
struct TTreeCheck {
  explicit TTreeCheck(TFuzzForm& AForm) : Form(AForm) {}

  TFuzzForm& Form;
  std::size_t Next = 0;
  int Clicks = 0;
  std::vector<TComponent*> ExpectedLoads;
  std::vector<std::pair<std::string, TComponent*>> ExpectedFields;

  void Children(const TLayoutObject& O, TComponent* Enclosing) {
    for (const TLayoutObject& Child : O.Children) {
      Require(Next < GCreated.size(), "one component per nested object");
      auto* C = dynamic_cast<TFuzzControl*>(GCreated[Next++]);
      Require(C && C->ClassName() == Child.ClassName, "component of the object's class");
      Require(C->Owner() == &Form, "owned by the root");
      Require(C->Parent == Enclosing, "placed in the enclosing component");
      Require(C->Name() == FinalName(Child), "named as in the text");
      Require(C->Name().empty() || Form.FindComponent(C->Name()) != nullptr, "found by name");
      Require(SameProperties(C->Received, Child), "every property set, in order");
      ExpectedFields.emplace_back(Child.Name, C);
      Children(Child, C);
      ExpectedLoads.push_back(C);
      if (C->OnClick) {
        C->OnClick(C);
        ++Clicks;
      }
      int V = 0;
      if (C->OnValue) C->OnValue(C, V);
      Require(!C->OnValue || V == 7, "OnValue bound to the form's handler");
    }
  }
};

void CheckMessage(const char* Message, std::string_view Text) {
  std::string_view M(Message);
  Require(M.substr(0, kResource.size()) == kResource && M.size() > kResource.size() + 1 &&
              M[kResource.size()] == '(',
          "message starts with the resource name");
  std::size_t Pos = kResource.size() + 1;
  long Line = 0;
  while (Pos < M.size() && M[Pos] >= '0' && M[Pos] <= '9' && Line < 1000000000)
    Line = Line * 10 + (M[Pos++] - '0');
  Require(M.substr(Pos, 3) == "): " && M.size() > Pos + 3, "then (LINE): and a text");
  long Lines = 1;
  for (std::size_t I = 0; I < Text.size(); ++I)
    if (Text[I] == '\n' || (Text[I] == '\r' && (I + 1 == Text.size() || Text[I + 1] != '\n')))
      ++Lines;
  Require(Line >= 1 && Line <= Lines, "the line is one of the text's");
}

void CheckRead(TFuzzForm& Form, const TLayoutObject& Tree) {
  Require(Form.Name() == FinalName(Tree), "root named as in the text");
  Require(SameProperties(Form.Received, Tree), "every root property set");
  TTreeCheck Check(Form);
  Check.Children(Tree, &Form);
  Check.ExpectedLoads.push_back(&Form);
  if (Form.OnCreate) {
    Form.OnCreate(&Form);
    ++Check.Clicks;
  }
  Require(Check.Next == GCreated.size(), "no component beyond the text's objects");
  Require(Form.ComponentCount() == static_cast<int>(GCreated.size()), "the root owns them all");
  Require(GLoaded == Check.ExpectedLoads, "Loaded once each, nested first, root last");
  Require(Form.Fields == Check.ExpectedFields, "each component bound to the root's field");
  Require(Form.Clicks == Check.Clicks, "OnClick bound to the form's handler");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  tk::RegisterComponentClass<TFuzzControl>("TFuzzControl");
  tk::RegisterComponentClass<TFuzzPanel>("TFuzzPanel");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  std::string_view Text(reinterpret_cast<const char*>(Data), Size);

  std::optional<TLayoutObject> Tree;
  std::string ParseError;
  try {
    Tree = tk::ParseLayout(kResource, Text);
  } catch (const tk::ELayoutError& E) {
    CheckMessage(E.what(), Text);
    ParseError = E.what();
  }
  if (Tree) {
    std::string Written;
    WriteObject(Written, *Tree, "");
    Require(SameTree(*Tree, tk::ParseLayout(kResource, Written)), "a written tree reads back");
  }

  GLoaded.clear();
  {
    TFuzzForm Form;
    try {
      tk::ReadComponentLayout(Form, kResource, Text);
      Require(Tree.has_value(), "only a parsed text is read");
      CheckRead(Form, *Tree);
    } catch (const tk::ELayoutError& E) {
      CheckMessage(E.what(), Text);
      Require(Tree || ParseError == E.what(), "the reader reports the parser's error");
      Require(GLoaded.empty(), "no Loaded after a fault");
      Require(Form.ComponentCount() == static_cast<int>(GCreated.size()),
              "what was created is owned by the root");
    }
  }
  Require(GCreated.empty(), "everything freed with the root");
  return 0;
}
