// The LCD code page: encoding, decoding, look-alike correction and fitting names to their fields.
#include "config_zelmar/LCDCharset.h"
#include "config_zelmar/PanelDescription.h"

#include <gtest/gtest.h>

using namespace config_zelmar;

namespace {

std::vector<uint8_t> encode(const std::u16string& text)
{
    std::vector<uint8_t> bytes;
    for (char16_t c : text) {
        bytes.push_back(unicodeToLcd(c));
    }
    return bytes;
}

} // namespace

TEST(LCDCharset, CorrectsAndEncodesCyrillicWordsWithOwnGlyphsAndLatinTwins)
{
    std::u16string door = u"Дверь";
    applyLcdLookAlike(door);
    EXPECT_EQ(door, std::u16string(u"Дв") + u"ep" + u"ь");
    EXPECT_EQ(encode(door), (std::vector<uint8_t>{0xE0, 0xB3, 0x65, 0x70, 0xC4}));
    EXPECT_EQ(decodeLcdText(encode(door).data(), 5), door);

    std::u16string softSignYa = u"ЬЯ";
    applyLcdLookAlike(softSignYa);
    EXPECT_EQ(softSignYa, u"bЯ");
    EXPECT_EQ(encode(softSignYa), (std::vector<uint8_t>{0x62, 0xB1}));
}

TEST(LCDCharset, EveryCyrillicLetterRoundTripsToItsCorrectedForm)
{
    for (char16_t c = u'\u0410'; c <= u'\u044F'; ++c) {
        const char16_t corrected = lcdLookAlike(c);
        EXPECT_EQ(lcdToUnicode(unicodeToLcd(c)), corrected) << int(c);
    }
    EXPECT_EQ(unicodeToLcd(u'Ё'), 0xA2);
    EXPECT_EQ(unicodeToLcd(u'ё'), 0xB5);
    EXPECT_EQ(lcdToUnicode(0xA2), u'Ё');
}

TEST(LCDCharset, LowerCaseLettersWithOwnGlyphsAreNotReplaced)
{
    EXPECT_EQ(unicodeToLcd(u'к'), 0xBA);
    EXPECT_EQ(unicodeToLcd(u'м'), 0xBC);
    EXPECT_EQ(unicodeToLcd(u'н'), 0xBD);
    EXPECT_EQ(unicodeToLcd(u'т'), 0xBF);
    EXPECT_EQ(lcdLookAlike(u'к'), u'к');
    EXPECT_EQ(lcdLookAlike(u'К'), u'K');
    EXPECT_EQ(lcdLookAlike(u'Т'), u'T');
}

TEST(LCDCharset, CharactersOutsideTheCodePageBecomeFullStops)
{
    for (char16_t c : {u'\u0402', u'\u040F', u'\u0450', u'{', u'|', u'}', u'~', u'\u007F', u'é', u'\u0009',
                       u'\u4E2D', u'\uFFFF', u'\u0400', u'\u0452'}) {
        EXPECT_EQ(unicodeToLcd(c), 0x2E) << int(c);
    }
    EXPECT_EQ(unicodeToLcd(u' '), 0x20);
    EXPECT_EQ(unicodeToLcd(u'z'), 0x7A);
}

TEST(LCDCharset, CodesWithoutGlyphDecodeAsFullStops)
{
    for (int b = 0; b <= 0xFF; ++b) {
        const bool hasGlyph =
            (b >= 0x20 && b <= 0x7A) || (b >= 0xA0 && b <= 0xC7) || (b >= 0xE0 && b <= 0xE6);
        if (!hasGlyph) {
            EXPECT_EQ(lcdToUnicode(static_cast<uint8_t>(b)), u'.') << b;
        }
    }
    EXPECT_EQ(lcdToUnicode(0xE6), u'щ');
    EXPECT_EQ(lcdToUnicode(0xC7), u'я');
}

TEST(LCDCharset, FitsNamesToTheirFieldWidth)
{
    const std::u16string longName(25, u'x');
    EXPECT_EQ(encodeLcdText(longName, panel_description::deviceNameWidth), std::vector<uint8_t>(20, 'x'));

    const std::vector<uint8_t> shortField = encodeLcdText(u"abc", panel_description::deviceNameWidth);
    ASSERT_EQ(shortField.size(), 20u);
    EXPECT_EQ(std::count(shortField.begin(), shortField.end(), 0x20), 17);
    EXPECT_EQ(decodeLcdText(shortField.data(), shortField.size()), u"abc");

    EXPECT_EQ(fitToWidth({1, 2, 3}, 2), (std::vector<uint8_t>{1, 2}));
}

TEST(LCDCharset, ReadingStripsTrailingSpacesOnly)
{
    const std::vector<uint8_t> spaces(10, 0x20);
    EXPECT_EQ(decodeLcdText(spaces.data(), spaces.size()), u"");
    const std::vector<uint8_t> padded = encodeLcdText(u" a b  ", 10);
    EXPECT_EQ(decodeLcdText(padded.data(), padded.size()), u" a b");
    const std::vector<uint8_t> erased(10, 0xFF);
    EXPECT_EQ(decodeLcdText(erased.data(), erased.size()), u"..........");
}
