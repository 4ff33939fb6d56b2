// A form set up like the demo's: a TQuillet whose columns show every editor
// style and format kind, a memo that can take the focus, and a second
// top-level window to move the focus to. The ellipsis handler writes the
// cell instead of opening a dialog, and exceptions that reach the
// application are recorded instead of shown. Header only: it needs the
// component library, which the toolkit's own tests do not link.
#pragma once

#include "support/WinTest.h"

#include "components/QuilletGrid.h"
#include "components/QuilletInplaceEdit.h"
#include "components/QuilletPopupListbox.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Form.h"
#include "toolkit/win/LocaleSettings.h"
#include "toolkit/win/Memo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace wintest {

// The demo's columns; row 0 holds the headers, there is no fixed column.
enum KindsColumn : int {
  kPlainCol,
  kEllipsisCol, // read-only
  kPickCol,     // read-only, the long month names
  kDateCol,
  kIntegerCol,
  kFloatCol,
  kCurrencyCol,
  kKindsColumns
};

inline quillet::TFormatKind KindOfColumn(int ACol) {
  switch (ACol) {
  case kDateCol:
    return quillet::fkDate;
  case kIntegerCol:
    return quillet::fkInteger;
  case kFloatCol:
    return quillet::fkFloat;
  case kCurrencyCol:
    return quillet::fkCurrency;
  default:
    return quillet::fkNone;
  }
}

// Why Text may not stand in a cell of the given kind, or empty when it may.
// A cell never visited is empty, which every kind allows.
inline std::string CellRuleViolation(quillet::TFormatKind Kind, const std::string& Text,
                                     const quillet::TFormatSettings& Settings,
                                     quillet::TDate Today) {
  if (Text.empty()) return {};
  bool Ok = true;
  switch (Kind) {
  case quillet::fkInteger:
    Ok = quillet::ParseIntegerText(Text).has_value();
    break;
  case quillet::fkFloat:
    Ok = quillet::ParseFloatText(Text, Settings.DecimalSeparator).has_value();
    break;
  case quillet::fkCurrency:
    Ok = quillet::NormalizeEditText(quillet::fkCurrency, Text, Settings, Today) == Text;
    break;
  case quillet::fkDate:
    Ok = quillet::ParseDateText(Text, Settings, Today.Year).has_value();
    break;
  default:
    break;
  }
  if (Ok) return {};
  return "'" + Text.substr(0, 80) + (Text.size() > 80 ? "...'" : "'") + " (" +
         std::to_string(Text.size()) + " characters) breaks the rule of kind " +
         std::to_string(static_cast<int>(Kind));
}

// Puts Text on the clipboard as CF_TEXT; false when the clipboard is busy.
inline bool SetClipboardText(HWND Owner, std::string_view Text) {
  if (!OpenClipboard(Owner)) return false;
  EmptyClipboard();
  bool Done = false;
  if (HGLOBAL Mem = GlobalAlloc(GMEM_MOVEABLE, Text.size() + 1)) {
    auto* Data = static_cast<char*>(GlobalLock(Mem));
    std::memcpy(Data, Text.data(), Text.size());
    Data[Text.size()] = 0;
    GlobalUnlock(Mem);
    Done = SetClipboardData(CF_TEXT, Mem) != nullptr;
    if (!Done) GlobalFree(Mem);
  }
  CloseClipboard();
  return Done;
}

class QuilletKindsForm : public ::testing::Test {
protected:
  void SetUp() override {
    Settings = tk::CurrentFormatSettings();
    PickItems.assign(Settings.LongMonthNames.begin(), Settings.LongMonthNames.end());
    tk::Application->OnException = tk::TExceptionEvent(
        [this](tk::TObject*, const std::exception& E) { Errors.push_back(E.what()); });

    Form = std::make_unique<tk::TForm>(nullptr);
    Form->SetCaption("Kinds");
    Form->SetBounds(40, 40, 540, 300);
    Grid = new quillet::TQuillet(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetBounds(8, 8, 510, 140);
    Grid->SetColCount(kKindsColumns);
    Grid->SetRowCount(kRows);
    Grid->SetFixedCols(0);
    Grid->SetDefaultRowHeight(16);
    Grid->SetOptions(tk::goFixedVertLine | tk::goFixedHorzLine | tk::goVertLine | tk::goHorzLine |
                     tk::goRangeSelect | tk::goEditing | tk::goAlwaysShowEditor);
    Grid->SetOnGetEditStyle(quillet::TGetEditStyleEvent(
        [](tk::TObject*, int ACol, int, quillet::TEditStyle& Style, bool& ReadOnly) {
          if (ACol == kEllipsisCol) Style = quillet::esEllipsis;
          if (ACol == kPickCol) Style = quillet::esPickList;
          ReadOnly = ACol == kEllipsisCol || ACol == kPickCol;
        }));
    Grid->SetOnGetFormatKind(
        quillet::TGetFormatKindEvent([](tk::TObject*, int ACol, int, quillet::TFormatKind& Kind) {
          Kind = KindOfColumn(ACol);
        }));
    Grid->SetOnGetDropDownList(
        quillet::TGetDropDownListEvent([this](tk::TObject*, int ACol, int, tk::TStrings* Items) {
          if (ACol != kPickCol) return;
          Items->BeginUpdate();
          for (const std::string& Item : PickItems)
            Items->Add(Item);
          Items->EndUpdate();
        }));
    // Where the demo asks in a dialog, the answer alternates.
    Grid->SetOnEditButtonClick(tk::TNotifyEvent([this](tk::TObject*) {
      ++ButtonClicks;
      Grid->SetCells(Grid->Col(), Grid->Row(), ButtonClicks % 2 ? "OK" : "Cancel");
    }));
    Grid->SetOnCloseUp(tk::TNotifyEvent([this](tk::TObject*) { ++CloseUps; }));

    Memo = new tk::TMemo(Form.get());
    Memo->SetParent(Form.get());
    Memo->SetBounds(8, 156, 510, 100);

    Other = std::make_unique<tk::TForm>(nullptr);
    Other->SetCaption("Other");
    Other->SetBounds(620, 40, 300, 200);
    OtherMemo = new tk::TMemo(Other.get());
    OtherMemo->SetParent(Other.get());
    OtherMemo->SetBounds(8, 8, 270, 140);
  }

  void TearDown() override {
    Other.reset();
    Form.reset();
    Pump(0);
    tk::Application->OnException = tk::TExceptionEvent();
  }

  // Shows the form with the editor on the given cell.
  void ShowAt(int ACol, int ARow) {
    Form->Show();
    Activate(Form->WindowHandle());
    Grid->SetFocus();
    Pump(10);
    MoveTo(ACol, ARow);
  }
  void MoveTo(int ACol, int ARow) {
    Grid->FocusCell(ACol, ARow);
    Pump(0);
    ASSERT_NE(Editor(), nullptr);
    ASSERT_EQ(Grid->Col(), ACol);
    ASSERT_EQ(Grid->Row(), ARow);
  }

  quillet::TQuilletInplaceEdit* Editor() const {
    return static_cast<quillet::TQuilletInplaceEdit*>(Grid->InplaceEditor());
  }
  HWND EditWnd() const { return Editor()->WindowHandle(); }
  quillet::TQuilletPopupListbox* List() const { return Editor()->PopupList(); }
  HWND ListWnd() const { return List()->WindowHandle(); }
  bool ListShown() const { return List() && ListWnd() && IsWindowVisible(ListWnd()); }

  // A client point of the editor's button.
  POINT ButtonPoint() const {
    RECT R = Editor()->GetButtonRect();
    return {(R.left + R.right) / 2, (R.top + R.bottom) / 2};
  }
  // Opens the pick list of the current cell with the arrow button.
  void PressArrow() {
    POINT P = ButtonPoint();
    SendMouseDown(EditWnd(), P.x, P.y);
    SendMouseUp(EditWnd(), P.x, P.y);
  }

  // The first cell of a formatted column whose text its rule refuses, in
  // rows [FromRow, ToRow); empty when there is none.
  std::string BadCell(int FromRow, int ToRow) const {
    const quillet::TDate Today = tk::LocalDate();
    for (int ACol : {kDateCol, kIntegerCol, kFloatCol, kCurrencyCol})
      for (int ARow = FromRow; ARow < ToRow; ++ARow) {
        std::string Why =
            CellRuleViolation(KindOfColumn(ACol), Grid->Cells(ACol, ARow), Settings, Today);
        if (!Why.empty())
          return "cell (" + std::to_string(ACol) + ", " + std::to_string(ARow) + "): " + Why;
      }
    return {};
  }

  static constexpr int kRows = 7; // row 0 holds the headers

  quillet::TFormatSettings Settings;
  std::unique_ptr<tk::TForm> Form;
  std::unique_ptr<tk::TForm> Other;
  quillet::TQuillet* Grid = nullptr;
  tk::TMemo* Memo = nullptr;
  tk::TMemo* OtherMemo = nullptr;
  std::vector<std::string> PickItems;
  std::vector<std::string> Errors;
  int ButtonClicks = 0;
  int CloseUps = 0;
};

} // namespace wintest
