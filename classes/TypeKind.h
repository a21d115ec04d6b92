#pragma once

// The kinds of published properties, and the storage size of ordinal ones.
enum TTypeKind {
    tkUnknown,
    tkInteger,     // signed or unsigned integer up to 32 bits
    tkChar,        // one 8-bit character
    tkEnumeration, // a named ordinal (Boolean included)
    tkSet,         // a set of a named ordinal
    tkClass,       // an object reference or an owned sub-object
    tkMethod,      // an event
    tkWChar,       // one UTF-16 code unit
    tkString,      // short 8-bit string (at most 255 bytes)
    tkLString,     // long 8-bit string
    tkWString,     // wide (UTF-16) string
    tkInt64        // 64-bit integer
};

enum TOrdType { otSByte, otUByte, otSWord, otUWord, otSLong, otULong, otSQWord };

// A short readable name of a kind, used in error messages ("string", "integer", ...).
const char* TypeKindName(TTypeKind kind);
