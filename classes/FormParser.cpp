#include "classes/FormParser.h"

#include "classes/Errors.h"
#include "platform/AsciiText.h"

#include "platform/CodePage.h"
#include "platform/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// Deep nesting is refused rather than risking the stack on hostile input.
constexpr int MaxDepth = 200;

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return HexDigitValue(c) >= 0; }

void AppendAnsi(std::u16string& out, std::string_view bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            out += MultiByteToWide(CP_ACP, bytes);
            return;
        }
    }
    for (char c : bytes) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
}

}  // namespace

TFormParser::TFormParser(std::string_view text, std::string sourceName) : FText(text), FSourceName(std::move(sourceName)) {
    if (FText.size() >= 3 && FText.substr(0, 3) == "\xEF\xBB\xBF") FPos = 3;
}

void TFormParser::Error(const std::string& what, int line) const {
    throw EFilerError("Error reading " + FSourceName + " line " + std::to_string(line) + ": " + what);
}

void TFormParser::Expected(const char* what) const {
    std::string found;
    switch (FToken.Kind) {
    case ttEnd: found = "the end of the text"; break;
    case ttIdent: found = "'" + FToken.Text + "'"; break;
    case ttSymbol: found = "'" + FToken.Text + "'"; break;
    case ttInteger: case ttFloat: found = "a number"; break;
    case ttString: found = "a string"; break;
    case ttBinary: found = "binary data"; break;
    }
    Error(std::string(what) + " expected but " + found + " found", FToken.Line);
}

bool TFormParser::IsKeyword(const char* word) const { return FToken.Kind == ttIdent && SameText(FToken.Text, word); }

void TFormParser::ExpectSymbol(char c) {
    if (!IsSymbol(c)) {
        const char text[] = {'\'', c, '\'', 0};
        Expected(text);
    }
    Next();
}

std::string TFormParser::ExpectIdent(const char* what) {
    if (FToken.Kind != ttIdent) Expected(what);
    std::string result = FToken.Text;
    Next();
    return result;
}

std::string TFormParser::DottedIdent(const char* what) {
    std::string result = ExpectIdent(what);
    while (IsSymbol('.')) {
        Next();
        result += '.';
        result += ExpectIdent("identifier");
    }
    return result;
}

void TFormParser::Enter(int depth) const {
    if (depth > MaxDepth) Error("nesting too deep", FToken.Line);
}

void TFormParser::Next() {
    // Skip blanks and count lines (CR LF, LF or a lone CR end a line).
    while (FPos < FText.size()) {
        const char c = FText[FPos];
        if (c == '\n') {
            ++FLine;
        } else if (c == '\r') {
            if (FPos + 1 >= FText.size() || FText[FPos + 1] != '\n') ++FLine;
        } else if (c != ' ' && c != '\t' && c != '\f' && c != '\v') {
            break;
        }
        ++FPos;
    }
    FToken = TToken();
    FToken.Line = FLine;
    if (FPos >= FText.size()) {
        FToken.Kind = ttEnd;
        return;
    }
    const char c = FText[FPos];
    if (IsIdentStart(c)) {
        const std::size_t start = FPos;
        while (FPos < FText.size() && (IsIdentStart(FText[FPos]) || IsDigit(FText[FPos]))) ++FPos;
        FToken.Kind = ttIdent;
        FToken.Text = std::string(FText.substr(start, FPos - start));
    } else if (IsDigit(c)) {
        LexNumber(false);
    } else if (c == '$') {
        ++FPos;
        LexNumber(true);
    } else if (c == '\'' || c == '#') {
        LexString();
    } else if (c == '{') {
        LexBinary();
    } else if (std::string_view("=:.,[]()<>+-").find(c) != std::string_view::npos) {
        FToken.Kind = ttSymbol;
        FToken.Text = std::string(1, c);
        ++FPos;
    } else {
        Error("invalid character (code " + std::to_string(static_cast<unsigned char>(c)) + ")", FLine);
    }
}

void TFormParser::LexNumber(bool hex) {
    const std::size_t start = FPos;
    if (hex) {
        while (FPos < FText.size() && IsHexDigit(FText[FPos])) {
            if (FPos - start >= 16) Error("hexadecimal number too long", FLine);
            ++FPos;
        }
        if (FPos == start) Error("hexadecimal digits expected after '$'", FLine);
        // Sixteen digits always fit; the top bit makes the number negative.
        FToken.Kind = ttInteger;
        FToken.Integer = static_cast<std::int64_t>(*ParseNumber<std::uint64_t>(FText.substr(start, FPos - start), 16));
        return;
    }
    while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    bool isFloat = false;
    if (FPos + 1 < FText.size() && FText[FPos] == '.' && IsDigit(FText[FPos + 1])) {
        isFloat = true;
        ++FPos;
        while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    }
    if (FPos < FText.size() && (FText[FPos] == 'e' || FText[FPos] == 'E')) {
        std::size_t p = FPos + 1;
        if (p < FText.size() && (FText[p] == '+' || FText[p] == '-')) ++p;
        if (p < FText.size() && IsDigit(FText[p])) {
            isFloat = true;
            FPos = p;
            while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
        }
    }
    const std::string text(FText.substr(start, FPos - start));
    if (isFloat) {
        FToken.Kind = ttFloat;
        FToken.Float = std::strtod(text.c_str(), nullptr);
        if (!std::isfinite(FToken.Float)) Error("number out of range", FLine);
        return;
    }
    const auto value = ParseNumber<std::int64_t>(text);
    if (!value) Error("number out of range", FLine);
    FToken.Kind = ttInteger;
    FToken.Integer = *value;
}

void TFormParser::LexString() {
    FToken.Kind = ttString;
    while (FPos < FText.size() && (FText[FPos] == '\'' || FText[FPos] == '#')) {
        if (FText[FPos] == '#') {
            ++FPos;
            const bool hex = FPos < FText.size() && FText[FPos] == '$';
            if (hex) ++FPos;
            const std::size_t first = FPos;
            while (FPos < FText.size() && (hex ? IsHexDigit(FText[FPos]) : IsDigit(FText[FPos]))) ++FPos;
            if (FPos == first) Error("character code expected after '#'", FLine);
            const auto code = ParseNumber<std::uint32_t>(FText.substr(first, FPos - first), hex ? 16 : 10);
            if (!code || *code > 0xFFFF) Error("character code out of range", FLine);
            FToken.String.push_back(static_cast<char16_t>(*code));
            continue;
        }
        ++FPos;  // opening quote
        std::string bytes;
        for (;;) {
            if (FPos >= FText.size() || FText[FPos] == '\r' || FText[FPos] == '\n') Error("unterminated string", FLine);
            const char c = FText[FPos++];
            if (c == '\'') {
                if (FPos < FText.size() && FText[FPos] == '\'') {
                    bytes.push_back('\'');
                    ++FPos;
                    continue;
                }
                break;
            }
            bytes.push_back(c);
        }
        AppendAnsi(FToken.String, bytes);
    }
}

void TFormParser::LexBinary() {
    const int startLine = FLine;
    ++FPos;  // '{'
    FToken.Kind = ttBinary;
    for (;;) {
        if (FPos >= FText.size()) Error("unterminated binary data", startLine);
        const char c = FText[FPos++];
        if (c == '}') break;
        if (c == '\n') {
            ++FLine;
        } else if (c == '\r') {
            if (FPos >= FText.size() || FText[FPos] != '\n') ++FLine;
        } else if (c == ' ' || c == '\t') {
        } else if (IsHexDigit(c)) {
            FToken.Text.push_back(c);
        } else {
            Error("invalid character in binary data", FLine);
        }
    }
    if (FToken.Text.size() % 2 != 0) Error("odd number of hexadecimal digits in binary data", FLine);
}

TFormObject TFormParser::Parse() {
    Next();
    if (!IsKeyword("object") && !IsKeyword("inherited") && !IsKeyword("inline")) Expected("'object'");
    TFormObject root = ParseObject(0);
    if (FToken.Kind != ttEnd) Expected("end of text");
    return root;
}

TFormObject TFormParser::ParseObject(int depth) {
    Enter(depth);
    TFormObject object;
    object.Line = FToken.Line;
    Next();  // object / inherited / inline
    std::string first = ExpectIdent("component name or class name");
    if (IsSymbol(':')) {
        Next();
        object.Name = std::move(first);
        object.ClassName = ExpectIdent("class name");
    } else {
        object.ClassName = std::move(first);
    }
    if (IsSymbol('[')) {  // creation order of an inherited component: not used here
        Next();
        if (FToken.Kind != ttInteger) Expected("integer");
        Next();
        ExpectSymbol(']');
    }
    for (;;) {
        if (IsKeyword("end")) {
            Next();
            return object;
        }
        if (IsKeyword("object") || IsKeyword("inherited") || IsKeyword("inline")) {
            object.Children.push_back(ParseObject(depth + 1));
        } else if (FToken.Kind == ttIdent) {
            object.Properties.push_back(ParseProperty(depth));
        } else {
            Expected("property name or 'end'");
        }
    }
}

TFormProperty TFormParser::ParseProperty(int depth) {
    TFormProperty property;
    property.Line = FToken.Line;
    property.Name = DottedIdent("property name");
    ExpectSymbol('=');
    property.Value = ParseValue(depth + 1);
    return property;
}

TFormValue TFormParser::ParseValue(int depth) {
    Enter(depth);
    TFormValue value;
    value.Line = FToken.Line;
    switch (FToken.Kind) {
    case ttInteger:
        value.Kind = fvInteger;
        value.Integer = FToken.Integer;
        Next();
        return value;
    case ttFloat:
        value.Kind = fvFloat;
        value.Float = FToken.Float;
        Next();
        return value;
    case ttString:
        value.Kind = fvString;
        value.String = FToken.String;
        Next();
        while (IsSymbol('+')) {
            Next();
            if (FToken.Kind != ttString) Expected("string");
            value.String += FToken.String;
            Next();
        }
        return value;
    case ttIdent:
        value.Kind = fvIdent;
        value.Ident = DottedIdent("identifier");
        return value;
    case ttBinary:
        value.Kind = fvBinary;
        value.Bytes.reserve(FToken.Text.size() / 2);
        for (std::size_t i = 0; i + 1 < FToken.Text.size(); i += 2)
            value.Bytes.push_back(static_cast<std::uint8_t>(HexDigitValue(FToken.Text[i]) * 16 + HexDigitValue(FToken.Text[i + 1])));
        Next();
        return value;
    case ttSymbol:
        break;
    case ttEnd:
        Expected("property value");
    }
    if (IsSymbol('-')) {
        Next();
        if (FToken.Kind == ttInteger) {
            if (FToken.Integer == INT64_MIN) Error("number out of range", FToken.Line);
            value.Kind = fvInteger;
            value.Integer = -FToken.Integer;
        } else if (FToken.Kind == ttFloat) {
            value.Kind = fvFloat;
            value.Float = -FToken.Float;
        } else {
            Expected("number");
        }
        Next();
        return value;
    }
    if (IsSymbol('[')) {
        value.Kind = fvSet;
        Next();
        if (!IsSymbol(']')) {
            for (;;) {
                value.SetNames.push_back(ExpectIdent("set element"));
                if (IsSymbol(']')) break;
                ExpectSymbol(',');
            }
        }
        Next();
        return value;
    }
    if (IsSymbol('(')) {
        value.Kind = fvList;
        Next();
        while (!IsSymbol(')')) value.List.push_back(ParseValue(depth + 1));
        Next();
        return value;
    }
    if (IsSymbol('<')) {
        value.Kind = fvCollection;
        Next();
        while (!IsSymbol('>')) {
            if (!IsKeyword("item")) Expected("'item' or '>'");
            TFormItem item;
            item.Line = FToken.Line;
            Next();
            while (!IsKeyword("end")) {
                if (FToken.Kind != ttIdent) Expected("property name or 'end'");
                item.Properties.push_back(ParseProperty(depth + 1));
            }
            Next();
            value.Items.push_back(std::move(item));
        }
        Next();
        return value;
    }
    Expected("property value");
}
