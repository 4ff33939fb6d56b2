// A form holding a TQuillet set up like the demo's grid (editing, the editor
// always shown, styles by column, a pick list of month names, an ellipsis
// handler), with every event of the grid counted. Header only: it needs the
// component library, which the toolkit's own tests do not link.
#pragma once

#include "support/WinTest.h"

#include "components/QuilletGrid.h"
#include "components/QuilletInplaceEdit.h"
#include "components/QuilletPopupListbox.h"
#include "toolkit/win/Form.h"
#include "toolkit/win/SysLocale.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace wintest {

// Columns of the test grid (column 0 is fixed).
enum QuilletColumn : int {
  kSimpleCol = 1,
  kEllipsisCol = 2,
  kPickCol = 3,
  kReadOnlyPickCol = 4,
  kReadOnlyEllipsisCol = 5,
  kEmptyPickCol = 6,
  kColumns = 7
};
inline constexpr int kRows = 5; // row 0 is fixed

inline const std::array<const char*, 12> kMonths = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

struct MonthTag : tk::TObject {
  int Month = 0;
};

class QuilletTestForm : public ::testing::Test {
protected:
  void SetUp() override {
    SavedLocale = tk::SysLocale();
    for (int I = 0; I < 12; ++I)
      Tags[I].Month = I + 1;
    Form = std::make_unique<tk::TForm>(nullptr);
    Form->SetBounds(60, 60, 620, 260);
    Grid = new quillet::TQuillet(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetBounds(8, 8, 590, 150);
    Grid->SetColCount(kColumns);
    Grid->SetRowCount(kRows);
    Grid->SetDefaultRowHeight(16);
    Grid->SetOptions(Grid->Options() | tk::goEditing | tk::goAlwaysShowEditor);
    Grid->SetOnGetEditStyle(quillet::TGetEditStyleEvent(
        [this](tk::TObject*, int ACol, int, quillet::TEditStyle& Style, bool& ReadOnly) {
          ++StyleRequests;
          switch (ACol) {
          case kEllipsisCol:
            Style = quillet::esEllipsis;
            break;
          case kReadOnlyEllipsisCol:
            Style = quillet::esEllipsis;
            ReadOnly = true;
            break;
          case kPickCol:
          case kEmptyPickCol:
            Style = quillet::esPickList;
            break;
          case kReadOnlyPickCol:
            Style = quillet::esPickList;
            ReadOnly = true;
            break;
          default:
            break;
          }
        }));
    Grid->SetOnGetDropDownList(quillet::TGetDropDownListEvent(
        [this](tk::TObject* Sender, int ACol, int, tk::TStrings* Items) {
          ++ListRequests;
          EXPECT_EQ(Sender, Grid);
          if (ACol == kEmptyPickCol) return;
          for (int I = 0; I < static_cast<int>(PickItems.size()); ++I)
            Items->AddObject(PickItems[I], &Tags[I % 12]);
        }));
    Grid->SetOnEditButtonClick(tk::TNotifyEvent([this](tk::TObject* Sender) {
      EXPECT_EQ(Sender, Grid);
      ++ButtonClicks;
      // The click comes after the tracking has ended.
      ClickWhileTracking = Editor()->ButtonTracking() || Editor()->ButtonDown() ||
                           GetCapture() == Editor()->WindowHandle();
    }));
    Grid->SetOnCloseUp(tk::TNotifyEvent([this](tk::TObject* Sender) {
      EXPECT_EQ(Sender, Grid);
      ++CloseUps;
      CloseUpText = Grid->Cells(Grid->Col(), Grid->Row());
    }));
    Grid->OnDblClick = tk::TNotifyEvent([this](tk::TObject*) { ++GridDblClicks; });
  }

  void TearDown() override {
    Form.reset();
    tk::SysLocale() = SavedLocale;
    Pump(0);
  }

  // Shows the form with the editor on the given cell.
  void ShowAt(int ACol, int ARow) {
    Form->Show();
    Grid->SetFocus();
    Pump(10);
    MoveTo(ACol, ARow);
  }
  void MoveTo(int ACol, int ARow) {
    Grid->FocusCell(ACol, ARow);
    Pump(10);
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

  // A point of the editor's button, and one of its text area.
  POINT ButtonPoint() const {
    RECT R = Editor()->GetButtonRect();
    return {(R.left + R.right) / 2, (R.top + R.bottom) / 2};
  }
  POINT TextPoint() const {
    RECT R = Editor()->GetButtonRect();
    int X = R.left == 0 ? Editor()->Width() - 6 : 6;
    return {X, (R.top + R.bottom) / 2};
  }

  // The list's client point of item Index.
  POINT ItemPoint(int Index) const {
    RECT R{};
    SendMessageA(ListWnd(), LB_GETITEMRECT, static_cast<WPARAM>(Index),
                 reinterpret_cast<LPARAM>(&R));
    return {(R.left + R.right) / 2, (R.top + R.bottom) / 2};
  }

  // Opens the pick list of the current cell with the arrow button.
  void PressArrow() {
    POINT P = ButtonPoint();
    SendMouseDown(EditWnd(), P.x, P.y);
    SendMouseUp(EditWnd(), P.x, P.y);
  }

  std::unique_ptr<tk::TForm> Form;
  quillet::TQuillet* Grid = nullptr;
  std::vector<std::string> PickItems{kMonths.begin(), kMonths.end()};
  std::array<MonthTag, 12> Tags;
  tk::TSysLocale SavedLocale{};
  int StyleRequests = 0;
  int ListRequests = 0;
  int ButtonClicks = 0;
  bool ClickWhileTracking = false;
  int CloseUps = 0;
  std::string CloseUpText;
  int GridDblClicks = 0;
};

} // namespace wintest
