// The memory image reads and writes at panel addresses across pages, ignores addresses outside it,
// and knows which pages differ from the panel, also after a write that fails half-way.

#include "support/FakeLink.h"

#include "boot_loader/BootloaderException.h"
#include "boot_loader/BootloaderProtocol.h"
#include "boot_loader/MemoryImage.h"
#include "boot_loader/ProgressHandler.h"

#include <gtest/gtest.h>

using boot_loader::BufferedMemoryPage;
using boot_loader::MemoryImage;
using test_support::answerBytes;

namespace {

struct RecordingProgress : boot_loader::ProgressHandler
{
    void pageRead(const BufferedMemoryPage& page) override { read.push_back(page.panelCopy().address()); }
    void pageWritten(const BufferedMemoryPage& page) override
    {
        written.push_back(page.panelCopy().address());
    }
    std::vector<uint32_t> read;
    std::vector<uint32_t> written;
};

std::vector<uint8_t> identification()
{
    std::vector<uint8_t> payload(16, 0);
    payload[0] = 0x12;
    payload[5] = 1; // 256-byte pages
    return answerBytes(0xA0, payload);
}

} // namespace

TEST(MemoryImage, NewImageIsAllFFAndUnchanged)
{
    MemoryImage image(1, 0, 256, 1);
    EXPECT_EQ(image.getByte(0), 0xFF);
    EXPECT_EQ(image.modifiedPageCount(), 0);
    image.setByte(5, 0x12);
    image.setByte(5, 0xFF);
    EXPECT_EQ(image.modifiedPageCount(), 0) << "writing back the old value leaves the page unchanged";
}

TEST(MemoryImage, WordsSpanPagesAndEndAtTheImage)
{
    MemoryImage image(0, 0x3E00, 256, 2);
    image.setWord(0x3EFF, 0x1234);
    EXPECT_EQ(image.getByte(0x3EFF), 0x34);
    EXPECT_EQ(image.getByte(0x3F00), 0x12);
    EXPECT_EQ(image.getWord(0x3EFF), 0x1234);
    EXPECT_EQ(image.modifiedPageCount(), 2);
    image.setByte(0x3FFF, 0xAB);
    EXPECT_EQ(image.getWord(0x3FFF), 0x00AB);
}

TEST(MemoryImage, AddressesOutsideReadZeroAndIgnoreWrites)
{
    MemoryImage image(0, 0x3E00, 256, 190);
    for (uint32_t address : {0x3DFFU, 0xFC00U, 0U, 0xFFFFFFFFU}) {
        image.setByte(address, 0x12);
        image.setBit(address, 0, false);
        EXPECT_EQ(image.getByte(address), 0);
        EXPECT_FALSE(image.getBit(address, 0));
    }
    EXPECT_EQ(image.modifiedPageCount(), 0);
    EXPECT_EQ(image.getBytes(0x3DFE, 3), (std::vector<uint8_t>{0, 0, 0xFF}));
}

TEST(MemoryImage, BitsChangeOnlyTheirOwnBit)
{
    MemoryImage image(1, 0, 256, 1);
    image.setBit(7, 6, false);
    EXPECT_EQ(image.getByte(7), 0xBF);
    EXPECT_FALSE(image.getBit(7, 6));
    EXPECT_TRUE(image.getBit(7, 7));
    image.setBit(7, 6, true);
    EXPECT_EQ(image.getByte(7), 0xFF);
    image.setBit(7, 31, false); // beyond the byte: nothing to change
    EXPECT_EQ(image.getByte(7), 0xFF);
}

TEST(MemoryImage, SetBytesPastTheEndKeepsWhatFits)
{
    MemoryImage image(0, 0x3E00, 256, 190);
    image.setBytes(0xFBFE, {1, 2, 3, 4});
    EXPECT_EQ(image.getBytes(0xFBFE, 4), (std::vector<uint8_t>{1, 2, 0, 0}));
    image.setBytes(0xFFFFFFFE, {5, 6, 7, 8}); // runs off the address space: never wraps to address 0
    EXPECT_EQ(image.getByte(0x3E00), 0xFF);
}

TEST(MemoryImage, NothingWrapsRoundTheEndOfTheAddressSpace)
{
    MemoryImage image(1, 0, 256, 1);
    image.setByte(0, 0x5A);
    image.setWord(0xFFFFFFFF, 0x1234);
    EXPECT_EQ(image.getByte(0), 0x5A) << "the high byte of a word at the last address is dropped";
    EXPECT_EQ(image.getWord(0xFFFFFFFF), 0);
    EXPECT_EQ(image.getBytes(0xFFFFFFFE, 4), (std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(image.modifiedPageCount(), 1);
}

TEST(MemoryImage, RevertByteRestoresThePanelValue)
{
    MemoryImage image(1, 0, 256, 1);
    std::vector<uint8_t> panel(256, 0x55);
    ASSERT_TRUE(image.loadPanelCopy(panel));
    image.setByte(3, 0x99);
    image.setByte(4, 0x98);
    image.revertByte(3);
    EXPECT_EQ(image.getByte(3), 0x55);
    EXPECT_EQ(image.getByte(4), 0x98);
}

TEST(MemoryImage, WholeRangeHelpersRefuseTheWrongSize)
{
    MemoryImage image(0, 0x3E00, 256, 2);
    EXPECT_FALSE(image.setAllBytes(std::vector<uint8_t>(511, 0)));
    EXPECT_FALSE(image.loadPanelCopy(std::vector<uint8_t>(513, 0)));
    EXPECT_EQ(image.bytes(), std::vector<uint8_t>(512, 0xFF));

    std::vector<uint8_t> content(512);
    for (std::size_t index = 0; index < content.size(); ++index) {
        content[index] = static_cast<uint8_t>(index * 7);
    }
    ASSERT_TRUE(image.setAllBytes(content));
    EXPECT_EQ(image.getByte(0x3F01), content[0x101]);
    EXPECT_EQ(image.bytes(), content);
    EXPECT_EQ(image.panelBytes(), std::vector<uint8_t>(512, 0xFF));
    EXPECT_EQ(image.modifiedPageCount(), 2);
}

TEST(MemoryImage, ZeroPageSizeHasNoPages)
{
    MemoryImage image(0, 0, 0, 4);
    EXPECT_EQ(image.pageCount(), 0U);
    EXPECT_EQ(image.getByte(0), 0);
}

TEST(MemoryImage, ReadAllFillsBothCopiesAndReportsEveryPage)
{
    test_support::FakeLink link;
    link.state->replies = {identification(), answerBytes(0xA0, std::vector<uint8_t>(256, 1)),
                           answerBytes(0xA0, std::vector<uint8_t>(256, 2))};
    boot_loader::BootloaderProtocol protocol(link.stream);
    MemoryImage image(0, 0x3E00, 256, 2);
    RecordingProgress progress;
    image.readAll(protocol, &progress);
    EXPECT_EQ(progress.read, (std::vector<uint32_t>{0x3E00, 0x3F00}));
    EXPECT_EQ(image.getByte(0x3E00), 1);
    EXPECT_EQ(image.getByte(0x3FFF), 2);
    EXPECT_EQ(image.modifiedPageCount(), 0);
}

TEST(MemoryImage, FailureOnTheThirdPageOfWriteModifiedLeavesTwoPagesClean)
{
    test_support::FakeLink link;
    link.state->replies = {identification(), answerBytes(0xA0), answerBytes(0xA0)}; // then silence
    boot_loader::BootloaderProtocol protocol(link.stream);
    MemoryImage image(0, 0x3E00, 256, 5);
    for (uint32_t page = 0; page < 5; ++page) {
        image.setByte(0x3E00 + page * 256, static_cast<uint8_t>(page));
    }
    RecordingProgress progress;
    EXPECT_THROW(image.writeModified(protocol, &progress), boot_loader::BootloaderException);
    EXPECT_EQ(progress.written, (std::vector<uint32_t>{0x3E00, 0x3F00}));
    EXPECT_FALSE(image.page(0).isModified());
    EXPECT_FALSE(image.page(1).isModified());
    EXPECT_EQ(image.modifiedPageCount(), 3);
}

TEST(MemoryImage, WriteModifiedSendsOnlyChangedPagesAndWriteAllSendsEvery)
{
    test_support::FakeLink link;
    link.state->replies = {identification(), answerBytes(0xA0), answerBytes(0xA0), answerBytes(0xA0),
                           answerBytes(0xA0)};
    boot_loader::BootloaderProtocol protocol(link.stream);
    MemoryImage image(0, 0x3E00, 256, 3);
    image.setByte(0x3F10, 0);
    image.writeModified(protocol, nullptr);
    EXPECT_EQ(link.state->commandCount(), 2U);
    image.writeModified(protocol, nullptr);
    EXPECT_EQ(link.state->commandCount(), 2U) << "nothing left to send";
    RecordingProgress progress;
    image.writeAll(protocol, &progress);
    EXPECT_EQ(progress.written.size(), 3U);
    EXPECT_EQ(link.state->commandCount(), 5U);
}
