// The program keeps Area and Location titles as bytes of the Windows-1252 code page, as the
// simulator's files hold them; text files the user edits elsewhere are UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// The Unicode character of one code page byte. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same number, as
// Windows converts them, so that every byte survives a round trip.
char32_t CodePage1252ToUnicode(uint8_t byte);
// The code page byte of a Unicode character, or nothing when the code page has none.
std::optional<uint8_t> UnicodeToCodePage1252(char32_t c);

// Code page bytes as UTF-8.
std::string CodePage1252ToUtf8(std::string_view bytes);
// Appends the UTF-8 form of `c` to `out`.
void AppendUtf8(std::string& out, char32_t c);

// One character decoded from UTF-8 at the start of `text`: the character and its length in bytes,
// or a length of 0 for a malformed sequence (overlong forms, surrogates and values beyond U+10FFFF
// included).
struct Utf8Char {
  char32_t c = 0;
  size_t length = 0;
};
Utf8Char DecodeUtf8(std::string_view text);

}  // namespace tarnwick
