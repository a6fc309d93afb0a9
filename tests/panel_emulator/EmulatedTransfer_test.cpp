// The whole link (emulated port, connection, nine-bit stream, protocol, memory images) reads and writes
// the emulated panel in simulated time, and each fault of the panel ends as the protocol promises.

#include "boot_loader/BootloaderException.h"
#include "boot_loader/BootloaderProtocol.h"
#include "boot_loader/MemoryImage.h"
#include "panel_emulator/EmulatedPort.h"
#include "panel_emulator/PanelEmulator.h"
#include "rs485/Byte9Stream.h"
#include "rs485/RS485Connection.h"

#include <gtest/gtest.h>

#include <cstdio>

using boot_loader::BootloaderException;
using boot_loader::MemoryImage;
using panel_emulator::EmulatedPort;
using panel_emulator::PanelEmulator;

namespace {

struct EmulatedLink
{
    explicit EmulatedLink(PanelEmulator& panel)
        : clock(std::make_shared<panel_emulator::SimulatedClock>()),
          connection(EmulatedPort::factory(panel, clock), EmulatedPort::sleepFunction(clock)),
          stream(connection), protocol(stream)
    {
        opened = connection.open(EmulatedPort::defaultName, 19200);
    }

    std::shared_ptr<panel_emulator::SimulatedClock> clock;
    rs485::RS485Connection connection;
    rs485::Byte9Stream stream;
    boot_loader::BootloaderProtocol protocol;
    bool opened = false;
};

int failureCode(const std::function<void()>& action)
{
    try {
        action();
    } catch (const BootloaderException& failure) {
        return failure.code();
    }
    return -1;
}

void fillPattern(PanelEmulator& panel)
{
    for (uint32_t address = 0x3E00; address < 0xFC00; ++address) {
        panel.memory(0).setByteAt(address, static_cast<uint8_t>(address * 13 + (address >> 8)));
    }
}

// Reads both images at the given rate and returns the modelled duration in milliseconds.
double readBothImages(PanelEmulator& panel, bool raisedSpeed)
{
    EmulatedLink link(panel);
    EXPECT_TRUE(link.opened);
    MemoryImage options(1, 0, 256, 1);
    MemoryImage configuration(0, 0x3E00, 256, 190);
    link.protocol.refreshInfo();
    if (raisedSpeed) {
        link.protocol.setSpeed(1);
        link.connection.setBaudRate(345600);
    }
    options.readAll(link.protocol, nullptr);
    configuration.readAll(link.protocol, nullptr);
    EXPECT_EQ(options.bytes(), panel.memory(1).bytes());
    EXPECT_EQ(configuration.bytes(), panel.memory(0).bytes());
    if (raisedSpeed) {
        link.protocol.setSpeed(35);
        link.connection.setBaudRate(19200);
    }
    return link.clock->now();
}

} // namespace

TEST(EmulatedTransfer, FullReadOfBothImagesAtBothRates)
{
    PanelEmulator panel;
    fillPattern(panel);
    const double normal = readBothImages(panel, false);
    EXPECT_EQ(panel.baudRate(), 19200U);
    const double raised = readBothImages(panel, true);
    EXPECT_EQ(panel.baudRate(), 19200U);
    EXPECT_LT(raised, normal);
    std::printf("[ BENCHMARK ] modelled read of 191 pages: %.1f s at 19200 baud, %.1f s at 345600 baud\n",
                normal / 1000.0, raised / 1000.0);
}

TEST(EmulatedTransfer, FinishAtRaisedSpeedIsAnsweredAtThatRateAndLeavesThePanelAt19200)
{
    PanelEmulator panel;
    EmulatedLink link(panel);
    link.protocol.setSpeed(1);
    link.connection.setBaudRate(345600);
    link.protocol.finish();
    EXPECT_EQ(panel.baudRate(), 19200U);
    link.connection.setBaudRate(19200);
    EXPECT_EQ(link.protocol.refreshInfo().deviceName, "Z-ZL3");
    EXPECT_EQ(panel.log().lostCharacters, 0U);
}

TEST(EmulatedTransfer, WriteModifiedReachesThePanelAndChecksumsFollow)
{
    PanelEmulator panel;
    EmulatedLink link(panel);
    MemoryImage configuration(0, 0x3E00, 256, 190);
    configuration.readAll(link.protocol, nullptr);
    const uint32_t before = link.protocol.checksum(0, 0x3E00, 0xBE00);
    configuration.setWord(0x4000, 0x1234);
    configuration.writeModified(link.protocol, nullptr);
    EXPECT_EQ(panel.memory(0).byteAt(0x4000), 0x34);
    EXPECT_NE(link.protocol.checksum(0, 0x3E00, 0xBE00), before);
    std::size_t writes = 0;
    for (const auto& command : panel.log().commands) {
        writes += command.code == 0xF3 ? 1 : 0;
    }
    EXPECT_EQ(writes, 1U);
}

TEST(EmulatedTransfer, SilentPanelIsResynchronisedWithExactly261ZeroBytes)
{
    PanelEmulator panel;
    panel.applyFaultScript("silent:1");
    EmulatedLink link(panel);
    link.protocol.refreshInfo();
    EXPECT_EQ(panel.log().zeroPrefixBytes, 261U);
    EXPECT_EQ(panel.log().commands.size(), 2U);
}

TEST(EmulatedTransfer, StuckPanelRecoversThroughThePrefix)
{
    PanelEmulator panel;
    panel.applyFaultScript("stuck");
    EmulatedLink link(panel);
    EXPECT_EQ(link.protocol.refreshInfo().deviceName, "Z-ZL3");
    EXPECT_EQ(panel.log().commands.size(), 1U) << "the first command was swallowed";
}

TEST(EmulatedTransfer, PanelFaultsBecomeProtocolCodes)
{
    PanelEmulator silent;
    silent.applyFaultScript("silent:3");
    EmulatedLink silentLink(silent);
    EXPECT_EQ(failureCode([&] { silentLink.protocol.finish(); }), BootloaderException::NoAnswer);

    PanelEmulator damaged;
    damaged.applyFaultScript("bad-crc:3");
    EmulatedLink damagedLink(damaged);
    EXPECT_EQ(failureCode([&] { damagedLink.protocol.finish(); }), BootloaderException::DamagedAnswer);

    PanelEmulator truncated;
    truncated.applyFaultScript("truncate:2");
    EmulatedLink truncatedLink(truncated);
    truncatedLink.protocol.refreshInfo();
    EXPECT_EQ(truncated.log().commands.size(), 3U);
    EXPECT_EQ(truncated.log().zeroPrefixBytes, 261U) << "a cut-short answer counts as silence";

    PanelEmulator status;
    status.applyFaultScript("status:0xA3:3");
    EmulatedLink statusLink(status);
    EXPECT_EQ(failureCode([&] { statusLink.protocol.finish(); }), BootloaderException::LoaderInternalError);
}

TEST(EmulatedTransfer, DroppedLinkIsCodeZeroAndLeavesPagesUntouched)
{
    PanelEmulator panel;
    fillPattern(panel);
    panel.applyFaultScript("drop-at-page:3");
    EmulatedLink link(panel);
    MemoryImage configuration(0, 0x3E00, 256, 190);
    EXPECT_EQ(failureCode([&] { configuration.readAll(link.protocol, nullptr); }),
              BootloaderException::PortFailure);
    EXPECT_EQ(configuration.getByte(0x3F00), panel.memory(0).byteAt(0x3F00));
    EXPECT_EQ(configuration.getByte(0x4000), 0xFF);
    EXPECT_EQ(configuration.modifiedPageCount(), 0);
    EXPECT_FALSE(link.connection.open(EmulatedPort::defaultName, 19200))
        << "an unplugged converter stays away";
}

TEST(EmulatedTransfer, PanelAtAnotherRateIsSilent)
{
    PanelEmulator panel;
    EmulatedLink link(panel);
    link.connection.setBaudRate(345600);
    EXPECT_EQ(failureCode([&] { link.protocol.refreshInfo(); }), BootloaderException::NoAnswer);
    EXPECT_TRUE(panel.log().commands.empty());
    EXPECT_GT(panel.log().lostCharacters, 0U);
}

TEST(EmulatedTransfer, ReadWaitsOnlyInSimulatedTime)
{
    PanelEmulator panel;
    panel.applyFaultScript("silent:3");
    EmulatedLink link(panel);
    const double start = link.clock->now();
    EXPECT_EQ(failureCode([&] { link.protocol.checksum(1, 0, 0x100); }), BootloaderException::NoAnswer);
    EXPECT_GE(link.clock->now() - start, 3 * 750.0) << "three read time-outs of 750 ms each";
}

TEST(EmulatedPortFactory, ServesOnlyItsOwnName)
{
    PanelEmulator panel;
    auto clock = std::make_shared<panel_emulator::SimulatedClock>();
    const rs485::PortFactory factory = EmulatedPort::factory(panel, clock, "panel");
    EXPECT_TRUE(factory("panel")->open("panel"));
    EXPECT_FALSE(factory("/dev/ttyUSB0")->open("/dev/ttyUSB0"));
}
