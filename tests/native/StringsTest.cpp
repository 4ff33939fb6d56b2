#include "toolkit/core/Strings.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace {

using tk::EStringListError;
using tk::TObject;
using tk::TStringList;
using tk::TStrings;

std::vector<std::string> Items(const TStrings& S) {
  std::vector<std::string> Result;
  for (int I = 0; I < S.Count(); ++I)
    Result.push_back(S.Strings(I));
  return Result;
}

// Counts OnChange of a list.
struct TChangeCounter {
  explicit TChangeCounter(TStrings& S) {
    S.OnChange = [this, &S](TObject* Sender) {
      ++Count;
      SenderWasList = Sender == &S;
    };
  }
  int Count = 0;
  bool SenderWasList = false;
};

TEST(Strings, AddsInsertsReplacesAndDeletesWithTheirObjects) {
  TObject A, B, C;
  TStringList L;
  EXPECT_EQ(L.Add("one"), 0);
  EXPECT_EQ(L.AddObject("three", &C), 1);
  L.InsertObject(1, "two", &B);
  L.Insert(0, "zero");
  L.Insert(L.Count(), "four");
  EXPECT_EQ(Items(L), (std::vector<std::string>{"zero", "one", "two", "three", "four"}));
  EXPECT_EQ(L.Objects(0), nullptr);
  EXPECT_EQ(L.Objects(2), &B);
  EXPECT_EQ(L.Objects(3), &C);

  L.Put(1, "ONE");
  L.PutObjectAt(1, &A);
  L.Delete(2);
  L.Delete(0);
  EXPECT_EQ(Items(L), (std::vector<std::string>{"ONE", "three", "four"}));
  EXPECT_EQ(L.Objects(0), &A);
  EXPECT_EQ(L.Objects(1), &C);
  EXPECT_EQ(L.Get(2), "four");

  L.Clear();
  EXPECT_EQ(L.Count(), 0);
}

TEST(Strings, RejectsIndicesOutsideTheList) {
  TStringList L;
  L.Add("a");
  L.Add("b");
  const std::vector<std::pair<const char*, std::function<void()>>> Cases = {
      {"Get(-1)", [&] { L.Get(-1); }},
      {"Get(Count)", [&] { L.Get(2); }},
      {"Objects(Count)", [&] { L.Objects(2); }},
      {"Put(Count)", [&] { L.Put(2, "x"); }},
      {"PutObjectAt(-1)", [&] { L.PutObjectAt(-1, nullptr); }},
      {"Delete(Count)", [&] { L.Delete(2); }},
      {"Insert(Count + 1)", [&] { L.Insert(3, "x"); }},
      {"Insert(-1)", [&] { L.Insert(-1, "x"); }},
  };
  for (const auto& [Name, Call] : Cases) {
    SCOPED_TRACE(Name);
    EXPECT_THROW(Call(), EStringListError);
    EXPECT_EQ(Items(L), (std::vector<std::string>{"a", "b"}));
  }
}

TEST(Strings, IndexOfIgnoresAsciiCaseOnly) {
  TStringList L;
  L.SetText("Alpha\nbeta\nBETA\n\xC3\x84rger\n");
  struct TCase {
    std::string Find;
    int Index;
  };
  const TCase Cases[] = {
      {"alpha", 0},        {"ALPHA", 0},
      {"Beta", 1},                               // the first of equal items
      {"\xC3\x84RGER", 3}, {"\xC3\xA4rger", -1}, // only ASCII letters fold
      {"alph", -1},        {"", 4},              // the empty last line
      {"gamma", -1},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Find);
    EXPECT_EQ(L.IndexOf(C.Find), C.Index);
  }
}

TEST(Strings, TextJoinsWithCrLfAndSetTextSplitsAtAnyLineBreak) {
  struct TCase {
    std::string Text;
    std::vector<std::string> Lines;
    std::string Joined;
  };
  const TCase Cases[] = {
      {"", {}, ""},
      {"one", {"one"}, "one"},
      {"one\r\ntwo", {"one", "two"}, "one\r\ntwo"},
      {"one\ntwo\rthree", {"one", "two", "three"}, "one\r\ntwo\r\nthree"},
      {"one\r\n", {"one", ""}, "one\r\n"},
      {"\r\n\r\n", {"", "", ""}, "\r\n\r\n"},
      {"a\n\rb", {"a", "", "b"}, "a\r\n\r\nb"}, // LF CR is two breaks, not one
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Text);
    TStringList L;
    L.Add("old");
    L.SetText(C.Text);
    EXPECT_EQ(Items(L), C.Lines);
    EXPECT_EQ(L.Text(), C.Joined);
  }
}

TEST(Strings, AssignCopiesStringsAndObjectsWithoutOwningThem) {
  TObject A;
  TStringList Source, Target;
  Source.AddObject("x", &A);
  Source.Add("y");
  Target.Add("old");
  TChangeCounter Changes(Target);
  Target.Assign(Source);
  EXPECT_EQ(Items(Target), (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(Target.Objects(0), &A);
  EXPECT_EQ(Changes.Count, 1);
  Target.Assign(Target);
  EXPECT_EQ(Items(Target), (std::vector<std::string>{"x", "y"}));
  Source.Clear(); // the copy is independent of its source
  EXPECT_EQ(Target.Count(), 2);
}

TEST(Strings, OnChangeFiresOncePerChangeOrOncePerUpdate) {
  struct TCase {
    const char* Name;
    std::function<void(TStringList&)> Change;
    int Changes;
  };
  const TCase Cases[] = {
      {"Add", [](TStringList& L) { L.Add("c"); }, 1},
      {"Insert", [](TStringList& L) { L.Insert(0, "c"); }, 1},
      {"Put", [](TStringList& L) { L.Put(0, "c"); }, 1},
      {"PutObjectAt", [](TStringList& L) { L.PutObjectAt(0, nullptr); }, 1},
      {"Delete", [](TStringList& L) { L.Delete(0); }, 1},
      {"Clear", [](TStringList& L) { L.Clear(); }, 1},
      {"Clear of an empty list",
       [](TStringList& L) {
         L.Clear();
         L.Clear();
       },
       1},
      {"SetText", [](TStringList& L) { L.SetText("1\n2\n3"); }, 1},
      {"nested update",
       [](TStringList& L) {
         L.BeginUpdate();
         L.Add("c");
         L.BeginUpdate();
         L.Delete(0);
         L.EndUpdate();
         L.Add("d");
         L.EndUpdate();
       },
       1},
      {"update without change",
       [](TStringList& L) {
         L.BeginUpdate();
         L.EndUpdate();
       },
       0},
      {"failed change", [](TStringList& L) { EXPECT_THROW(L.Delete(5), EStringListError); }, 0},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TStringList L;
    L.Add("a");
    L.Add("b");
    TChangeCounter Changes(L);
    C.Change(L);
    EXPECT_EQ(Changes.Count, C.Changes);
    EXPECT_EQ(L.UpdateCount(), 0);
    if (C.Changes > 0) {
      EXPECT_TRUE(Changes.SenderWasList);
    }
  }
}

// Items kept elsewhere, as a list box window keeps them: only the primitives
// are written, and the update state is what a window would stop redrawing on.
class TStoreStrings : public TStrings {
public:
  int GetCount() const override { return static_cast<int>(Store.size()); }
  std::string Get(int Index) const override { return Store.at(Pos(Index)).first; }
  TObject* GetObjectAt(int Index) const override { return Store.at(Pos(Index)).second; }
  void Put(int Index, const std::string& S) override { Store.at(Pos(Index)).first = S; }
  void PutObjectAt(int Index, TObject* O) override { Store.at(Pos(Index)).second = O; }
  void Delete(int Index) override { Store.erase(Store.begin() + Index); }
  void Clear() override { Store.clear(); }

  std::deque<std::pair<std::string, TObject*>> Store;
  std::vector<bool> UpdateStates;

protected:
  void InsertItem(int Index, const std::string& S, TObject* O) override {
    Store.insert(Store.begin() + Index, {S, O});
  }
  void SetUpdateState(bool Updating) override { UpdateStates.push_back(Updating); }

private:
  static std::size_t Pos(int Index) { return static_cast<std::size_t>(Index); }
};

TEST(Strings, ASubclassGetsEverythingFromThePrimitives) {
  TObject A;
  TStringList Source;
  Source.AddObject("Jan", &A);
  Source.Add("Feb");
  TStoreStrings S;
  S.Add("gone");
  S.Assign(Source);
  EXPECT_EQ(S.Add("Mar"), 2);
  EXPECT_EQ(S.Text(), "Jan\r\nFeb\r\nMar");
  EXPECT_EQ(S.IndexOf("MAR"), 2);
  EXPECT_EQ(S.Objects(0), &A);
  EXPECT_EQ(S.UpdateStates, (std::vector<bool>{true, false}));

  S.BeginUpdate();
  S.BeginUpdate();
  S.SetText("x\ny");
  S.EndUpdate();
  S.EndUpdate();
  EXPECT_EQ(S.UpdateStates, (std::vector<bool>{true, false, true, false}));
  EXPECT_EQ(Items(S), (std::vector<std::string>{"x", "y"}));
}

} // namespace
