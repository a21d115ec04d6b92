#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Decoding and splitting of translation texts.

// The whole text as wide characters, ended at the first NUL. UTF-16LE or UTF-16BE when the
// bytes start with its mark (`unicode` becomes true; an odd last byte is ignored), UTF-8
// after its mark; otherwise every byte in the code page of the language ID the text itself
// names (see LangIdOfLines). UTF-32 and a UTF-8 mark before other text raise ELangError.
std::u16string DecodeTranslationText(std::span<const std::uint8_t> bytes, bool& unicode);

// The lines of a text, split at CR LF, CR or LF; a last line without line end counts.
std::vector<std::u16string_view> SplitTextLines(std::u16string_view text);

// Splits a trimmed line at its first "="; key and value come back trimmed. False when the
// line has no "=" or the key is empty.
bool SplitKeyValue(std::u16string_view line, std::u16string_view& key, std::u16string_view& value);

// The language ID of the first line anywhere whose key is LANGID (any letter case);
// 1033 when there is none or its value is not a language ID.
std::uint16_t LangIdOfLines(const std::vector<std::u16string_view>& lines);

// A language ID written as a decimal number, or `fallback` when it is none (or out of range).
std::uint16_t ParseLangId(std::u16string_view text, std::uint16_t fallback);

// The ANSI code page of a language ID; the system's when the locale data gives none.
std::uint32_t AnsiCodePageOf(std::uint16_t langId);
