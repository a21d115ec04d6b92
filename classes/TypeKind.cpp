#include "classes/TypeKind.h"

const char* TypeKindName(TTypeKind kind) {
    switch (kind) {
    case tkInteger: return "integer";
    case tkChar: return "character";
    case tkEnumeration: return "enumeration";
    case tkSet: return "set";
    case tkClass: return "object";
    case tkMethod: return "event";
    case tkWChar: return "wide character";
    case tkString: return "short string";
    case tkLString: return "string";
    case tkWString: return "wide string";
    case tkInt64: return "64-bit integer";
    case tkUnknown: break;
    }
    return "unknown";
}
