#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The panel's LCD code page: ASCII 0x20..0x7A plus a Cyrillic extension at 0xA0..0xC7 and 0xE0..0xE6.
// Cyrillic letters without a glyph of their own are shown with the Latin letter of the same shape.
// No character is ever rejected: whatever the display cannot show becomes a full stop.
namespace config_zelmar {

// UTF-16 character to LCD code; 0x2E (".") for anything the display cannot show.
uint8_t unicodeToLcd(char16_t c);

// LCD code to UTF-16 character; "." for codes without a glyph.
char16_t lcdToUnicode(uint8_t b);

// The Latin twin of the 19 Cyrillic letters that share their glyph with a Latin letter; c itself otherwise.
char16_t lcdLookAlike(char16_t c);

// Applies lcdLookAlike to every character of text, in place.
void applyLcdLookAlike(std::u16string& text);

// Cuts bytes to their first width bytes, or fills them up with spaces (0x20) to exactly width bytes.
std::vector<uint8_t> fitToWidth(std::vector<uint8_t> bytes, std::size_t width);

// Encodes text character by character and fits it to width bytes.
std::vector<uint8_t> encodeLcdText(const std::u16string& text, std::size_t width);

// Decodes the bytes of a field and strips its trailing spaces (a field of spaces yields an empty text).
std::u16string decodeLcdText(const uint8_t* bytes, std::size_t width);

} // namespace config_zelmar
