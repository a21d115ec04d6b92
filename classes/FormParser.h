#pragma once

#include "classes/FormValue.h"

#include <string>
#include <string_view>

// Parses the text of a form definition into its tree of objects:
//
//   object frm_ssView: Tfrm_ssView
//     BorderStyle = bsNone
//     Caption = 'Veltrane'#13#10 + 'more'
//     Font.Height = -11
//     Anchors = [akLeft, akTop]
//     Lines.Strings = ('one' 'two')
//     Columns = < item Width = 10 end >
//     LangData = { 0A00 ... }
//     object tmrEspera: TTimer
//       Interval = 100
//     end
//   end
//
// Keywords are ASCII case-insensitive; "inherited" and "inline" are read like "object".
// Quoted text is 8-bit text in the system's ANSI code page; #nnn (or #$hh) is a UTF-16 code unit.
// Errors raise EFilerError "Error reading <source> line <n>: <what>".
class TFormParser {
public:
    TFormParser(std::string_view text, std::string sourceName);

    // The root object; the text must hold exactly one.
    TFormObject Parse();

private:
    enum TTokenKind { ttEnd, ttIdent, ttInteger, ttFloat, ttString, ttSymbol, ttBinary };
    struct TToken {
        TTokenKind Kind = ttEnd;
        int Line = 1;
        std::string Text;       // identifier, symbol character, or binary hex digits
        std::int64_t Integer = 0;
        double Float = 0;
        std::u16string String;
    };

    void Next();
    void LexString();
    void LexNumber(bool hex);
    void LexBinary();
    [[noreturn]] void Error(const std::string& what, int line) const;
    [[noreturn]] void Expected(const char* what) const;
    bool IsSymbol(char c) const { return FToken.Kind == ttSymbol && FToken.Text[0] == c; }
    bool IsKeyword(const char* word) const;
    void ExpectSymbol(char c);
    std::string ExpectIdent(const char* what);
    std::string DottedIdent(const char* what);

    TFormObject ParseObject(int depth);
    TFormProperty ParseProperty(int depth);
    TFormValue ParseValue(int depth);
    void Enter(int depth) const;

    std::string_view FText;
    std::string FSourceName;
    std::size_t FPos = 0;
    int FLine = 1;
    TToken FToken;
};
