#include "toolkit/core/LayoutParser.h"

#include "toolkit/core/Exceptions.h"

#include <cstdint>
#include <limits>

namespace tk {

void ThrowLayoutError(std::string_view ResourceName, int Line, std::string_view Message) {
  std::string Text(ResourceName);
  Text += '(';
  Text += std::to_string(Line);
  Text += "): ";
  Text += Message;
  throw ELayoutError(Text);
}

namespace {

bool IsDigit(char C) {
  return C >= '0' && C <= '9';
}
bool IsIdentStart(char C) {
  return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_';
}
bool IsIdentChar(char C) {
  return IsIdentStart(C) || IsDigit(C);
}
bool IsLineBreak(char C) {
  return C == '\n' || C == '\r';
}

char LowerAscii(char C) {
  return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C;
}

std::string Quoted(std::string_view S) {
  return "'" + std::string(S) + "'";
}

// Recursive descent over the text. Recursion only follows nested objects and
// is bounded by kMaxLayoutDepth; every loop consumes text, so any input ends.
class TParser {
public:
  TParser(std::string_view ResourceName, std::string_view Text)
      : FResource(ResourceName), FText(Text) {}

  TLayoutObject ParseRoot() {
    SkipBlanks();
    if (!AtKeyword("object"))
      Fail("expected 'object' at the start of the layout but found " + Found());
    TLayoutObject Root;
    ReadObject(Root, 1);
    SkipBlanks();
    if (!AtEnd()) Fail("expected the end of the text after the final 'end' but found " + Found());
    return Root;
  }

private:
  [[noreturn]] void Fail(const std::string& Message) const {
    ThrowLayoutError(FResource, FLine, Message);
  }

  bool AtEnd() const { return FPos >= FText.size(); }
  char Peek() const { return AtEnd() ? '\0' : FText[FPos]; }

  // What stands at the cursor, as a message names it.
  std::string Found() const {
    if (AtEnd()) return "the end of the text";
    char C = Peek();
    if (IsLineBreak(C)) return "the end of the line";
    if (C == '\'') return "a string";
    if (C == ' ' || C == '\t') return "a blank";
    if (IsIdentChar(C)) return Quoted(WordAt(FPos));
    if (C > ' ' && C < 127) return Quoted(std::string_view(&C, 1));
    return "character #" + std::to_string(static_cast<unsigned char>(C));
  }

  std::string_view WordAt(std::size_t Start) const {
    std::size_t End = Start;
    while (End < FText.size() && IsIdentChar(FText[End]))
      ++End;
    return FText.substr(Start, End - Start);
  }

  void SkipSpaces() {
    while (Peek() == ' ' || Peek() == '\t')
      ++FPos;
  }

  // Blanks and line breaks; CR LF, LF and a lone CR each end one line.
  void SkipBlanks() {
    for (;;) {
      char C = Peek();
      if (C == ' ' || C == '\t') {
        ++FPos;
      } else if (C == '\n') {
        ++FPos;
        ++FLine;
      } else if (C == '\r') {
        ++FPos;
        if (Peek() == '\n') ++FPos;
        ++FLine;
      } else {
        return;
      }
    }
  }

  void ExpectLineEnd(const std::string& Context) {
    SkipSpaces();
    if (!AtEnd() && !IsLineBreak(Peek()))
      Fail("expected the end of the line " + Context + " but found " + Found());
  }

  bool AtKeyword(std::string_view Keyword) const {
    if (FText.size() - FPos < Keyword.size()) return false;
    for (std::size_t I = 0; I < Keyword.size(); ++I)
      if (LowerAscii(FText[FPos + I]) != Keyword[I]) return false;
    std::size_t After = FPos + Keyword.size();
    return After == FText.size() || !IsIdentChar(FText[After]);
  }

  std::string ReadIdent() {
    std::string_view Word = WordAt(FPos);
    FPos += Word.size();
    return std::string(Word);
  }

  std::string ExpectIdent(const std::string& What) {
    if (!IsIdentStart(Peek())) Fail("expected " + What + " but found " + Found());
    return ReadIdent();
  }

  void ReadObject(TLayoutObject& Obj, int Depth) {
    if (Depth > kMaxLayoutDepth)
      Fail("objects are nested more than " + std::to_string(kMaxLayoutDepth) + " levels deep");
    Obj.Line = FLine;
    FPos += 6; // "object"
    SkipSpaces();
    Obj.Name = ExpectIdent("a component name after 'object'");
    SkipSpaces();
    if (Peek() != ':')
      Fail("expected ':' after component name " + Quoted(Obj.Name) + " but found " + Found());
    ++FPos;
    SkipSpaces();
    Obj.ClassName = ExpectIdent("a class name for component " + Quoted(Obj.Name));
    ExpectLineEnd("after the class name of component " + Quoted(Obj.Name));

    for (;;) {
      SkipBlanks();
      if (AtEnd())
        Fail("the text ends inside component " + Quoted(Obj.Name) + " begun on line " +
             std::to_string(Obj.Line) + "; 'end' expected");
      if (AtKeyword("end")) {
        FPos += 3;
        ExpectLineEnd("after 'end' of component " + Quoted(Obj.Name));
        return;
      }
      if (AtKeyword("object")) {
        Obj.Children.emplace_back();
        ReadObject(Obj.Children.back(), Depth + 1);
      } else if (!Obj.Children.empty()) {
        Fail("expected 'object' or 'end' after the nested components of " + Quoted(Obj.Name) +
             " but found " + Found());
      } else {
        ReadProperty(Obj);
      }
    }
  }

  void ReadProperty(TLayoutObject& Obj) {
    int Line = FLine;
    std::string Name = ExpectIdent("a property name, 'object' or 'end'");
    while (Peek() == '.') {
      ++FPos;
      Name += '.';
      Name += ExpectIdent("a name after " + Quoted(Name));
    }
    SkipSpaces();
    if (Peek() != '=')
      Fail("expected '=' after property name " + Quoted(Name) + " but found " + Found());
    ++FPos;
    SkipSpaces();
    TLayoutValue Value = ReadValue(Name);
    Value.Line = Line;
    ExpectLineEnd("after the value of property " + Quoted(Name));
    Obj.Properties.emplace_back(std::move(Name), std::move(Value));
  }

  TLayoutValue ReadValue(const std::string& Property) {
    TLayoutValue V;
    char C = Peek();
    if (C == '-' || IsDigit(C)) {
      V.Kind = TLayoutValue::TKind::Integer;
      V.Integer = ReadInteger(Property);
    } else if (C == '\'' || C == '#') {
      V.Kind = TLayoutValue::TKind::String;
      V.Text = ReadString(Property);
    } else if (IsIdentStart(C)) {
      V.Kind = TLayoutValue::TKind::Identifier;
      V.Text = ReadIdent();
    } else if (C == '[') {
      V.Kind = TLayoutValue::TKind::Set;
      ReadSet(V, Property);
    } else if (C == '(') {
      V.Kind = TLayoutValue::TKind::StringList;
      ReadStringList(V, Property);
    } else {
      Fail("expected a value for property " + Quoted(Property) + " but found " + Found());
    }
    return V;
  }

  std::int64_t ReadInteger(const std::string& Property) {
    std::size_t Start = FPos;
    bool Negative = Peek() == '-';
    if (Negative) ++FPos;
    if (!IsDigit(Peek()))
      Fail("expected digits after '-' in property " + Quoted(Property) + " but found " + Found());
    // The magnitude of the smallest int64 is one more than that of the largest.
    const std::uint64_t Limit =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (Negative ? 1 : 0);
    std::uint64_t Magnitude = 0;
    bool TooLarge = false;
    while (IsDigit(Peek())) {
      auto Digit = static_cast<std::uint64_t>(Peek() - '0');
      if (Magnitude > (Limit - Digit) / 10) TooLarge = true;
      if (!TooLarge) Magnitude = Magnitude * 10 + Digit;
      ++FPos;
    }
    if (IsIdentChar(Peek()) || Peek() == '.') {
      while (IsIdentChar(Peek()) || Peek() == '.')
        ++FPos;
      Fail("invalid number " + Quoted(FText.substr(Start, FPos - Start)) + " in property " +
           Quoted(Property));
    }
    if (TooLarge)
      Fail("number " + std::string(FText.substr(Start, FPos - Start)) + " in property " +
           Quoted(Property) + " is out of range");
    if (!Negative) return static_cast<std::int64_t>(Magnitude);
    // 0 - Magnitude in unsigned arithmetic is the two's complement, also for
    // the smallest int64, whose magnitude has no positive int64.
    return static_cast<std::int64_t>(0 - Magnitude);
  }

  // Quoted parts and #NN codes written together make one string; a '+' at the
  // end of a line continues it with the next string.
  std::string ReadString(const std::string& Property) {
    std::string Out;
    for (;;) {
      ReadStringPieces(Out, Property);
      SkipSpaces();
      if (Peek() != '+') return Out;
      ++FPos;
      SkipBlanks();
      if (Peek() != '\'' && Peek() != '#')
        Fail("expected a string after '+' in property " + Quoted(Property) + " but found " +
             Found());
    }
  }

  void ReadStringPieces(std::string& Out, const std::string& Property) {
    do {
      if (Peek() == '\'') {
        ++FPos;
        for (;;) {
          if (AtEnd() || IsLineBreak(Peek()))
            Fail("unterminated string in property " + Quoted(Property));
          char C = FText[FPos++];
          if (C != '\'') {
            Out += C;
          } else if (Peek() == '\'') {
            Out += '\'';
            ++FPos;
          } else {
            break;
          }
        }
      } else {
        ++FPos; // '#'
        if (!IsDigit(Peek()))
          Fail("expected a character code after '#' in property " + Quoted(Property) +
               " but found " + Found());
        std::size_t Start = FPos;
        unsigned Code = 0;
        while (IsDigit(Peek())) {
          if (Code <= 255) Code = Code * 10 + static_cast<unsigned>(Peek() - '0');
          ++FPos;
        }
        if (Code > 255)
          Fail("character code #" + std::string(FText.substr(Start, FPos - Start)) +
               " in property " + Quoted(Property) + " is out of range (0 to 255)");
        Out += static_cast<char>(Code);
      }
    } while (Peek() == '\'' || Peek() == '#');
  }

  void ReadSet(TLayoutValue& V, const std::string& Property) {
    ++FPos; // '['
    SkipBlanks();
    if (Peek() == ']') {
      ++FPos;
      return;
    }
    for (;;) {
      V.Items.push_back(ExpectIdent("a set element in property " + Quoted(Property)));
      SkipBlanks();
      if (Peek() == ']') {
        ++FPos;
        return;
      }
      if (Peek() != ',')
        Fail("expected ',' or ']' in the set of property " + Quoted(Property) + " but found " +
             Found());
      ++FPos;
      SkipBlanks();
    }
  }

  void ReadStringList(TLayoutValue& V, const std::string& Property) {
    ++FPos; // '('
    SkipBlanks();
    while (Peek() != ')') {
      if (Peek() != '\'' && Peek() != '#')
        Fail("expected a string or ')' in the list of property " + Quoted(Property) +
             " but found " + Found());
      V.Items.push_back(ReadString(Property));
      SkipBlanks();
    }
    ++FPos;
  }

  std::string_view FResource;
  std::string_view FText;
  std::size_t FPos = 0;
  int FLine = 1;
};

} // namespace

TLayoutObject ParseLayout(std::string_view ResourceName, std::string_view Text) {
  return TParser(ResourceName, Text).ParseRoot();
}

} // namespace tk
