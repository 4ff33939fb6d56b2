#include "toolkit/core/LayoutReader.h"

#include "toolkit/core/ClassRegistry.h"
#include "toolkit/core/Component.h"
#include "toolkit/core/LayoutBinder.h"
#include "toolkit/core/LayoutParser.h"

#include <string>
#include <vector>

namespace tk {

namespace {

std::string Quoted(std::string_view S) {
  return "'" + std::string(S) + "'";
}

class TReader {
public:
  TReader(TComponent& Root, std::string_view ResourceName)
      : FRoot(Root), FResource(ResourceName), FBinder(std::string(ResourceName), &Root) {}

  void Read(const TLayoutObject& Tree) {
    if (Tree.ClassName != FRoot.ClassName())
      Fail(Tree.Line, "the layout holds " + Quoted(Tree.Name) + " of class " +
                          Quoted(Tree.ClassName) + " but is read into a " +
                          Quoted(FRoot.ClassName()));
    FRoot.BeginLoading();
    FRoot.SetName(Tree.Name);
    ReadContents(FRoot, Tree);
    FLoadOrder.push_back(&FRoot);
    for (TComponent* Component : FLoadOrder)
      Component->Loaded();
  }

private:
  [[noreturn]] void Fail(int Line, const std::string& Message) const {
    ThrowLayoutError(FResource, Line, Message);
  }

  void ReadContents(TComponent& Component, const TLayoutObject& Obj) {
    for (const auto& [Name, Value] : Obj.Properties) {
      FBinder.SetCurrent(Name, Value.Line);
      if (!Component.SetPublishedProperty(Name, Value, FBinder))
        Fail(Value.Line, "component " + Quoted(Obj.Name) + " of class " + Quoted(Obj.ClassName) +
                             " has no property " + Quoted(Name));
    }
    for (const TLayoutObject& ChildObj : Obj.Children) {
      TComponent& Child = CreateChild(ChildObj, Component);
      ReadContents(Child, ChildObj);
      FLoadOrder.push_back(&Child);
    }
  }

  TComponent& CreateChild(const TLayoutObject& Obj, TComponent& Enclosing) {
    TComponentFactory Factory = FindComponentClass(Obj.ClassName);
    if (!Factory)
      Fail(Obj.Line,
           "class " + Quoted(Obj.ClassName) + " of component " + Quoted(Obj.Name) + " is unknown");
    if (FRoot.FindComponent(Obj.Name))
      Fail(Obj.Line, "a component named " + Quoted(Obj.Name) + " already exists");
    TComponent* Child = Factory(&FRoot);
    // A registration mistake, but reported like any other layout fault rather
    // than leaving a component nobody frees or one of the wrong class.
    if (!Child || Child->Owner() != &FRoot) {
      if (Child && !Child->Owner()) delete Child;
      Fail(Obj.Line, "class " + Quoted(Obj.ClassName) + " did not create a component owned by " +
                         Quoted(FRoot.Name()));
    }
    if (Child->ClassName() != Obj.ClassName)
      Fail(Obj.Line, "class " + Quoted(Obj.ClassName) + " is registered but creates a " +
                         Quoted(Child->ClassName()));
    Child->SetName(Obj.Name);
    Child->SetParentComponent(&Enclosing);
    FRoot.BindPublishedField(Obj.Name, Child);
    Child->BeginLoading();
    return *Child;
  }

  TComponent& FRoot;
  std::string_view FResource;
  TLayoutBinder FBinder;
  std::vector<TComponent*> FLoadOrder; // nested components before their encloser
};

} // namespace

void ReadComponentLayout(TComponent& Root, std::string_view ResourceName, std::string_view Text) {
  TLayoutObject Tree = ParseLayout(ResourceName, Text);
  TReader(Root, ResourceName).Read(Tree);
}

} // namespace tk
