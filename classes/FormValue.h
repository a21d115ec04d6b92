#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TFormItem;

// One value of a form definition, as written.
enum TFormValueKind {
    fvInteger,    // 42, -11, $FF
    fvFloat,      // 1.5
    fvString,     // 'text' #13#10 'more' + 'joined'
    fvIdent,      // bsNone, True, FormCreate, Panel1.Button1, nil
    fvSet,        // [akLeft, akTop]
    fvBinary,     // { 0A1B ... }
    fvList,       // ('a' 'b')
    fvCollection  // < item ... end >
};

struct TFormValue {
    TFormValueKind Kind = fvInteger;
    int Line = 0;
    std::int64_t Integer = 0;
    double Float = 0;
    std::u16string String;               // quoted text decoded in the ANSI code page, #nnn as UTF-16 units
    std::string Ident;                   // an identifier, dotted parts joined by "."
    std::vector<std::string> SetNames;
    std::vector<std::uint8_t> Bytes;
    std::vector<TFormValue> List;
    std::vector<TFormItem> Items;

    // The string as 8-bit text in the system's ANSI code page.
    std::string AnsiString() const;
    // "an integer", "a string", ... for messages.
    const char* KindName() const;
};

struct TFormProperty {
    std::string Name;  // dotted path: "Font.Name"
    TFormValue Value;
    int Line = 0;
};

struct TFormItem {
    std::vector<TFormProperty> Properties;
    int Line = 0;
};

struct TFormObject {
    std::string Name;        // may be empty
    std::string ClassName;
    int Line = 0;
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
};
