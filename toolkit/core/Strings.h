// Lists of strings, each with an optional object. TStrings builds everything on
// a few primitives, so a list whose items live elsewhere (in a list box
// window, say) only overrides those; TStringList keeps them in memory.
#pragma once

#include "toolkit/core/Events.h"
#include "toolkit/core/Exceptions.h"
#include "toolkit/core/Object.h"

#include <string>
#include <string_view>
#include <vector>

namespace tk {

// An index outside the list.
class EStringListError : public Exception {
public:
  using Exception::Exception;
};

class TStrings : public TObject {
public:
  std::string_view ClassName() const override { return "TStrings"; }

  // The primitives. A subclass that changes its items calls Changed()
  // afterwards, which raises OnChange unless an update is under way.
  virtual int GetCount() const = 0;
  virtual std::string Get(int Index) const = 0;
  virtual TObject* GetObjectAt(int Index) const = 0;
  virtual void Put(int Index, const std::string& S) = 0;
  virtual void PutObjectAt(int Index, TObject* AObject) = 0;
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;

  int Count() const { return GetCount(); }
  std::string Strings(int Index) const { return Get(Index); }
  TObject* Objects(int Index) const { return GetObjectAt(Index); }

  // Appends; the result is the new item's index.
  int Add(const std::string& S) { return AddObject(S, nullptr); }
  virtual int AddObject(const std::string& S, TObject* AObject);
  // Index may be Count, which appends.
  void Insert(int Index, const std::string& S) { InsertItem(Index, S, nullptr); }
  void InsertObject(int Index, const std::string& S, TObject* AObject) {
    InsertItem(Index, S, AObject);
  }

  // First item equal to S ignoring ASCII case, or -1.
  virtual int IndexOf(std::string_view S) const;

  // The items joined by CR LF. SetText replaces them by the lines of Value,
  // split at CR LF, LF or a lone CR; an empty Value gives no items.
  virtual std::string Text() const;
  virtual void SetText(std::string_view Value);

  // Replaces the items by copies of Source's strings and objects.
  virtual void Assign(const TStrings& Source);

  // Changes between BeginUpdate and the matching EndUpdate raise OnChange
  // once, at the end.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  TNotifyEvent OnChange;

protected:
  virtual void InsertItem(int Index, const std::string& S, TObject* AObject) = 0;
  // Called when the first BeginUpdate starts and the last EndUpdate ends an
  // update, e.g. to stop a window redrawing in between.
  virtual void SetUpdateState(bool Updating);
  void Changed();
  [[noreturn]] static void IndexError(int Index);

private:
  int FUpdateCount = 0;
  bool FChangedWhileUpdating = false;
};

// Strings kept in memory in the order added. The objects are not owned.
class TStringList : public TStrings {
public:
  std::string_view ClassName() const override { return "TStringList"; }

  int GetCount() const override { return static_cast<int>(FItems.size()); }
  std::string Get(int Index) const override;
  TObject* GetObjectAt(int Index) const override;
  void Put(int Index, const std::string& S) override;
  void PutObjectAt(int Index, TObject* AObject) override;
  void Delete(int Index) override;
  void Clear() override;

protected:
  void InsertItem(int Index, const std::string& S, TObject* AObject) override;

private:
  struct TItem {
    std::string S;
    TObject* Object;
  };
  TItem& At(int Index);
  const TItem& At(int Index) const;

  std::vector<TItem> FItems;
};

} // namespace tk
