#include "toolkit/core/MaskEngine.h"

#include <algorithm>

namespace tk {

namespace {

unsigned char Byte(char Ch) {
  return static_cast<unsigned char>(Ch);
}
char FromByte(int B) {
  return static_cast<char>(static_cast<unsigned char>(B));
}

bool IsDigit(char Ch) {
  return Ch >= '0' && Ch <= '9';
}

// ASCII letters and the code page 1252 letters; 0xD7 and 0xF7 are the
// multiplication and division signs.
bool IsLetter(char Ch) {
  const unsigned char B = Byte(Ch);
  const unsigned char Folded = B | 0x20;
  return (Folded >= 'a' && Folded <= 'z') || (B >= 0xC0 && B != 0xD7 && B != 0xF7);
}

bool IsControl(char Ch) {
  return Byte(Ch) < 0x20 || Byte(Ch) == 0x7F;
}

// Only the pairs that are both letters by IsLetter map, so conversion never
// moves a character into or out of a class.
char ToUpper(char Ch) {
  const unsigned char B = Byte(Ch);
  if ((B >= 'a' && B <= 'z') || (B >= 0xE0 && B <= 0xFE && B != 0xF7)) return FromByte(B - 0x20);
  return Ch;
}

char ToLower(char Ch) {
  const unsigned char B = Byte(Ch);
  if ((B >= 'A' && B <= 'Z') || (B >= 0xC0 && B <= 0xDE && B != 0xD7)) return FromByte(B + 0x20);
  return Ch;
}

} // namespace

TEditMask::TEditMask(std::string_view MaskText, TMaskSeparators Sep) {
  std::size_t End = 0;
  for (bool Escaped = false; End < MaskText.size(); ++End) {
    if (Escaped)
      Escaped = false;
    else if (MaskText[End] == '\\')
      Escaped = true;
    else if (MaskText[End] == ';')
      break;
  }
  if (End < MaskText.size()) {
    const std::string_view Rest = MaskText.substr(End + 1);
    const std::size_t Semi = Rest.find(';');
    const std::string_view Flag = Rest.substr(0, Semi);
    FSaveLiterals = Flag.empty() || Flag.front() != '0';
    if (Semi != std::string_view::npos && Semi + 1 < Rest.size()) FBlank = Rest[Semi + 1];
  }
  Parse(MaskText.substr(0, End), Sep);
}

void TEditMask::Parse(std::string_view Proper, TMaskSeparators Sep) {
  TCase Case = TCase::None;
  for (std::size_t I = 0; I < Proper.size() && Length() < kMaxLength; ++I) {
    const char Ch = Proper[I];
    switch (Ch) {
    case '!':
      FRightAlign = true;
      break;
    case '>':
      Case = TCase::Upper;
      break;
    case '<':
      if (I + 1 < Proper.size() && Proper[I + 1] == '>') {
        Case = TCase::None;
        ++I;
      } else {
        Case = TCase::Lower;
      }
      break;
    case '\\':
      // A trailing backslash escapes nothing and is dropped.
      if (I + 1 < Proper.size()) AddPosition(TClass::Literal, false, Case, Proper[++I]);
      break;
    case 'L':
      AddPosition(TClass::Letter, true, Case, FBlank);
      break;
    case 'l':
      AddPosition(TClass::Letter, false, Case, FBlank);
      break;
    case 'A':
      AddPosition(TClass::LetterOrDigit, true, Case, FBlank);
      break;
    case 'a':
      AddPosition(TClass::LetterOrDigit, false, Case, FBlank);
      break;
    case 'C':
      AddPosition(TClass::Any, true, Case, FBlank);
      break;
    case 'c':
      AddPosition(TClass::Any, false, Case, FBlank);
      break;
    case '0':
      AddPosition(TClass::Digit, true, Case, FBlank);
      break;
    case '9':
      AddPosition(TClass::Digit, false, Case, FBlank);
      break;
    case '#':
      AddPosition(TClass::DigitOrSign, false, Case, FBlank);
      break;
    case ':':
      AddPosition(TClass::Literal, false, Case, Sep.Time);
      break;
    case '/':
      AddPosition(TClass::Literal, false, Case, Sep.Date);
      break;
    case '_':
      AddPosition(TClass::Literal, false, Case, ' ');
      break;
    default:
      AddPosition(TClass::Literal, false, Case, Ch);
      break;
    }
  }
  const int Len = Length();
  FNextEditable.assign(static_cast<std::size_t>(Len) + 1, Len);
  FNextLiteral.assign(static_cast<std::size_t>(Len) + 1, Len);
  for (int Pos = Len - 1; Pos >= 0; --Pos) {
    const bool Literal = IsLiteral(Pos);
    FNextEditable[Pos] = Literal ? FNextEditable[Pos + 1] : Pos;
    FNextLiteral[Pos] = Literal ? Pos : FNextLiteral[Pos + 1];
  }
}

void TEditMask::AddPosition(TClass Class, bool Required, TCase Case, char Shown) {
  FPositions.push_back({Class, Required, Case});
  FEmptyDisplay.push_back(Shown);
}

bool TEditMask::IsLiteral(int Pos) const {
  return Pos >= 0 && Pos < Length() && FPositions[Pos].Class == TClass::Literal;
}

bool TEditMask::IsRequired(int Pos) const {
  return Pos >= 0 && Pos < Length() && FPositions[Pos].Required;
}

int TEditMask::NextEditable(int Pos) const {
  Pos = std::max(Pos, 0);
  return Pos >= Length() ? Length() : FNextEditable[Pos];
}

int TEditMask::NextLiteral(int Pos) const {
  Pos = std::max(Pos, 0);
  return Pos >= Length() ? Length() : FNextLiteral[Pos];
}

int TEditMask::PrevEditable(int Pos) const {
  for (int P = std::min(Pos, Length()) - 1; P >= 0; --P)
    if (!IsLiteral(P)) return P;
  return -1;
}

std::optional<char> TEditMask::Fit(int Pos, char Ch) const {
  if (Pos < 0 || Pos >= Length() || IsControl(Ch)) return std::nullopt;
  const TPosition& P = FPositions[Pos];
  bool Accepted = false;
  switch (P.Class) {
  case TClass::Literal:
    break;
  case TClass::Letter:
    Accepted = IsLetter(Ch);
    break;
  case TClass::LetterOrDigit:
    Accepted = IsLetter(Ch) || IsDigit(Ch);
    break;
  case TClass::Any:
    Accepted = true;
    break;
  case TClass::Digit:
    Accepted = IsDigit(Ch);
    break;
  case TClass::DigitOrSign:
    Accepted = IsDigit(Ch) || Ch == '+' || Ch == '-';
    break;
  }
  if (!Accepted) return std::nullopt;
  if (Ch == ' ') return FBlank;
  if (P.Case == TCase::Upper) return ToUpper(Ch);
  if (P.Case == TCase::Lower) return ToLower(Ch);
  return Ch;
}

std::string TEditMask::Normalize(std::string_view Display) const {
  std::string Result = FEmptyDisplay;
  const int Count = static_cast<int>(std::min(Display.size(), Result.size()));
  for (int Pos = 0; Pos < Count; ++Pos)
    if (!IsLiteral(Pos) && Display[Pos] != FBlank)
      Result[Pos] = Fit(Pos, Display[Pos]).value_or(FBlank);
  return Result;
}

char TEditMask::FromText(int Pos, char Ch) const {
  return Fit(Pos, Ch).value_or(FBlank);
}

// The exact form is what TextFromDisplay writes, so reading a Text back gives
// the same display, whatever its literals or alignment.
bool TEditMask::FitsExactly(std::string_view Text) const {
  std::size_t I = 0;
  for (int Pos = 0; Pos < Length(); ++Pos) {
    if (IsLiteral(Pos) && !FSaveLiterals) continue;
    if (I >= Text.size()) return false;
    const char Ch = Text[I++];
    if (IsLiteral(Pos) ? Ch != FEmptyDisplay[Pos] : Ch != ' ' && !Fit(Pos, Ch)) return false;
  }
  return I == Text.size();
}

void TEditMask::PlaceGroup(std::string& Display, int From, int To, std::string_view Piece) const {
  const std::size_t Size = static_cast<std::size_t>(To - From);
  if (Piece.size() > Size)
    Piece = FRightAlign ? Piece.substr(Piece.size() - Size) : Piece.substr(0, Size);
  const int Start = FRightAlign ? To - static_cast<int>(Piece.size()) : From;
  for (std::size_t I = 0; I < Piece.size(); ++I) {
    const int Pos = Start + static_cast<int>(I);
    Display[Pos] = FromText(Pos, Piece[I]);
  }
}

std::string TEditMask::DisplayFromText(std::string_view Text) const {
  std::string Display = FEmptyDisplay;
  if (FitsExactly(Text)) {
    std::size_t I = 0;
    for (int Pos = 0; Pos < Length(); ++Pos) {
      if (!IsLiteral(Pos))
        Display[Pos] = FromText(Pos, Text[I++]);
      else if (FSaveLiterals)
        ++I;
    }
    return Display;
  }
  std::size_t I = 0;
  for (int Pos = 0; Pos < Length();) {
    if (IsLiteral(Pos)) {
      const int End = NextEditable(Pos);
      for (; Pos < End && I < Text.size() && Text[I] == FEmptyDisplay[Pos]; ++Pos)
        ++I;
      Pos = End;
      continue;
    }
    const int End = NextLiteral(Pos);
    const std::string_view Rest = Text.substr(I);
    std::string_view Piece = Rest;
    if (End < Length()) {
      const std::size_t Found = Rest.find(FEmptyDisplay[End]);
      Piece = Found != std::string_view::npos ? Rest.substr(0, Found)
                                              : Rest.substr(0, static_cast<std::size_t>(End - Pos));
    }
    I += Piece.size();
    PlaceGroup(Display, Pos, End, Piece);
    Pos = End;
  }
  return Display;
}

std::string TEditMask::TextFromDisplay(std::string_view Display) const {
  const std::string Shown = Normalize(Display);
  std::string Text;
  Text.reserve(Shown.size());
  for (int Pos = 0; Pos < Length(); ++Pos) {
    if (!IsLiteral(Pos))
      Text.push_back(Shown[Pos] == FBlank ? ' ' : Shown[Pos]);
    else if (FSaveLiterals)
      Text.push_back(Shown[Pos]);
  }
  return Text;
}

bool TEditMask::IsComplete(std::string_view Display) const {
  const std::string Shown = Normalize(Display);
  for (int Pos = 0; Pos < Length(); ++Pos)
    if (IsRequired(Pos) && Shown[Pos] == FBlank) return false;
  return true;
}

namespace {

void Normalize(const TEditMask& Mask, TMaskEditState& State) {
  State.Display = Mask.Normalize(State.Display);
  State.SelStart = std::clamp(State.SelStart, 0, Mask.Length());
  State.SelLength = std::clamp(State.SelLength, 0, Mask.Length() - State.SelStart);
}

void BlankSelection(const TEditMask& Mask, TMaskEditState& State) {
  for (int Pos = State.SelStart; Pos < State.SelStart + State.SelLength; ++Pos)
    if (!Mask.IsLiteral(Pos)) State.Display[Pos] = Mask.BlankChar();
  State.SelLength = 0;
}

// Where the caret goes when Ch names a literal: past the literal run that
// touches the caret, else past the next run ahead; -1 when Ch is in neither.
int LiteralJump(const TEditMask& Mask, const std::string& Display, int Caret, char Ch) {
  int From = Mask.PrevEditable(Caret) + 1;
  if (From == Caret && !Mask.IsLiteral(Caret)) From = Mask.NextLiteral(Caret);
  const int To = Mask.NextEditable(From);
  if (From >= To) return -1;
  const std::string_view Run(Display.data() + From, static_cast<std::size_t>(To - From));
  return Run.find(Ch) != std::string_view::npos ? To : -1;
}

// One typed character on a normalised state; false when refused, leaving the
// state untouched.
bool TypeStep(const TEditMask& Mask, TMaskEditState& State, char Ch) {
  const int Target = Mask.NextEditable(State.SelStart);
  if (const std::optional<char> Stored = Mask.Fit(Target, Ch)) {
    BlankSelection(Mask, State);
    State.Display[Target] = *Stored;
    State.SelStart = Mask.NextEditable(Target + 1);
    return true;
  }
  const int Jump = LiteralJump(Mask, State.Display, State.SelStart, Ch);
  if (Jump < 0) return false;
  BlankSelection(Mask, State);
  State.SelStart = Jump;
  return true;
}

} // namespace

TMaskEditResult MaskTypeChar(const TEditMask& Mask, TMaskEditState& State, char Ch) {
  const std::string Before = State.Display;
  Normalize(Mask, State);
  const bool Taken = TypeStep(Mask, State, Ch);
  return {State.Display != Before, !Taken};
}

TMaskEditResult MaskBackspace(const TEditMask& Mask, TMaskEditState& State) {
  const std::string Before = State.Display;
  Normalize(Mask, State);
  if (State.SelLength > 0) {
    BlankSelection(Mask, State);
  } else if (const int Pos = Mask.PrevEditable(State.SelStart); Pos >= 0) {
    State.Display[Pos] = Mask.BlankChar();
    State.SelStart = Pos;
  }
  return {State.Display != Before, false};
}

TMaskEditResult MaskDelete(const TEditMask& Mask, TMaskEditState& State) {
  const std::string Before = State.Display;
  Normalize(Mask, State);
  if (State.SelLength > 0) {
    BlankSelection(Mask, State);
  } else if (const int Pos = Mask.NextEditable(State.SelStart); Pos < Mask.Length()) {
    State.Display[Pos] = Mask.BlankChar();
    State.SelStart = Pos;
  }
  return {State.Display != Before, false};
}

TMaskEditResult MaskCut(const TEditMask& Mask, TMaskEditState& State) {
  const std::string Before = State.Display;
  Normalize(Mask, State);
  BlankSelection(Mask, State);
  return {State.Display != Before, false};
}

TMaskEditResult MaskPaste(const TEditMask& Mask, TMaskEditState& State, std::string_view Text) {
  const std::string Before = State.Display;
  Normalize(Mask, State);
  TMaskEditState Work = State;
  BlankSelection(Mask, Work);
  bool AnyTaken = false;
  bool AnyRefused = false;
  for (const char Ch : Text) {
    if (TypeStep(Mask, Work, Ch))
      AnyTaken = true;
    else
      AnyRefused = true;
  }
  if (AnyTaken) State = std::move(Work);
  return {State.Display != Before, AnyRefused};
}

} // namespace tk
