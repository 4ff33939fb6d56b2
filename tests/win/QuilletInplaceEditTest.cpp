// TQuillet's in-place editor: loading styles per cell, the button's geometry
// and drawing (read back from the painted pixels), the tracking of a press
// on it, double clicks, the cursor, change notices and the input-method steps.
#include "support/QuilletTestForm.h"

#include <imm.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace {

using namespace quillet;
using namespace wintest;

using Pixel = std::pair<int, int>;

// The editor painted into a bitmap through its own WM_PAINT handling.
class PaintedEditor {
public:
  explicit PaintedEditor(HWND Edit) {
    RECT R;
    GetClientRect(Edit, &R);
    Width = R.right;
    Height = R.bottom;
    HDC Screen = GetDC(nullptr);
    DC = CreateCompatibleDC(Screen);
    Bitmap = CreateCompatibleBitmap(Screen, Width, Height);
    ReleaseDC(nullptr, Screen);
    Old = SelectObject(DC, Bitmap);
    HBRUSH Magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(DC, &R, Magenta);
    DeleteObject(Magenta);
    SendMessageA(Edit, WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  }
  ~PaintedEditor() {
    SelectObject(DC, Old);
    DeleteObject(Bitmap);
    DeleteDC(DC);
  }
  PaintedEditor(const PaintedEditor&) = delete;
  PaintedEditor& operator=(const PaintedEditor&) = delete;

  COLORREF At(int X, int Y) const { return GetPixel(DC, X, Y) & 0xFFFFFF; }
  bool Black(int X, int Y) const { return At(X, Y) == 0; }
  // The black pixels inside R, relative to (DX, DY), row by row.
  std::vector<Pixel> BlackIn(const RECT& R, int DX = 0, int DY = 0) const {
    std::vector<Pixel> Out;
    for (int Y = R.top; Y < R.bottom; ++Y)
      for (int X = R.left; X < R.right; ++X)
        if (Black(X, Y)) Out.push_back({X - DX, Y - DY});
    return Out;
  }

  int Width = 0, Height = 0;

private:
  HDC DC = nullptr;
  HBITMAP Bitmap = nullptr;
  HGDIOBJ Old = nullptr;
};

RECT FormatRect(HWND Edit) {
  RECT R{};
  SendMessageA(Edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&R));
  return R;
}

COLORREF Sys(int Index) {
  return GetSysColor(Index) & 0xFFFFFF;
}

// Ends a context menu that the edit control opens on a right-button release,
// which would otherwise wait for the user.
void EndMenusSoon() {
  SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR Id, DWORD) {
    KillTimer(nullptr, Id);
    EndMenu();
  });
}

using QuilletInplaceEditTest = QuilletTestForm;

TEST_F(QuilletInplaceEditTest, NewEditorIsAnEllipsisWithoutListUntilItsFirstLoad) {
  auto* Fresh = new TQuilletInplaceEdit(Grid); // owned and freed by the grid
  EXPECT_EQ(Fresh->EditStyle(), esEllipsis);
  EXPECT_FALSE(Fresh->ReadOnly());
  EXPECT_EQ(Fresh->PopupList(), nullptr);
  EXPECT_EQ(Fresh->ButtonWidth(), GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(StyleRequests, 0);
}

TEST_F(QuilletInplaceEditTest, EachLoadAppliesTheCellsStyleReadOnlyFlagAndTextArea) {
  struct Case {
    int Col;
    TEditStyle Style;
    bool ReadOnly;
  };
  const Case Cases[] = {{kSimpleCol, esSimple, false},
                        {kEllipsisCol, esEllipsis, false},
                        {kPickCol, esPickList, false},
                        {kReadOnlyPickCol, esPickList, true},
                        {kReadOnlyEllipsisCol, esEllipsis, true},
                        {kSimpleCol, esSimple, false}};
  ShowAt(kSimpleCol, 1);
  TQuilletPopupListbox* FirstList = nullptr;
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Col);
    MoveTo(C.Col, 2);
    EXPECT_EQ(Editor()->EditStyle(), C.Style);
    EXPECT_EQ(Editor()->ReadOnly(), C.ReadOnly);
    EXPECT_EQ((GetWindowLongA(EditWnd(), GWL_STYLE) & ES_READONLY) != 0, C.ReadOnly);
    int W = Editor()->Width();
    RECT Button = Editor()->GetButtonRect();
    EXPECT_EQ(Button.left, W - Editor()->ButtonWidth());
    EXPECT_EQ(Button.right, W);
    EXPECT_EQ(FormatRect(EditWnd()).right,
              C.Style == esSimple ? W - 2 : W - 2 - Editor()->ButtonWidth());
    if (C.Style == esPickList && !FirstList) FirstList = List();
  }
  ASSERT_NE(FirstList, nullptr);
  EXPECT_EQ(List(), FirstList) << "one pick list for the editor's life";

  Grid->SetOnGetEditStyle({});
  MoveTo(kReadOnlyEllipsisCol, 3);
  EXPECT_EQ(Editor()->EditStyle(), esSimple);
  EXPECT_FALSE(Editor()->ReadOnly());
}

TEST_F(QuilletInplaceEditTest, FailingStyleHandlerStillLoadsWhatItSetBeforeFailing) {
  ShowAt(kSimpleCol, 1);
  Grid->SetCells(kSimpleCol, 3, "loaded");
  Grid->SetOnGetEditStyle(
      TGetEditStyleEvent([](tk::TObject*, int, int, TEditStyle& Style, bool& ReadOnly) {
        Style = esEllipsis;
        ReadOnly = true;
        throw std::runtime_error("handler failed");
      }));
  EXPECT_THROW(Grid->FocusCell(kSimpleCol, 3), std::runtime_error);
  EXPECT_EQ(Editor()->EditStyle(), esEllipsis);
  EXPECT_TRUE(Editor()->ReadOnly());
  EXPECT_EQ(Editor()->Text(), "loaded");
}

// ---- Button tracking ----

enum class Act { LDown, LUp, RDown, RUp, MDown, MUp, Move, CancelMode };
struct TrackStep {
  Act What;
  bool OverButton;
  char State; // after the step: 'I'dle, 'P'ressed, 'H'eld off
};
struct TrackCase {
  const char* Name;
  std::vector<TrackStep> Steps;
  int Clicks;
};

TEST_F(QuilletInplaceEditTest, ButtonTrackingFollowsItsStateTable) {
  const TrackCase Cases[] = {
      {"click", {{Act::LDown, true, 'P'}, {Act::LUp, true, 'I'}}, 1},
      {"release off the button",
       {{Act::LDown, true, 'P'}, {Act::Move, false, 'H'}, {Act::LUp, false, 'I'}},
       0},
      {"off and back",
       {{Act::LDown, true, 'P'},
        {Act::Move, false, 'H'},
        {Act::Move, true, 'P'},
        {Act::LUp, true, 'I'}},
       1},
      {"right release ends it",
       {{Act::LDown, true, 'P'}, {Act::RUp, true, 'I'}, {Act::LUp, true, 'I'}},
       0},
      {"right press while held changes nothing",
       {{Act::LDown, true, 'P'}, {Act::RDown, true, 'P'}, {Act::LUp, true, 'I'}},
       1},
      {"right press on the button", {{Act::RDown, true, 'I'}, {Act::RUp, true, 'I'}}, 0},
      {"middle press on the button", {{Act::MDown, true, 'I'}, {Act::MUp, true, 'I'}}, 0},
      {"cancel mode",
       {{Act::LDown, true, 'P'}, {Act::CancelMode, true, 'I'}, {Act::LUp, true, 'I'}},
       0},
      {"press in the text", {{Act::LDown, false, 'I'}, {Act::LUp, true, 'I'}}, 0},
  };
  ShowAt(kEllipsisCol, 1);
  for (const TrackCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    ButtonClicks = 0;
    ClickWhileTracking = false;
    for (const TrackStep& S : C.Steps) {
      POINT P = S.OverButton ? ButtonPoint() : TextPoint();
      switch (S.What) {
      case Act::LDown:
        SendMouseDown(EditWnd(), P.x, P.y);
        break;
      case Act::LUp:
        SendMouseUp(EditWnd(), P.x, P.y);
        break;
      case Act::RDown:
        SendMouseDown(EditWnd(), P.x, P.y, Button::Right);
        break;
      case Act::RUp:
        EndMenusSoon();
        SendMouseUp(EditWnd(), P.x, P.y, Button::Right);
        break;
      case Act::MDown:
        SendMouseDown(EditWnd(), P.x, P.y, Button::Middle);
        break;
      case Act::MUp:
        SendMouseUp(EditWnd(), P.x, P.y, Button::Middle);
        break;
      case Act::Move:
        SendMouseMove(EditWnd(), P.x, P.y, MK_LBUTTON);
        break;
      case Act::CancelMode:
        SendMessageA(EditWnd(), WM_CANCELMODE, 0, 0);
        break;
      }
      Pump(0);
      EXPECT_EQ(Editor()->ButtonTracking(), S.State != 'I');
      EXPECT_EQ(Editor()->ButtonDown(), S.State == 'P');
      // (A press in the text is captured by the edit control itself.)
      if (S.State != 'I' || S.OverButton) {
        EXPECT_EQ(GetCapture() == EditWnd(), S.State != 'I');
      }
    }
    EXPECT_EQ(ButtonClicks, C.Clicks);
    EXPECT_FALSE(ClickWhileTracking);
  }
}

TEST_F(QuilletInplaceEditTest, SimpleEditorHasNoButtonToPress) {
  ShowAt(kSimpleCol, 1);
  POINT P = ButtonPoint();
  SendMouseDown(EditWnd(), P.x, P.y);
  EXPECT_FALSE(Editor()->ButtonTracking());
  SendMouseUp(EditWnd(), P.x, P.y);
  EXPECT_EQ(ButtonClicks, 0);
}

// ---- Drawing ----

TEST_F(QuilletInplaceEditTest, EllipsisButtonIsDrawnRaisedWithDotsThatShiftWhenPressed) {
  ShowAt(kEllipsisCol, 1);
  RECT R = Editor()->GetButtonRect();
  int S = std::max(1, Editor()->ButtonWidth() / 8);
  int X = R.left + (R.right - R.left) / 2 - 1;
  int Y = R.top + (R.bottom - R.top) / 2 - 1;
  auto Dots = [&](int Shift) {
    std::vector<Pixel> Out;
    for (int DY = 0; DY < S; ++DY)
      for (int DotX : {X - 2 * S, X, X + 2 * S})
        for (int DX = 0; DX < S; ++DX)
          Out.push_back({DotX + DX + Shift, Y + DY + Shift});
    return Out;
  };
  {
    PaintedEditor Idle(EditWnd());
    EXPECT_EQ(Idle.BlackIn(R), Dots(0));
    EXPECT_EQ(Idle.At(R.left, R.top), Sys(COLOR_3DLIGHT)) << "raised outer edge";
    EXPECT_EQ(Idle.At(R.right - 1, R.bottom - 1), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(Idle.At(X + S, Y), Sys(COLOR_BTNFACE));
    EXPECT_EQ(Idle.At(R.left - 1, Y), Sys(COLOR_WINDOW)) << "the edit painted up to the button";
  }
  POINT P = ButtonPoint();
  SendMouseDown(EditWnd(), P.x, P.y);
  {
    PaintedEditor Pressed(EditWnd());
    EXPECT_EQ(Pressed.BlackIn(R), Dots(1));
    EXPECT_EQ(Pressed.At(R.right - 1, R.bottom - 1), Sys(COLOR_3DSHADOW)) << "flat edge";
  }
  SendMouseUp(EditWnd(), P.x, P.y);
}

TEST_F(QuilletInplaceEditTest, PickListArrowIsPushedOnePixelWhilePressed) {
  ShowAt(kPickCol, 1);
  RECT R = Editor()->GetButtonRect();
  std::vector<Pixel> IdleArrow = PaintedEditor(EditWnd()).BlackIn(R);
  ASSERT_FALSE(IdleArrow.empty());
  POINT P = ButtonPoint();
  SendMouseDown(EditWnd(), P.x, P.y);
  ASSERT_TRUE(Editor()->ButtonDown());
  EXPECT_EQ(PaintedEditor(EditWnd()).BlackIn(R, 1, 1), IdleArrow);
  SendMouseUp(EditWnd(), P.x, P.y);
}

TEST_F(QuilletInplaceEditTest, SimpleEditorPaintsItsWholeAreaAsText) {
  ShowAt(kSimpleCol, 1);
  PaintedEditor Painted(EditWnd());
  RECT R = Editor()->GetButtonRect();
  for (int Y = R.top; Y < R.bottom; ++Y)
    for (int X = R.left; X < R.right; ++X)
      ASSERT_EQ(Painted.At(X, Y), Sys(COLOR_WINDOW)) << X << "," << Y;
}

TEST_F(QuilletInplaceEditTest, RightToLeftPutsTheButtonOnTheLeft) {
  tk::SysLocale().MiddleEast = true;
  Grid->SetBiDiMode(tk::bdRightToLeft);
  ShowAt(kEllipsisCol, 1);
  int B = Editor()->ButtonWidth(), H = Editor()->Height();
  RECT R = Editor()->GetButtonRect();
  EXPECT_EQ(R.left, 0);
  EXPECT_EQ(R.right, B);
  EXPECT_EQ(R.bottom, H);
  EXPECT_EQ(FormatRect(EditWnd()).left, B) << "the text starts at the button's right edge";
  int S = std::max(1, B / 8), X = B / 2 - 1, Y = H / 2 - 1;
  PaintedEditor Painted(EditWnd());
  for (int DotX : {X - 2 * S, X, X + 2 * S})
    EXPECT_TRUE(Painted.Black(DotX, Y)) << DotX;
  EXPECT_EQ(Painted.At(B, Y), Sys(COLOR_WINDOW));

  POINT P = ButtonPoint();
  EXPECT_LT(P.x, B);
  SendMouseDown(EditWnd(), P.x, P.y);
  SendMouseUp(EditWnd(), P.x, P.y);
  EXPECT_EQ(ButtonClicks, 1);
}

// ---- Double clicks ----

TEST_F(QuilletInplaceEditTest, DoubleClickMessagesRaiseTheButtonEventOnlyInEllipsisText) {
  struct Case {
    int Col;
    bool OnButton;
    int Clicks, GridDblClicks;
  };
  const Case Cases[] = {{kEllipsisCol, false, 1, 1}, {kSimpleCol, false, 0, 1},
                        {kPickCol, false, 0, 1},     {kSimpleCol, true, 0, 1},
                        {kEllipsisCol, true, 0, 0},  {kPickCol, true, 0, 0}};
  ShowAt(kSimpleCol, 1);
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::to_string(C.Col) + (C.OnButton ? " button" : " text"));
    MoveTo(C.Col, 1);
    ButtonClicks = GridDblClicks = 0;
    POINT P = C.OnButton ? ButtonPoint() : TextPoint();
    SendMessageA(EditWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, tk::PackPoint(P.x, P.y));
    SendMouseUp(EditWnd(), P.x, P.y);
    EXPECT_EQ(ButtonClicks, C.Clicks);
    EXPECT_EQ(GridDblClicks, C.GridDblClicks);
    EXPECT_FALSE(Editor()->ButtonTracking());
    EXPECT_FALSE(ListShown());
  }
}

TEST_F(QuilletInplaceEditTest, RealDoubleClicksOnTheButtonAndAfterAGridClick) {
  ShowAt(kEllipsisCol, 1);
  Activate(Form->WindowHandle());
  auto ClickScreen = [](POINT S) {
    InputMouseMoveScreen(S.x, S.y);
    InputMouseButton(Button::Left, false);
    InputMouseButton(Button::Left, true);
  };
  POINT Button1 = Editor()->ClientToScreen(ButtonPoint());
  ClickScreen(Button1);
  ClickScreen(Button1);
  Pump(50);
  EXPECT_EQ(ButtonClicks, 1) << "the second press of a fast double click is swallowed";
  EXPECT_EQ(GridDblClicks, 0);

  Pump(GetDoubleClickTime() + 50);
  ButtonClicks = 0;
  RECT Cell = Grid->CellRect(kEllipsisCol, 2);
  ClickScreen(Grid->ClientToScreen(POINT{Cell.left + 5, Cell.top + 5}));
  Pump(20);
  ASSERT_EQ(Grid->Row(), 2);
  ClickScreen(Editor()->ClientToScreen(ButtonPoint()));
  Pump(50);
  EXPECT_EQ(ButtonClicks, 0) << "a press right after the grid's click is a double click";

  Pump(GetDoubleClickTime() + 50);
  ClickScreen(Editor()->ClientToScreen(ButtonPoint()));
  Pump(50);
  EXPECT_EQ(ButtonClicks, 1) << "the next press works normally";
}

TEST_F(QuilletInplaceEditTest, ReadOnlyEllipsisCellRefusesTypingButKeepsItsButton) {
  Grid->SetCells(kReadOnlyEllipsisCol, 1, "kept");
  ShowAt(kReadOnlyEllipsisCol, 1);
  SendText(EditWnd(), "xy");
  EXPECT_EQ(Editor()->Text(), "kept");
  PressArrow();
  POINT T = TextPoint();
  SendMessageA(EditWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, tk::PackPoint(T.x, T.y));
  SendMouseUp(EditWnd(), T.x, T.y);
  EXPECT_EQ(ButtonClicks, 2);
}

// ---- Cursor, change notices, input method ----

TEST_F(QuilletInplaceEditTest, ArrowCursorOnlyOverAButton) {
  struct Case {
    int Col;
    bool OverButton;
    bool Arrow;
  };
  const Case Cases[] = {{kEllipsisCol, true, true},
                        {kPickCol, true, true},
                        {kEllipsisCol, false, false},
                        {kSimpleCol, true, false}};
  ShowAt(kSimpleCol, 1);
  HCURSOR Arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::to_string(C.Col) + (C.OverButton ? " button" : " text"));
    MoveTo(C.Col, 1);
    POINT S = Editor()->ClientToScreen(C.OverButton ? ButtonPoint() : TextPoint());
    SetCursorPos(S.x, S.y);
    SetCursor(nullptr);
    SendMessageA(EditWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(EditWnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor() == Arrow, C.Arrow);
    EXPECT_NE(GetCursor(), nullptr);
  }
}

TEST_F(QuilletInplaceEditTest, TextSetByLoadingRaisesChangeWithTheEditorAsSender) {
  Grid->SetCells(kSimpleCol, 1, "abc");
  Grid->SetCells(kSimpleCol, 3, "xyz");
  ShowAt(kSimpleCol, 1);
  std::vector<std::string> Seen;
  Grid->SetOnChangeInplaceEditor(tk::TNotifyEvent([&](tk::TObject* Sender) {
    ASSERT_EQ(Sender, Editor());
    Seen.push_back(Editor()->Text());
  }));
  MoveTo(kSimpleCol, 3);
  EXPECT_EQ(Seen, (std::vector<std::string>{"", "xyz"}));
  Seen.clear();
  MoveTo(kSimpleCol, 2);
  EXPECT_EQ(Seen, (std::vector<std::string>{""}));
  Seen.clear();
  SendText(EditWnd(), "typed");
  SendKey(EditWnd(), VK_BACK);
  EXPECT_EQ(Editor()->Text(), "type");
  EXPECT_TRUE(Seen.empty()) << "typing is no change by program";
}

TEST_F(QuilletInplaceEditTest,
       DoubleByteSystemsPlaceTheCompositionWindowAndResetTheImeOnFocusLoss) {
  for (bool FarEast : {false, true}) {
    SCOPED_TRACE(FarEast);
    tk::SysLocale().FarEast = FarEast;
    ShowAt(kEllipsisCol, FarEast ? 2 : 1);
    HIMC Imc = ImmGetContext(EditWnd());
    ASSERT_NE(Imc, nullptr) << "the edit window has an input context";
    COMPOSITIONFORM Place{};
    ImmGetCompositionWindow(Imc, &Place);
    ImmReleaseContext(EditWnd(), Imc);
    RECT Text = {2, 2, 0, 0};
    EXPECT_EQ(Place.dwStyle == CFS_POINT && Place.ptCurrentPos.x == Text.left &&
                  Place.ptCurrentPos.y == Text.top,
              FarEast);

    Editor()->SetImeName("Some IME");
    Editor()->SetImeMode(tk::imOpen);
    HWND Other = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 200, 50, 20,
                                 Form->WindowHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    SetFocus(Other);
    Pump(10);
    EXPECT_EQ(Editor()->ImeName(), FarEast ? tk::DefaultImeName() : "Some IME");
    EXPECT_EQ(Editor()->ImeMode(), FarEast ? tk::imDontCare : tk::imOpen);
    DestroyWindow(Other);
  }
}

} // namespace
