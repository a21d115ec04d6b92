#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The family and style names of the faces in a TrueType or OpenType file (a collection
// holds several), read from each face's naming table.
struct TTrueTypeName {
    int Index = 0;
    std::string Family;    // UTF-8
    std::string Style;     // "Regular", "Bold", "Italic", "Bold Italic", ...
};

// Empty when the bytes are no font file this understands; never reads outside them.
std::vector<TTrueTypeName> ReadTrueTypeNames(const std::vector<std::uint8_t>& file);
