#include "panel_emulator/SerialParityDecoder.h"

#include <gtest/gtest.h>

#include <vector>

using panel_emulator::SerialParityDecoder;

namespace {

std::vector<uint16_t> decode(SerialParityDecoder& decoder, const std::vector<uint8_t>& bytes)
{
    return decoder.decode(bytes.data(), bytes.size());
}

TEST(SerialParityDecoderTest, MarkedCharactersCarryTheNinthBitAndDoubledEscapesAreLiteral)
{
    SerialParityDecoder decoder;
    EXPECT_EQ(decode(decoder, {0xFF, 0x00, 0xF2, 0x10, 0xFF, 0xFF, 0x00}),
              (std::vector<uint16_t>{0x1F2, 0x10, 0xFF, 0x00}));
    EXPECT_EQ(decode(decoder, {0xFF, 0x00, 0xFF}), (std::vector<uint16_t>{0x1FF}));
}

TEST(SerialParityDecoderTest, SequencesSplitAcrossReadsAreJoined)
{
    SerialParityDecoder decoder;
    EXPECT_TRUE(decode(decoder, {0xFF}).empty());
    EXPECT_TRUE(decode(decoder, {0x00}).empty());
    EXPECT_EQ(decode(decoder, {0xF1, 0xFF}), (std::vector<uint16_t>{0x1F1}));
    EXPECT_EQ(decode(decoder, {0xFF}), (std::vector<uint16_t>{0xFF}));
}

} // namespace
