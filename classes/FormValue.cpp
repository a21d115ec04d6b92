#include "classes/FormValue.h"

#include "platform/CodePage.h"

std::string TFormValue::AnsiString() const {
    std::string result;
    result.reserve(String.size());
    for (char16_t c : String) {
        if (c >= 0x80) return WideToMultiByte(CP_ACP, String);
        result.push_back(static_cast<char>(c));
    }
    return result;
}

const char* TFormValue::KindName() const {
    switch (Kind) {
    case fvInteger: return "an integer";
    case fvFloat: return "a floating-point number";
    case fvString: return "a string";
    case fvIdent: return "an identifier";
    case fvSet: return "a set";
    case fvBinary: return "binary data";
    case fvList: return "a list";
    case fvCollection: return "a collection";
    }
    return "a value";
}
