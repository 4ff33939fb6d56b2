// Masked input: a parsed edit mask and the editing operations of a masked,
// overwriting editor, kept apart from any window so that an edit control's
// glue only routes keys here and copies the resulting text and selection back.
//
// Mask text: up to three fields separated by ';' (a ';' escaped with '\' stays
// in the first field):
//   1. the mask proper, one position per character except the modifiers
//      '!' (fill groups from the right), '>' (upper case from here), '<' (lower
//      case from here), "<>" (no case conversion) and '\' (next character is a
//      literal). Editable positions: L/l letter, A/a letter or digit, C/c any
//      character, 0/9 digit, # digit or sign; upper case required, lower case
//      optional ('#' optional). ':' and '/' are literals shown as the time and
//      date separators, '_' a literal space, anything else a literal itself.
//   2. save-literals: a first character '0' leaves the literals out of Text;
//      anything else, or no field, keeps them.
//   3. the blank: first character of the field; '_' when missing.
//
// Positions: a display always holds exactly Length() characters; literal
// positions show their literal, an editable position shows the blank when
// unfilled. The blank always means "unfilled", even in a position whose class
// would accept that character, and a space put into any position leaves it
// unfilled. Control characters (below 32 and 127) fit no position. Letters are
// ASCII letters and the code page 1252 letters from 0xC0 up, without 0xD7 and
// 0xF7; case conversion maps between them and leaves 0xDF and 0xFF alone.
//
// Text: the display with each unfilled position as a space, literals dropped
// when save-literals is off.
//
// A mask without positions (empty, only modifiers, only further fields) is no
// mask: IsEmpty() is true and the editor should then be used as a plain edit;
// the operations here would only ever produce empty texts for it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

// The separators that the ':' and '/' literals stand for; the caller reads
// them from the locale.
struct TMaskSeparators {
  char Date = '/';
  char Time = ':';
};

// A parsed mask. Every operation accepts any input: displays of the wrong
// length or with characters their positions refuse are normalised first.
class TEditMask {
public:
  // Positions past this are ignored; no real mask comes near it.
  static constexpr int kMaxLength = 32767;

  TEditMask() = default;
  TEditMask(std::string_view MaskText, TMaskSeparators Sep);

  bool IsEmpty() const { return FPositions.empty(); }
  int Length() const { return static_cast<int>(FPositions.size()); }
  char BlankChar() const { return FBlank; }
  bool SaveLiterals() const { return FSaveLiterals; }
  bool RightAligned() const { return FRightAlign; }

  // False for editable positions and for positions out of range.
  bool IsLiteral(int Pos) const;
  bool IsRequired(int Pos) const;
  // The first editable position at or after Pos, or Length() when none.
  int NextEditable(int Pos) const;
  // The last editable position before Pos, or -1 when none.
  int PrevEditable(int Pos) const;
  // The first literal position at or after Pos, or Length() when none.
  int NextLiteral(int Pos) const;
  // What editable position Pos holds when Ch is put there (case converted; the
  // blank for a space), or nothing when the position refuses Ch.
  std::optional<char> Fit(int Pos, char Ch) const;

  // All positions unfilled.
  std::string EmptyDisplay() const { return FEmptyDisplay; }
  // The display as the mask allows it: cut or padded to Length(), literals
  // restored, case converted, refused characters blanked.
  std::string Normalize(std::string_view Display) const;

  // The display for a text set by program (a stored cell text). A text in the
  // exact form that TextFromDisplay produces is placed position by position.
  // Any other text is split into groups (the runs of editable positions): a
  // group followed by a literal takes the text up to the next occurrence of
  // that literal, and the literal run is skipped where the text repeats it; if
  // the text has no such literal left, the group takes as many characters as
  // it has positions. The last group takes the rest. Each group's characters
  // are aligned right with '!' and left without; a group given too many
  // characters keeps the ones at its aligned end (the last ones with '!', the
  // first ones without). A space or a refused character leaves its position
  // unfilled.
  std::string DisplayFromText(std::string_view Text) const;
  std::string TextFromDisplay(std::string_view Display) const;
  // The Text an editor holds after its Text is set to Text; comparing it with
  // the old Text tells whether the mask reformatted anything.
  std::string FitText(std::string_view Text) const {
    return TextFromDisplay(DisplayFromText(Text));
  }
  // Every required position filled.
  bool IsComplete(std::string_view Display) const;

private:
  enum class TClass : std::uint8_t { Literal, Letter, LetterOrDigit, Any, Digit, DigitOrSign };
  enum class TCase : std::uint8_t { None, Upper, Lower };
  struct TPosition {
    TClass Class;
    bool Required;
    TCase Case;
  };

  void Parse(std::string_view Proper, TMaskSeparators Sep);
  void AddPosition(TClass Class, bool Required, TCase Case, char Shown);
  bool FitsExactly(std::string_view Text) const;
  char FromText(int Pos, char Ch) const;
  void PlaceGroup(std::string& Display, int From, int To, std::string_view Piece) const;

  std::vector<TPosition> FPositions;
  std::vector<int> FNextEditable; // Length() + 1 entries
  std::vector<int> FNextLiteral;  // Length() + 1 entries
  std::string FEmptyDisplay;
  char FBlank = '_';
  bool FSaveLiterals = true;
  bool FRightAlign = false;
};

// The editor's text and selection. SelStart is the caret when SelLength is 0.
struct TMaskEditState {
  std::string Display;
  int SelStart = 0;
  int SelLength = 0;
};

// Changed: the display differs from the one passed in. Beep: the key was
// refused and the system beep should sound.
struct TMaskEditResult {
  bool Changed = false;
  bool Beep = false;
};

// Each operation first normalises the state (display through the mask,
// selection clamped into it; a negative length counts as none) and leaves it
// normalised.

// Typing overwrites. A character that the first editable position at or after
// the selection start accepts blanks the selection, goes there, and the caret
// moves to the next editable position (or the end). Otherwise a character
// found in the literal run touching the caret (ending at it or containing it)
// or, failing that, in the next literal run ahead blanks the selection and
// moves the caret past that run without filling anything. Any other character
// is refused: nothing changes and the result beeps.
TMaskEditResult MaskTypeChar(const TEditMask& Mask, TMaskEditState& State, char Ch);
// Blanks the selection, or else the editable position before the caret and
// moves the caret there. Never beeps.
TMaskEditResult MaskBackspace(const TEditMask& Mask, TMaskEditState& State);
// Blanks the selection, or else the first editable position at or after the
// caret, and leaves the caret at the blanked position. Never beeps.
TMaskEditResult MaskDelete(const TEditMask& Mask, TMaskEditState& State);
// Blanks the selection; without one nothing happens. The caller copies the
// selected part of the display to the clipboard first.
TMaskEditResult MaskCut(const TEditMask& Mask, TMaskEditState& State);
// Pasting types the text character by character: it blanks the selection,
// then each character goes where typing it would go, and characters that
// typing would refuse (those past the end among them) are skipped. The result
// beeps when any character was skipped; when none was taken the state stays
// as it was.
TMaskEditResult MaskPaste(const TEditMask& Mask, TMaskEditState& State, std::string_view Text);

} // namespace tk
