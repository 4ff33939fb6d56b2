#include "toolkit/core/Strings.h"

namespace tk {

namespace {

char LowerAscii(char C) {
  return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C;
}

bool SameTextAscii(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (std::size_t I = 0; I < A.size(); ++I)
    if (LowerAscii(A[I]) != LowerAscii(B[I])) return false;
  return true;
}

// Ends the update even when a primitive throws half way.
class TUpdateGuard {
public:
  explicit TUpdateGuard(TStrings& Strings) : FStrings(Strings) { FStrings.BeginUpdate(); }
  ~TUpdateGuard() { FStrings.EndUpdate(); }
  TUpdateGuard(const TUpdateGuard&) = delete;
  TUpdateGuard& operator=(const TUpdateGuard&) = delete;

private:
  TStrings& FStrings;
};

} // namespace

int TStrings::AddObject(const std::string& S, TObject* AObject) {
  int Index = GetCount();
  InsertItem(Index, S, AObject);
  return Index;
}

int TStrings::IndexOf(std::string_view S) const {
  int N = GetCount();
  for (int I = 0; I < N; ++I)
    if (SameTextAscii(Get(I), S)) return I;
  return -1;
}

std::string TStrings::Text() const {
  std::string Result;
  int N = GetCount();
  for (int I = 0; I < N; ++I) {
    if (I > 0) Result += "\r\n";
    Result += Get(I);
  }
  return Result;
}

void TStrings::SetText(std::string_view Value) {
  TUpdateGuard Update(*this);
  Clear();
  if (Value.empty()) return;
  std::size_t Start = 0;
  for (std::size_t I = 0; I < Value.size(); ++I) {
    if (Value[I] != '\r' && Value[I] != '\n') continue;
    Add(std::string(Value.substr(Start, I - Start)));
    if (Value[I] == '\r' && I + 1 < Value.size() && Value[I + 1] == '\n') ++I;
    Start = I + 1;
  }
  Add(std::string(Value.substr(Start)));
}

void TStrings::Assign(const TStrings& Source) {
  if (&Source == this) return;
  TUpdateGuard Update(*this);
  Clear();
  int N = Source.GetCount();
  for (int I = 0; I < N; ++I)
    AddObject(Source.Get(I), Source.GetObjectAt(I));
}

void TStrings::BeginUpdate() {
  if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) return; // unmatched: nothing to end
  if (--FUpdateCount > 0) return;
  SetUpdateState(false);
  if (FChangedWhileUpdating) {
    FChangedWhileUpdating = false;
    if (OnChange) OnChange(this);
  }
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Changed() {
  if (FUpdateCount > 0)
    FChangedWhileUpdating = true;
  else if (OnChange)
    OnChange(this);
}

void TStrings::IndexError(int Index) {
  throw EStringListError("list index out of bounds (" + std::to_string(Index) + ")");
}

TStringList::TItem& TStringList::At(int Index) {
  if (Index < 0 || Index >= GetCount()) IndexError(Index);
  return FItems[static_cast<std::size_t>(Index)];
}

const TStringList::TItem& TStringList::At(int Index) const {
  if (Index < 0 || Index >= GetCount()) IndexError(Index);
  return FItems[static_cast<std::size_t>(Index)];
}

std::string TStringList::Get(int Index) const {
  return At(Index).S;
}

TObject* TStringList::GetObjectAt(int Index) const {
  return At(Index).Object;
}

void TStringList::Put(int Index, const std::string& S) {
  At(Index).S = S;
  Changed();
}

void TStringList::PutObjectAt(int Index, TObject* AObject) {
  At(Index).Object = AObject;
  Changed();
}

void TStringList::Delete(int Index) {
  if (Index < 0 || Index >= GetCount()) IndexError(Index);
  FItems.erase(FItems.begin() + Index);
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed();
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* AObject) {
  if (Index < 0 || Index > GetCount()) IndexError(Index);
  FItems.insert(FItems.begin() + Index, TItem{S, AObject});
  Changed();
}

} // namespace tk
