// Drives a masked editor with any mask, any separators, any text set by
// program and any sequence of edits, and traps on any broken invariant.
//
// Input, line by line: the mask text; the date and time separators (first two
// bytes, defaults when missing); the text set by program first. The rest is a
// stream of operations: 't' c types c; 'b' Backspace; 'd' Delete; 'x' cut;
// 'p' text '\n' pastes text; 'T' text '\n' sets text by program; 's' a b
// selects from a for b (each a big-endian signed 16-bit value, so out of
// range too); any other byte is typed as it is.
#include "toolkit/core/MaskEngine.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace tk;

namespace {

void Check(bool Holds) {
  if (!Holds) __builtin_trap();
}

struct TReader {
  std::string_view Data;
  bool AtEnd() const { return Data.empty(); }
  char Byte() {
    if (Data.empty()) return '\0';
    const char Ch = Data.front();
    Data.remove_prefix(1);
    return Ch;
  }
  std::string_view Line() {
    const std::size_t End = Data.find('\n');
    const std::string_view Result = Data.substr(0, End);
    Data.remove_prefix(End == std::string_view::npos ? Data.size() : End + 1);
    return Result;
  }
};

// A state every operation must leave: exactly Length() characters, literals
// in place, each editable position blank or holding a character that its
// class takes unchanged, the selection inside the text.
void CheckState(const TEditMask& Mask, const TMaskEditState& State) {
  const std::string Empty = Mask.EmptyDisplay();
  const int Len = Mask.Length();
  Check(static_cast<int>(State.Display.size()) == Len && Empty.size() == State.Display.size());
  for (int Pos = 0; Pos < Len; ++Pos) {
    const char Ch = State.Display[Pos];
    if (Mask.IsLiteral(Pos))
      Check(Ch == Empty[Pos]);
    else
      Check(Ch == Mask.BlankChar() || Mask.Fit(Pos, Ch) == Ch);
  }
  Check(State.SelStart >= 0 && State.SelStart <= Len);
  Check(State.SelLength >= 0 && State.SelLength <= Len - State.SelStart);
  Check(Mask.Normalize(State.Display) == State.Display);

  // Text read from the editor sets back exactly the same display, so a load
  // after a write-back shows what was typed.
  const std::string Text = Mask.TextFromDisplay(State.Display);
  int TextLength = 0;
  for (int Pos = 0; Pos < Len; ++Pos)
    if (!Mask.IsLiteral(Pos) || Mask.SaveLiterals()) ++TextLength;
  Check(static_cast<int>(Text.size()) == TextLength);
  Check(Mask.DisplayFromText(Text) == State.Display);
  Check(Mask.IsComplete(State.Display) == Mask.IsComplete(Mask.DisplayFromText(Text)));
}

void CheckSetText(const TEditMask& Mask, std::string_view Text) {
  const std::string Fitted = Mask.FitText(Text);
  Check(Mask.FitText(Fitted) == Fitted);
  CheckState(Mask, {Mask.DisplayFromText(Text), 0, 0});
}

// Erasing never fills: each position keeps its character or becomes blank,
// and nothing outside the selection changes except, for Backspace and Delete
// without a selection, the one position erased.
void CheckErased(const TEditMask& Mask, const TMaskEditState& Before, const TMaskEditState& After,
                 TMaskEditResult Result, bool ErasesWithoutSelection) {
  Check(!Result.Beep && After.SelLength == 0);
  Check(Result.Changed == (After.Display != Before.Display));
  int Outside = 0;
  for (int Pos = 0; Pos < Mask.Length(); ++Pos) {
    if (After.Display[Pos] == Before.Display[Pos]) continue;
    Check(After.Display[Pos] == Mask.BlankChar());
    if (Pos < Before.SelStart || Pos >= Before.SelStart + Before.SelLength) ++Outside;
  }
  Check(Outside <= (Before.SelLength == 0 && ErasesWithoutSelection ? 1 : 0));
}

// Typing changes the selection and at most the one position typed into, and a
// refused key changes nothing at all.
void CheckTyped(const TEditMask& Mask, const TMaskEditState& Before, const TMaskEditState& After,
                TMaskEditResult Result) {
  Check(Result.Changed == (After.Display != Before.Display));
  if (Result.Beep) {
    Check(After.Display == Before.Display && After.SelStart == Before.SelStart &&
          After.SelLength == Before.SelLength);
    return;
  }
  Check(After.SelLength == 0 && After.SelStart >= Before.SelStart);
  const int Target = Mask.NextEditable(Before.SelStart);
  for (int Pos = 0; Pos < Mask.Length(); ++Pos) {
    const bool Selected = Pos >= Before.SelStart && Pos < Before.SelStart + Before.SelLength;
    if (Pos != Target && !Selected) Check(After.Display[Pos] == Before.Display[Pos]);
  }
}

// Pasting changes nothing before the selection start and never moves the
// caret back; when no character was taken nothing changes at all.
void CheckPasted(const TMaskEditState& Before, const TMaskEditState& After,
                 TMaskEditResult Result) {
  Check(Result.Changed == (After.Display != Before.Display));
  for (int Pos = 0; Pos < Before.SelStart; ++Pos)
    Check(After.Display[Pos] == Before.Display[Pos]);
  Check(After.SelStart >= Before.SelStart);
  const bool Untouched = After.Display == Before.Display && After.SelStart == Before.SelStart &&
                         After.SelLength == Before.SelLength;
  Check(Untouched || After.SelLength == 0);
}

// A 16-bit signed value, so that selections reach into long masks and out of
// range on both sides.
int ReadOffset(TReader& In) {
  const int High = static_cast<signed char>(In.Byte());
  const int Low = static_cast<unsigned char>(In.Byte());
  return High * 256 + Low;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Bytes, std::size_t Size) {
  TReader In{std::string_view(reinterpret_cast<const char*>(Bytes), Size)};
  const std::string_view MaskText = In.Line();
  const std::string_view Separators = In.Line();
  TMaskSeparators Sep;
  if (Separators.size() > 0) Sep.Date = Separators[0];
  if (Separators.size() > 1) Sep.Time = Separators[1];
  const TEditMask Mask(MaskText, Sep);
  Check(Mask.Length() <= TEditMask::kMaxLength);
  Check(Mask.IsEmpty() == (Mask.Length() == 0));

  const std::string_view First = In.Line();
  CheckSetText(Mask, First);
  TMaskEditState State{Mask.DisplayFromText(First), 0, Mask.Length()};

  // Each operation starts from a normalised state so that its own effect can
  // be told apart from normalisation; a selection out of range is tried on a
  // copy, where the engine must clamp it as documented.
  const int Len = Mask.Length();
  for (int Steps = 0; !In.AtEnd() && Steps < 4096; ++Steps) {
    const char Op = In.Byte();
    if (Op == 's') {
      TMaskEditState Raw = State;
      Raw.SelStart = ReadOffset(In);
      Raw.SelLength = ReadOffset(In);
      State.SelStart = std::clamp(Raw.SelStart, 0, Len);
      State.SelLength = std::clamp(Raw.SelLength, 0, Len - State.SelStart);
      const TMaskEditResult R = MaskCut(Mask, Raw);
      CheckErased(Mask, State, Raw, R, false);
      CheckState(Mask, Raw);
      Check(Raw.SelStart == State.SelStart);
      continue;
    }
    const TMaskEditState Before = State;
    switch (Op) {
    case 'b':
      CheckErased(Mask, Before, State, MaskBackspace(Mask, State), true);
      break;
    case 'd':
      CheckErased(Mask, Before, State, MaskDelete(Mask, State), true);
      break;
    case 'x':
      CheckErased(Mask, Before, State, MaskCut(Mask, State), false);
      break;
    case 'p': {
      const std::string_view Text = In.Line();
      CheckPasted(Before, State, MaskPaste(Mask, State, Text));
      break;
    }
    case 'T': {
      const std::string_view Text = In.Line();
      CheckSetText(Mask, Text);
      State = {Mask.DisplayFromText(Text), 0, Mask.Length()};
      break;
    }
    case 't':
      CheckTyped(Mask, Before, State, MaskTypeChar(Mask, State, In.Byte()));
      break;
    default:
      CheckTyped(Mask, Before, State, MaskTypeChar(Mask, State, Op));
      break;
    }
    CheckState(Mask, State);
  }
  return 0;
}
