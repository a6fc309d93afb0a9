#include "config_zelmar/LCDCharset.h"

#include <algorithm>
#include <array>

namespace config_zelmar {

namespace {

constexpr uint8_t fullStop = 0x2E;
constexpr uint8_t firstCyrillicCode = 0xA0;
constexpr char16_t firstEncodedChar = u'\u0401'; // Ё
constexpr char16_t lastEncodedChar = u'\u0451';  // ё

// LCD codes 0xA0..0xE6; the 24 codes 0xC8..0xDF have no glyph.
constexpr std::u16string_view cyrillicGlyphs =
    u"БГЁЖЗИЙЛПУФЧШЪЫЭЮЯбвгёжзийклмнптчшъыьэюя........................ДЦЩдфцщ";

struct LookAlike
{
    char16_t cyrillic;
    char16_t latin;
};

// Cyrillic letters drawn with the glyph of a Latin letter.
constexpr std::array<LookAlike, 19> lookAlikes{{
    {u'\u0410', u'A'}, {u'\u0412', u'B'}, {u'\u0415', u'E'}, {u'\u041A', u'K'}, {u'\u041C', u'M'},
    {u'\u041D', u'H'}, {u'\u041E', u'O'}, {u'\u0420', u'P'}, {u'\u0421', u'C'}, {u'\u0422', u'T'},
    {u'\u0425', u'X'}, {u'\u042C', u'b'}, {u'\u0430', u'a'}, {u'\u0435', u'e'}, {u'\u043E', u'o'},
    {u'\u0440', u'p'}, {u'\u0441', u'c'}, {u'\u0443', u'y'}, {u'\u0445', u'x'},
}};

bool isAsciiLetter(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool isCyrillic(char16_t c)
{
    return c >= u'\u0400' && c <= u'\u04FF';
}

bool isWordLetter(char16_t c)
{
    return isAsciiLetter(c) || isCyrillic(c);
}

// The Cyrillic letter whose glyph the Latin letter stands for; 0 for a letter without a twin.
char16_t cyrillicTwin(char16_t latin)
{
    for (const LookAlike& pair : lookAlikes) {
        if (pair.latin == latin) {
            return pair.cyrillic;
        }
    }
    return 0;
}

struct Word
{
    std::size_t begin;
    std::size_t end;
    bool hasCyrillic = false;
    bool hasLatinWithoutTwin = false;
};

std::vector<Word> wordsOf(const std::u16string& text)
{
    std::vector<Word> words;
    for (std::size_t i = 0; i < text.size();) {
        if (!isWordLetter(text[i])) {
            ++i;
            continue;
        }
        Word word{i, i};
        for (; word.end < text.size() && isWordLetter(text[word.end]); ++word.end) {
            const char16_t c = text[word.end];
            word.hasCyrillic = word.hasCyrillic || isCyrillic(c);
            word.hasLatinWithoutTwin = word.hasLatinWithoutTwin || (isAsciiLetter(c) && cyrillicTwin(c) == 0);
        }
        i = word.end;
        words.push_back(word);
    }
    return words;
}

bool isAsciiGlyph(unsigned value)
{
    return value >= 0x20 && value <= 0x7A;
}

uint8_t encodeCyrillic(char16_t c)
{
    const char16_t latin = lcdLookAlike(c);
    if (latin != c) {
        return static_cast<uint8_t>(latin);
    }
    const std::size_t position = cyrillicGlyphs.find(c);
    if (position == std::u16string_view::npos) {
        return fullStop;
    }
    return static_cast<uint8_t>(firstCyrillicCode + position);
}

using EncoderTable = std::array<uint8_t, lastEncodedChar - firstEncodedChar + 1>;

EncoderTable makeEncoderTable()
{
    EncoderTable table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = encodeCyrillic(static_cast<char16_t>(firstEncodedChar + i));
    }
    return table;
}

} // namespace

uint8_t unicodeToLcd(char16_t c)
{
    static const EncoderTable encoderTable = makeEncoderTable();
    if (isAsciiGlyph(c)) {
        return static_cast<uint8_t>(c);
    }
    if (c >= firstEncodedChar && c <= lastEncodedChar) {
        return encoderTable[c - firstEncodedChar];
    }
    return fullStop;
}

char16_t lcdToUnicode(uint8_t b)
{
    if (isAsciiGlyph(b)) {
        return b;
    }
    if (b >= firstCyrillicCode && std::size_t(b - firstCyrillicCode) < cyrillicGlyphs.size()) {
        return cyrillicGlyphs[b - firstCyrillicCode];
    }
    return u'.';
}

char16_t lcdLookAlike(char16_t c)
{
    for (const LookAlike& pair : lookAlikes) {
        if (pair.cyrillic == c) {
            return pair.latin;
        }
    }
    return c;
}

void applyLcdLookAlike(std::u16string& text)
{
    std::transform(text.begin(), text.end(), text.begin(), lcdLookAlike);
}

std::u16string lcdReadable(const std::u16string& text)
{
    const std::vector<Word> words = wordsOf(text);
    const bool holdsLatinWord = std::any_of(words.begin(), words.end(), [](const Word& word) {
        return word.hasLatinWithoutTwin && !word.hasCyrillic;
    });
    std::u16string readable = text;
    for (const Word& word : words) {
        const bool russian = word.hasCyrillic || (!word.hasLatinWithoutTwin && !holdsLatinWord);
        for (std::size_t i = word.begin; russian && i < word.end; ++i) {
            if (const char16_t twin = cyrillicTwin(readable[i]); twin != 0) {
                readable[i] = twin;
            }
        }
    }
    return readable;
}

std::vector<uint8_t> fitToWidth(std::vector<uint8_t> bytes, std::size_t width)
{
    bytes.resize(width, 0x20);
    return bytes;
}

std::vector<uint8_t> encodeLcdText(const std::u16string& text, std::size_t width)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(std::min(text.size(), width));
    for (std::size_t i = 0; i < text.size() && i < width; ++i) {
        bytes.push_back(unicodeToLcd(text[i]));
    }
    return fitToWidth(std::move(bytes), width);
}

std::u16string decodeLcdText(const uint8_t* bytes, std::size_t width)
{
    std::u16string text;
    text.reserve(width);
    for (std::size_t i = 0; i < width; ++i) {
        text.push_back(lcdToUnicode(bytes[i]));
    }
    const std::size_t end = text.find_last_not_of(u' ');
    text.erase(end == std::u16string::npos ? 0 : end + 1);
    return text;
}

} // namespace config_zelmar
