// The modal message dialog.
#pragma once

#include <cstdint>
#include <string>

namespace tk {

enum TMsgDlgType : std::uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : std::uint16_t { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8 };
using TMsgDlgButtons = std::uint16_t;

inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;
inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;

// Shows Msg in a modal dialog centred on the screen, captioned and with the
// icon of its type; the first button is the default, Cancel (or No) the
// cancel button. Returns the modal result of the button pressed; closing
// the dialog any other way gives the cancel button's result.
int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);

} // namespace tk
