// Command frames and the CRC-16 go out character for character as the panel's loader expects them.

#include "boot_loader/Command.h"
#include "boot_loader/Crc16.h"
#include "boot_loader/MemoryPage.h"

#include <gtest/gtest.h>

#include <string>

using boot_loader::Command;
using boot_loader::Crc16;
using Characters = std::vector<uint16_t>;

TEST(Crc16, WorkedExamples)
{
    EXPECT_EQ(Crc16::of({0xF1}), 0xC47E);
    EXPECT_EQ(Crc16::of({0xF4}), 0xC7BE);
    EXPECT_EQ(Crc16::of({0xA0}), 0x38BF);
    const std::string text = "123456789";
    EXPECT_EQ(Crc16::of(reinterpret_cast<const uint8_t*>(text.data()), text.size()), 0x4B37);
}

TEST(Crc16, IgnoresTheNinthBitAndEndsAtZeroOverAnIntactFrame)
{
    EXPECT_EQ(Crc16::ofCharacters({0x1F1}), 0xC47E);
    EXPECT_EQ(Crc16::ofCharacters({0x1F1, 0x07E, 0x0C4}), 0);
}

TEST(Command, ShortFrames)
{
    EXPECT_EQ(Command::identify().characters, (Characters{0x1F1, 0x07E, 0x0C4}));
    EXPECT_EQ(Command::finish().characters, (Characters{0x1F4, 0x0BE, 0x0C7}));
    EXPECT_EQ(Command::setSpeed(0x23).characters, (Characters{0x1F5, 0x023, 0x007, 0x039}));
}

TEST(Command, ReadPageCarriesTheSpaceInBit7OfTheThirdAddressCharacter)
{
    EXPECT_EQ(Command::readPage(1, 0x100).characters, (Characters{0x1F2, 0x000, 0x001, 0x080, 0x032, 0x0AC}));
    const Characters space0 = Command::readPage(0, 0xFF3E00).characters;
    EXPECT_EQ(space0[1], 0x000);
    EXPECT_EQ(space0[2], 0x03E);
    EXPECT_EQ(space0[3], 0x07F) << "space 0 clears bit 7 even when the address has it";
    EXPECT_EQ(Crc16::ofCharacters(space0), 0);
}

TEST(Command, WritePageAndChecksumFrames)
{
    boot_loader::MemoryPage page(0, 0x3E00, 256);
    page.setByte(0x3E00, 0x12);
    page.setByte(0x3EFF, 0x34);
    const Characters write = Command::writePage(page).characters;
    ASSERT_EQ(write.size(), 262U);
    EXPECT_EQ(write[0], 0x1F3);
    EXPECT_EQ(write[4], 0x012);
    EXPECT_EQ(write[259], 0x034);
    EXPECT_EQ(Crc16::ofCharacters(write), 0);
    for (std::size_t index = 1; index < write.size(); ++index) {
        ASSERT_LT(write[index], 0x100) << "only the code carries the ninth bit";
    }

    const Characters checksum = Command::checksum(0, 0x3E00, 0xBE00).characters;
    ASSERT_EQ(checksum.size(), 8U);
    EXPECT_EQ((Characters(checksum.begin(), checksum.begin() + 6)),
              (Characters{0x1F6, 0x000, 0x03E, 0x000, 0x000, 0x0BE}));
    EXPECT_EQ(Crc16::ofCharacters(checksum), 0);
}
