// Where the input generator's pointer goes: a random point of a spot the
// user aims at (a cell, the editor, its button, the open list, a memo), in
// screen coordinates.
#pragma once

#include "support/MonkeyRandom.h"

#include "components/QuilletGrid.h"
#include "components/QuilletInplaceEdit.h"
#include "components/QuilletPopupListbox.h"
#include "toolkit/win/Form.h"
#include "toolkit/win/Memo.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace wintest {

// The windows of the form the generator drives.
struct MonkeyTargets {
  tk::TForm* Form;
  quillet::TQuillet* Grid;
  tk::TMemo* Memo;
  tk::TForm* Other;
  tk::TMemo* OtherMemo;
  quillet::TFormatSettings Settings;

  quillet::TQuilletInplaceEdit* Editor() const {
    return static_cast<quillet::TQuilletInplaceEdit*>(Grid->InplaceEditor());
  }
  HWND EditWnd() const { return Editor() ? Editor()->WindowHandle() : nullptr; }
  HWND ListWnd() const {
    return Editor() && Editor()->PopupList() ? Editor()->PopupList()->WindowHandle() : nullptr;
  }
};

inline bool Shown(HWND Wnd) {
  return Wnd && IsWindowVisible(Wnd);
}

class MonkeyAim {
public:
  MonkeyAim(MonkeyRandom& Random, const MonkeyTargets& Targets) : FRandom(Random), T(Targets) {}

  // A point the user aims at, and its description; false when none of the
  // tried spots is on screen.
  bool AimedPoint(POINT& P, std::string& Where) {
    for (int Try = 0; Try < 4; ++Try) {
      Spot S = AimedSpot();
      if (SpotPoint(S, P)) {
        Where = std::string(kSpotName[static_cast<int>(S)]) + " (" + std::to_string(P.x) + "," +
                std::to_string(P.y) + ")";
        return true;
      }
    }
    return false;
  }

private:
  enum class Spot { Cell, Editor, Button, ListClient, ListWindow, Memo, OtherMemo };
  static constexpr const char* kSpotName[] = {"cell",        "editor", "button",    "list",
                                              "list window", "memo",   "other memo"};

  static POINT Inside(HWND Wnd, RECT R, int X, int Y) {
    POINT P{R.left + X, R.top + Y};
    ClientToScreen(Wnd, &P);
    return P;
  }
  POINT RandomIn(HWND Wnd, RECT R) {
    int W = std::max(1L, R.right - R.left), H = std::max(1L, R.bottom - R.top);
    return Inside(Wnd, R, FRandom.Below(static_cast<int>(W)), FRandom.Below(static_cast<int>(H)));
  }
  // A screen point of the spot, or false when the spot is not on screen.
  bool SpotPoint(Spot S, POINT& P) {
    HWND Wnd = nullptr;
    RECT R{};
    switch (S) {
    case Spot::Cell: {
      // The ellipsis and pick-list columns get half of the clicks.
      int Col = FRandom.Chance(50) ? FRandom.Below(T.Grid->ColCount()) : 1 + FRandom.Below(2);
      int Row =
          FRandom.Chance(10) ? 0 : T.Grid->TopRow() + FRandom.Below(T.Grid->VisibleRowCount() + 1);
      R = T.Grid->CellRect(Col, Row);
      if (IsRectEmpty(&R)) return false;
      P = RandomIn(T.Grid->WindowHandle(), R);
      return true;
    }
    case Spot::Editor:
    case Spot::Button:
      if (!Shown(Wnd = T.EditWnd())) return false;
      if (S == Spot::Editor)
        GetClientRect(Wnd, &R);
      else
        R = T.Editor()->GetButtonRect();
      if (S == Spot::Button && FRandom.Chance(20)) InflateRect(&R, 1, 1); // its edges too
      P = RandomIn(Wnd, R);
      return true;
    case Spot::ListClient:
    case Spot::ListWindow:
      if (!Shown(Wnd = T.ListWnd())) return false;
      if (S == Spot::ListWindow) {
        GetWindowRect(Wnd, &R);
        P = {R.left + FRandom.Below(R.right - R.left), R.top + FRandom.Below(R.bottom - R.top)};
        return true;
      }
      GetClientRect(Wnd, &R);
      P = RandomIn(Wnd, R);
      if (FRandom.Chance(15))
        P = Inside(Wnd, R, FRandom.Chance(50) ? -1 : R.right, FRandom.Below(R.bottom + 1));
      return true;
    case Spot::Memo:
    case Spot::OtherMemo:
      Wnd = (S == Spot::Memo ? T.Memo : T.OtherMemo)->WindowHandle();
      if (!Shown(Wnd)) return false;
      GetClientRect(Wnd, &R);
      P = RandomIn(Wnd, R);
      return true;
    default:
      return false;
    }
  }
  // Where the user aims: the list half of the time while it shows, else
  // the button more than anything.
  Spot AimedSpot() {
    if (Shown(T.ListWnd()) && FRandom.Chance(50))
      return FRandom.Chance(80) ? Spot::ListClient : Spot::ListWindow;
    static constexpr Spot kAims[] = {Spot::Cell,   Spot::Cell,     Spot::Cell,   Spot::Editor,
                                     Spot::Editor, Spot::Button,   Spot::Button, Spot::Button,
                                     Spot::Memo,   Spot::OtherMemo};
    return FRandom.Pick(kAims);
  }

  MonkeyRandom& FRandom;
  const MonkeyTargets& T;
};

} // namespace wintest
