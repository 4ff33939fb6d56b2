#include "components/QuilletPopupListbox.h"

#include "components/QuilletInplaceEdit.h"

#include <cstdint>

namespace quillet {

namespace {
// Letters typed further apart than this start a new search.
constexpr std::int32_t kSearchResetMs = 2000;
constexpr std::size_t kMaxPrefix = 32;
// Searches from the first item in any list of up to 65535 items.
constexpr WPARAM kSearchFromTop = 0xFFFF;
} // namespace

TQuilletPopupListbox::TQuilletPopupListbox(tk::TComponent* AOwner) : tk::TCustomListBox(AOwner) {}

DWORD TQuilletPopupListbox::SystemTickCount() {
  return GetTickCount();
}

void TQuilletPopupListbox::CreateParams(tk::TCreateParams& Params) {
  tk::TCustomListBox::CreateParams(Params);
  Params.Style |= WS_BORDER;
  // A tool window kept on top; the client edge of an ordinary list box goes.
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  AddBiDiModeExStyle(Params.ExStyle);
  // The system restores what lay under the list when it is hidden.
  Params.ClassStyle = CS_SAVEBITS;
}

void TQuilletPopupListbox::CreateWnd() {
  if (HandleAllocated()) return;
  tk::TCustomListBox::CreateWnd();
  HWND Wnd = WindowHandle();
  if (!Wnd) return;
  // Detached from the editor: placed in screen coordinates, clipped by
  // neither the editor nor the grid.
  ::SetParent(Wnd, nullptr);
  // The system list now believes it has the focus, so a click on it does not
  // take the focus from the editor (which would close the list). Sent past
  // the toolkit's handling so that no focus event is raised.
  tk::TMessage SetFocusMessage{WM_SETFOCUS, 0, 0, 0};
  DefaultHandler(SetFocusMessage);
}

void TQuilletPopupListbox::KeyPress(char& Key) {
  auto Code = static_cast<unsigned char>(Key);
  if (Code == 8 || Code == 27) {
    FTypedPrefix.clear();
  } else if (Code >= 32) {
    DWORD Now = FTickSource();
    // Read as a signed difference so that the wrap of the tick count at
    // 2^32 does not look like a long pause.
    if (static_cast<std::int32_t>(Now - FLastKeyTime) > kSearchResetMs) FTypedPrefix.clear();
    FLastKeyTime = Now;
    if (FTypedPrefix.size() < kMaxPrefix) FTypedPrefix += Key;
    if (HWND Wnd = WindowHandle())
      SendMessageA(Wnd, LB_SELECTSTRING, kSearchFromTop,
                   reinterpret_cast<LPARAM>(FTypedPrefix.c_str()));
    // Consumed: the system list runs no character search of its own.
    Key = 0;
  }
  tk::TCustomListBox::KeyPress(Key);
}

void TQuilletPopupListbox::MouseUp(tk::TMouseButton Button, tk::TShiftState Shift, int X, int Y) {
  tk::TCustomListBox::MouseUp(Button, Shift, X, Y);
  // A left release has been handled by the editor's OnMouseUp handler; the
  // others accept within the list's outer size.
  if (auto* Editor = dynamic_cast<TQuilletInplaceEdit*>(Owner()))
    Editor->CloseUp(X >= 0 && X < Width() && Y >= 0 && Y < Height());
}

} // namespace quillet
