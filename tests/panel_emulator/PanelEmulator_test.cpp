// The emulated loader assembles commands from nine-bit characters, answers them like the panel, and
// plays every fault of its script.

#include "boot_loader/Command.h"
#include "boot_loader/Crc16.h"
#include "boot_loader/Crc32.h"
#include "boot_loader/MemoryPage.h"
#include "panel_emulator/FaultScript.h"
#include "panel_emulator/PanelEmulator.h"

#include <gtest/gtest.h>

#include <stdexcept>

using boot_loader::Command;
using panel_emulator::PanelEmulator;

namespace {

std::vector<uint8_t> send(PanelEmulator& panel, const std::vector<uint16_t>& characters)
{
    std::vector<uint8_t> answer;
    for (uint16_t character : characters) {
        const std::vector<uint8_t> bytes = panel.receive(character);
        answer.insert(answer.end(), bytes.begin(), bytes.end());
    }
    return answer;
}

std::vector<uint8_t> send(PanelEmulator& panel, const Command& command)
{
    return send(panel, command.characters);
}

bool intact(const std::vector<uint8_t>& answer)
{
    return answer.size() >= 3 && boot_loader::Crc16::of(answer) == 0;
}

} // namespace

TEST(PanelEmulator, IdentifiesAsTheExpectedPanel)
{
    PanelEmulator panel;
    const std::vector<uint8_t> answer = send(panel, Command::identify());
    ASSERT_EQ(answer.size(), 19U);
    EXPECT_TRUE(intact(answer));
    EXPECT_EQ(answer[0], 0xA0);
    EXPECT_EQ(answer[1], 0x12);
    EXPECT_EQ(answer[5] | (answer[6] << 8), 256);
    EXPECT_EQ(std::string(answer.begin() + 9, answer.begin() + 14), std::string("Z-ZL3", 5));
}

TEST(PanelEmulator, DefaultOptionPageAndReadWrite)
{
    PanelEmulator panel;
    std::vector<uint8_t> answer = send(panel, Command::readPage(1, 0));
    ASSERT_EQ(answer.size(), 259U);
    EXPECT_EQ(answer[1 + 0x04], 0xB2);
    EXPECT_EQ(answer[1 + 0x05], 0x13);
    EXPECT_EQ(answer[1 + 0x06], 0xFF);

    boot_loader::MemoryPage page(0, 0xFB00, 256);
    page.setByte(0xFBFF, 0x42);
    EXPECT_EQ(send(panel, Command::writePage(page))[0], 0xA0);
    EXPECT_EQ(panel.memory(0).byteAt(0xFBFF), 0x42);
    EXPECT_EQ(send(panel, Command::readPage(0, 0xFB00))[256], 0x42);
}

TEST(PanelEmulator, RefusesAddressesOutsideItsMemoriesAndDamagedCommands)
{
    PanelEmulator panel;
    EXPECT_EQ(send(panel, Command::readPage(0, 0x3D00))[0], 0xA2);
    EXPECT_EQ(send(panel, Command::readPage(0, 0xFB01))[0], 0xA2) << "page would run past 0xFBFF";
    EXPECT_EQ(send(panel, Command::readPage(1, 0x100))[0], 0xA2);
    EXPECT_EQ(send(panel, Command::checksum(0, 0x3E00, 0xBE01))[0], 0xA2);

    std::vector<uint16_t> damaged = Command::readPage(1, 0).characters;
    damaged[1] ^= 0x01;
    const std::vector<uint8_t> answer = send(panel, damaged);
    EXPECT_EQ(answer.size(), 3U);
    EXPECT_EQ(answer[0], 0xA1);
    EXPECT_TRUE(intact(answer));
    EXPECT_FALSE(panel.log().commands.back().crcValid);
}

TEST(PanelEmulator, ChecksumIsTheCrc32OfTheRange)
{
    PanelEmulator panel;
    const std::vector<uint8_t> answer = send(panel, Command::checksum(1, 0, 0x100));
    ASSERT_EQ(answer.size(), 7U);
    const uint32_t value = answer[1] | (answer[2] << 8) | (answer[3] << 16) | (uint32_t(answer[4]) << 24);
    EXPECT_EQ(value, boot_loader::Crc32::of(panel.memory(1).bytes().data(), 0x100));
    const std::string text = "123456789";
    EXPECT_EQ(boot_loader::Crc32::of(reinterpret_cast<const uint8_t*>(text.data()), 9), 0xCBF43926U);
}

TEST(PanelEmulator, SpeedDivisorsAndFinish)
{
    EXPECT_EQ(PanelEmulator::baudRateOfDivisor(35), 19200U);
    EXPECT_EQ(PanelEmulator::baudRateOfDivisor(1), 345600U);
    PanelEmulator panel;
    EXPECT_EQ(send(panel, Command::setSpeed(1))[0], 0xA0);
    EXPECT_EQ(panel.baudRate(), 345600U);
    EXPECT_EQ(send(panel, Command::finish())[0], 0xA0);
    EXPECT_TRUE(panel.finished());
    EXPECT_EQ(panel.baudRate(), 19200U) << "after finish the panel restarts at its normal rate";
}

TEST(PanelEmulator, LogsCommandsNinthBitsAndZeroBytes)
{
    PanelEmulator panel;
    send(panel, std::vector<uint16_t>(5, 0));
    send(panel, Command::readPage(1, 0x20));
    send(panel, Command::checksum(0, 0x3E00, 0x100));
    const auto& log = panel.log();
    EXPECT_EQ(log.zeroPrefixBytes, 5U);
    ASSERT_EQ(log.commands.size(), 2U);
    EXPECT_EQ(log.commands[0].code, 0xF2);
    EXPECT_EQ(log.commands[0].space, 1);
    EXPECT_EQ(log.commands[0].address, 0x20U);
    EXPECT_EQ(log.commands[1].space, 0);
    EXPECT_EQ(log.commands[1].address, 0x3E00U);
    EXPECT_EQ(log.characters[5], 0x1F2);
    EXPECT_EQ(log.characters[6], 0x020);
}

TEST(PanelEmulator, AddressCharacterRestartsAnUnfinishedFrame)
{
    PanelEmulator panel;
    send(panel, {0x1F2, 0x00});
    EXPECT_EQ(send(panel, Command::identify())[0], 0xA0);
}

TEST(PanelEmulatorFaults, SilentStatusBadCrcAndTruncated)
{
    PanelEmulator panel;
    panel.applyFaultScript("silent:2, status:0xA3:1");
    EXPECT_TRUE(send(panel, Command::finish()).empty());
    EXPECT_TRUE(send(panel, Command::finish()).empty());
    EXPECT_FALSE(panel.finished()) << "a silent panel did not take the command";
    const std::vector<uint8_t> status = send(panel, Command::finish());
    EXPECT_EQ(status.size(), 3U);
    EXPECT_EQ(status[0], 0xA3);
    EXPECT_TRUE(intact(status));
    panel.applyFaultScript("bad-crc:1");
    std::vector<uint8_t> answer = send(panel, Command::identify());
    EXPECT_EQ(answer.size(), 19U);
    EXPECT_FALSE(intact(answer));
    panel.applyFaultScript("truncate:1");
    answer = send(panel, Command::identify());
    EXPECT_EQ(answer.size(), 18U);
    EXPECT_FALSE(intact(answer));
    EXPECT_TRUE(intact(send(panel, Command::identify())));
    EXPECT_FALSE(panel.log().commands[0].answerStatus.has_value());
}

TEST(PanelEmulatorFaults, StuckPanelSwallowsUntil261ZeroBytes)
{
    PanelEmulator panel;
    panel.applyFaultScript("stuck");
    EXPECT_TRUE(send(panel, Command::identify()).empty());
    send(panel, std::vector<uint16_t>(260, 0));
    EXPECT_TRUE(send(panel, Command::identify()).empty()) << "260 zeros then a command is not enough";
    send(panel, std::vector<uint16_t>(261, 0));
    EXPECT_EQ(send(panel, Command::identify()).size(), 19U);
    EXPECT_EQ(panel.log().zeroPrefixBytes, 521U);
}

TEST(PanelEmulatorFaults, DropAfterAndDropAtPage)
{
    PanelEmulator panel;
    panel.applyFaultScript("drop-after:2");
    EXPECT_FALSE(send(panel, Command::identify()).empty());
    EXPECT_FALSE(send(panel, Command::identify()).empty());
    EXPECT_FALSE(panel.linkDropped());
    EXPECT_TRUE(send(panel, Command::identify()).empty());
    EXPECT_TRUE(panel.linkDropped());

    PanelEmulator paged;
    paged.applyFaultScript("drop-at-page:2");
    EXPECT_FALSE(send(paged, Command::readPage(1, 0)).empty());
    EXPECT_FALSE(send(paged, Command::identify()).empty());
    EXPECT_TRUE(send(paged, Command::readPage(0, 0x3E00)).empty());
    EXPECT_TRUE(paged.linkDropped());
}

TEST(PanelEmulatorFaults, AFailingFlashAcknowledgesAPageButStoresOneByteChanged)
{
    struct Case
    {
        const char* script;
        std::vector<bool> damaged; // for each of four page writes in a row
    };
    const std::vector<Case> cases{{"flash:1", {true, false, false, false}},
                                  {"flash:2", {true, true, false, false}},
                                  {"flash:always", {true, true, true, true}},
                                  {"", {false, false, false, false}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        PanelEmulator panel;
        panel.applyFaultScript(c.script);
        for (std::size_t write = 0; write < c.damaged.size(); ++write) {
            boot_loader::MemoryPage page(0, 0x3E00 + 0x100 * static_cast<uint32_t>(write), 256);
            std::vector<uint8_t> data(256, static_cast<uint8_t>(write));
            page.setData(data);
            EXPECT_EQ(send(panel, Command::writePage(page))[0], 0xA0) << "the write is acknowledged";
            data[128] ^= c.damaged[write] ? 0xFF : 0x00;
            EXPECT_EQ(panel.memory(0).read(page.address(), 256), data) << write;
        }
    }
}

TEST(PanelEmulatorFaults, WrongIdentificationIsConfigurable)
{
    PanelEmulator panel(boot_loader::BootloaderInfo{0x11, {}, 128, 0, "Z-ZL3X", 0});
    const std::vector<uint8_t> answer = send(panel, Command::identify());
    EXPECT_EQ(answer[1], 0x11);
    EXPECT_EQ(answer[5], 128);
    EXPECT_EQ(answer[14], 'X');
    EXPECT_EQ(PanelEmulator::frameLength(0xF3, 128), 134U);
}

TEST(FaultScript, ParsesEveryItemAndRefusesTheRest)
{
    const auto faults =
        panel_emulator::FaultScript::parse("silent:3 bad-crc:1 status:0xA2:3 stuck drop-after:5 "
                                           "drop-at-page:3 truncate:010 flash:4");
    EXPECT_EQ(faults.silentCommands, 3);
    EXPECT_EQ(faults.badCrcAnswers, 1);
    EXPECT_EQ(faults.status, 0xA2);
    EXPECT_EQ(faults.statusCommands, 3);
    EXPECT_TRUE(faults.stuck);
    EXPECT_EQ(faults.dropAfterCommands, 5);
    EXPECT_EQ(faults.dropAtPage, 3);
    EXPECT_EQ(faults.truncatedAnswers, 10) << "leading zeros are decimal, not octal";
    EXPECT_EQ(faults.flashFaults, 4);
    EXPECT_EQ(panel_emulator::FaultScript::parse("flash:always").flashFaults,
              panel_emulator::PanelFaults::alwaysFaulty);
    EXPECT_EQ(panel_emulator::FaultScript::parse("").dropAfterCommands, -1);
    for (const char* bad : {"silent", "silent:", "silent:x", "silent:-1", "status:0x1A2:1", "stuck:1",
                            "sleep:3", "silent:3x", "silent:99999999999999999999", "flash:never", "flash"}) {
        EXPECT_THROW(panel_emulator::FaultScript::parse(bad), std::invalid_argument) << bad;
    }
}
