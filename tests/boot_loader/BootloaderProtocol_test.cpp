// Transactions retry as the loader needs, resynchronise a stuck panel, set each time-out once and
// decode the identification.

#include "support/FakeLink.h"

#include "boot_loader/BootloaderException.h"
#include "boot_loader/BootloaderProtocol.h"
#include "boot_loader/MemoryPage.h"

#include <gtest/gtest.h>

#include <algorithm>

using boot_loader::BootloaderException;
using boot_loader::BootloaderInfo;
using boot_loader::BootloaderProtocol;
using test_support::answerBytes;
using test_support::FakeLink;
using test_support::FakePortState;

namespace {

std::vector<uint8_t> identification(uint8_t version, uint16_t pageSize, const std::string& name,
                                    uint8_t byte15 = 0)
{
    std::vector<uint8_t> payload(16, 0);
    payload[0] = version;
    payload[4] = static_cast<uint8_t>(pageSize & 0xFF);
    payload[5] = static_cast<uint8_t>(pageSize >> 8);
    std::copy(name.begin(), name.end(), payload.begin() + 8);
    payload[15] = byte15;
    return payload;
}

std::vector<uint8_t> panelIdentification()
{
    return answerBytes(0xA0, identification(0x12, 256, "Z-ZL3"));
}

int failureCode(const std::function<void()>& action)
{
    try {
        action();
    } catch (const BootloaderException& failure) {
        return failure.code();
    }
    return -1;
}

bool isPrefix(const FakePortState::Write& write)
{
    return write.parity == rs485::Parity::Space && write.bytes == std::vector<uint8_t>(261, 0);
}

std::size_t prefixCount(const FakePortState& state)
{
    return static_cast<std::size_t>(std::count_if(state.writes.begin(), state.writes.end(), isPrefix));
}

} // namespace

TEST(BootloaderProtocol, SilentPanelGetsThreeAttemptsAndThePrefixOnlyBeforeTheSecond)
{
    FakeLink link;
    BootloaderProtocol protocol(link.stream);
    EXPECT_EQ(failureCode([&] { protocol.finish(); }), BootloaderException::NoAnswer);
    const auto& writes = link.state->writes;
    ASSERT_EQ(writes.size(), 7U); // command, prefix + command, command
    EXPECT_EQ(link.state->commandCount(), 3U);
    EXPECT_EQ(prefixCount(*link.state), 1U);
    EXPECT_TRUE(isPrefix(writes[2]));
    EXPECT_EQ(writes[3].parity, rs485::Parity::Mark);
}

TEST(BootloaderProtocol, BadCrcThenGoodAnswerNeedsTwoAttemptsWithoutPrefix)
{
    FakeLink link;
    std::vector<uint8_t> damaged = answerBytes(0xA0);
    damaged.back() ^= 1;
    link.state->replies = {damaged, answerBytes(0xA0)};
    BootloaderProtocol protocol(link.stream);
    protocol.finish();
    EXPECT_EQ(link.state->commandCount(), 2U);
    EXPECT_EQ(prefixCount(*link.state), 0U);
}

TEST(BootloaderProtocol, WrongAddressThreeTimesIsCodeFourAfterTheThirdAttempt)
{
    FakeLink link;
    link.state->replies = {answerBytes(0xA2), answerBytes(0xA2), answerBytes(0xA2), panelIdentification()};
    BootloaderProtocol protocol(link.stream);
    EXPECT_EQ(failureCode([&] { protocol.refreshInfo(); }), BootloaderException::CommandAddress);
    EXPECT_EQ(link.state->commandCount(), 3U);
    EXPECT_FALSE(protocol.infoValid());
}

TEST(BootloaderProtocol, SilenceAfterTheFirstAttemptSendsNoPrefix)
{
    FakeLink link;
    link.state->replies = {answerBytes(0xA1), std::nullopt, std::nullopt};
    BootloaderProtocol protocol(link.stream);
    EXPECT_EQ(failureCode([&] { protocol.finish(); }), BootloaderException::NoAnswer);
    EXPECT_EQ(prefixCount(*link.state), 0U);
}

TEST(BootloaderProtocol, PortFailureIsCodeZeroAtOnce)
{
    FakeLink link;
    link.state->failing = true;
    BootloaderProtocol protocol(link.stream);
    EXPECT_EQ(failureCode([&] { protocol.finish(); }), BootloaderException::PortFailure);
    EXPECT_EQ(link.state->writes.size(), 0U);
}

TEST(BootloaderProtocol, IdentifiesOnceUntilRefreshed)
{
    FakeLink link;
    link.state->replies = {panelIdentification(), panelIdentification()};
    BootloaderProtocol protocol(link.stream);
    protocol.info();
    const BootloaderInfo& info = protocol.info();
    EXPECT_EQ(link.state->commandCount(), 1U);
    EXPECT_EQ(info.version, 0x12);
    EXPECT_EQ(info.pageSize, 256);
    EXPECT_EQ(info.deviceName, "Z-ZL3");
    protocol.refreshInfo();
    EXPECT_EQ(link.state->commandCount(), 2U);
}

TEST(BootloaderProtocol, TimeoutsAreAppliedOnlyWhenTheyChange)
{
    FakeLink link;
    const std::vector<uint8_t> checksum = answerBytes(0xA0, {1, 2, 3, 4});
    link.state->replies = {panelIdentification(), answerBytes(0xA0, std::vector<uint8_t>(256, 7)),
                           answerBytes(0xA0), checksum, checksum};
    BootloaderProtocol protocol(link.stream);
    link.state->appliedTimeouts.clear();
    boot_loader::MemoryPage page(1, 0, 256);
    protocol.readPage(page);
    protocol.writePage(page);
    EXPECT_EQ(protocol.checksum(0, 0x3E00, 0xBE00), 0x04030201U);
    EXPECT_EQ(protocol.checksum(1, 0, 0x100), 0x04030201U);
    // The connection starts at 200 ms, so identification needs no change.
    EXPECT_EQ(link.state->appliedTimeouts, (std::vector<uint32_t>{1480, 4296, 750}));
    EXPECT_EQ(page.data(), std::vector<uint8_t>(256, 7));
}

TEST(BootloaderProtocol, FailedReadLeavesThePageUnchanged)
{
    FakeLink link;
    link.state->replies = {panelIdentification()};
    BootloaderProtocol protocol(link.stream);
    boot_loader::MemoryPage page(1, 0, 256);
    page.setByte(0, 0x11);
    EXPECT_EQ(failureCode([&] { protocol.readPage(page); }), BootloaderException::NoAnswer);
    EXPECT_EQ(page.size(), 256U);
    EXPECT_EQ(page.getByte(0), 0x11);
}

TEST(BootloaderProtocol, PageOfAnotherSizeThanThePanelsIsRefusedBeforeSending)
{
    FakeLink link;
    link.state->replies = {answerBytes(0xA0, identification(0x12, 128, "Z-ZL3"))};
    BootloaderProtocol protocol(link.stream);
    boot_loader::MemoryPage page(1, 0, 256);
    EXPECT_EQ(failureCode([&] { protocol.readPage(page); }), BootloaderException::UnexpectedStatus);
    EXPECT_EQ(failureCode([&] { protocol.writePage(page); }), BootloaderException::UnexpectedStatus);
    EXPECT_EQ(link.state->commandCount(), 1U) << "only the identification went out";
    EXPECT_EQ(page.size(), 256U);
}

TEST(BootloaderInfo, NameAndSpareByteDependOnTheVersion)
{
    const BootloaderInfo current = BootloaderInfo::decode(identification(0x12, 256, "ABCDEFGH", 0x5A));
    EXPECT_EQ(current.deviceName, "ABCDEF");
    EXPECT_EQ(current.extraByte, 0x5A);

    const BootloaderInfo old = BootloaderInfo::decode(identification(0x11, 256, "ABCDEFG", 'H'));
    EXPECT_EQ(old.deviceName, "ABCDEFGH");
    EXPECT_EQ(old.extraByte, 0);

    EXPECT_EQ(BootloaderInfo::decode(identification(0x12, 256, "Z-ZL3")).deviceName, "Z-ZL3");
    EXPECT_EQ(BootloaderInfo::decode(std::vector<uint8_t>(15, 0x41)).deviceName, "");
    EXPECT_EQ(BootloaderInfo::decode(std::vector<uint8_t>(17, 0x41)).version, 0);
}

TEST(BootloaderInfo, EncodeDecodesBack)
{
    BootloaderInfo info{0x12, {1, 2, 3}, 256, 0xBEEF, "Z-ZL3", 0x77};
    const BootloaderInfo decoded = BootloaderInfo::decode(info.encode());
    EXPECT_EQ(decoded.idBytes, info.idBytes);
    EXPECT_EQ(decoded.extraWord, 0xBEEF);
    EXPECT_EQ(decoded.deviceName, "Z-ZL3");
    EXPECT_EQ(decoded.extraByte, 0x77);
}
