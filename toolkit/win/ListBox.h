// List boxes over the system LISTBOX class: strings with objects, single
// selection, standard drawing, unsorted.
#pragma once

#include "toolkit/core/Strings.h"
#include "toolkit/win/Graphics.h"
#include "toolkit/win/WinControl.h"

#include <memory>

namespace tk {

class TCustomListBox : public TWinControl {
public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;
  std::string_view ClassName() const override { return "TCustomListBox"; }

  // The items: kept by the window while there is one, in memory otherwise
  // (and across a re-creation of the window, objects included). IndexOf is
  // the window's exact search from the first item, ignoring case.
  TStrings& Items();
  const TStrings& Items() const;

  // -1 when nothing is selected. Setting another value selects that item
  // and scrolls it into view; setting the current value does nothing.
  int ItemIndex() const;
  void SetItemIndex(int Value);

  // The stored value while there is no window; with one, the height of the
  // first row as the window lays it out in its current font.
  int ItemHeight() const;
  void SetItemHeight(int Value) { FItemHeight = Value; }
  // Whether the window's height snaps to whole rows.
  bool IntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool Value);

  // A canvas for measuring: it keeps its own default font, not the list's.
  TCanvas& Canvas() { return FCanvas; }

  bool SetPublishedProperty(std::string_view Name, const TLayoutValue& Value,
                            TLayoutBinder& Binder) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;
  // The right-to-left extended styles for this control's bidirectional mode.
  void AddBiDiModeExStyle(DWORD& ExStyle) const;

private:
  class TListBoxStrings;
  friend class TListBoxStrings;
  void SaveItems();

  std::unique_ptr<TListBoxStrings> FItems;
  // Items (and the selection) while the list has no window.
  std::unique_ptr<TStringList> FSaved;
  int FSavedIndex = -1;
  int FItemHeight = 16;
  bool FIntegralHeight = false;
  TCanvas FCanvas;
};

class TListBox : public TCustomListBox {
public:
  using TCustomListBox::TCustomListBox;
  std::string_view ClassName() const override { return "TListBox"; }
};

} // namespace tk
