// RS485Connection over a recording fake port: timing of writes, parity switching, open/close life cycle.
#include "rs485/DisconnectException.h"
#include "rs485/RS485Connection.h"
#include "rs485/TrafficTrace.h"
#include "support/FakeSerialPort.h"

#include <gtest/gtest.h>

namespace rs485 {
namespace {

using testing::FakeLink;

const std::vector<uint8_t> tenBytes(10, 0x55);

TEST(RS485Connection, WriteSleepsTransmissionTimePlusGuardAfterPurgeWriteAndDrain)
{
    FakeLink link;
    ASSERT_TRUE(link.connection.open("ttyUSB0", 19200));
    link.port->calls.clear();

    EXPECT_EQ(link.connection.write(tenBytes.data(), tenBytes.size()), 10u);
    const std::vector<std::string> expected{"purge rx", "write", "drain", "sleep 15"};
    EXPECT_EQ(link.port->calls, expected);

    link.connection.setBaudRate(345600);
    link.connection.write(tenBytes.data(), tenBytes.size());
    EXPECT_EQ(link.port->sleeps.back(), 10u);
    EXPECT_EQ(link.port->line.baudRate, 345600u);
}

TEST(RS485Connection, CharacterTimeFollowsOnlyRatesThePortAccepted)
{
    FakeLink link;
    EXPECT_EQ(link.connection.millisecondsPerCharacter(), 0.0f);
    ASSERT_TRUE(link.connection.open("ttyUSB0", 19200));
    EXPECT_FLOAT_EQ(link.connection.millisecondsPerCharacter(), 11000.0f / 19200.0f);

    link.port->applySucceeds = false;
    link.connection.setBaudRate(345600);
    EXPECT_FLOAT_EQ(link.connection.millisecondsPerCharacter(), 11000.0f / 19200.0f);

    link.connection.setBaudRate(0);
    EXPECT_FLOAT_EQ(link.connection.millisecondsPerCharacter(), 11000.0f / 19200.0f);
}

TEST(RS485Connection, NinthBitSwitchesLineSettingsOnlyOnChange)
{
    FakeLink link;
    ASSERT_TRUE(link.connection.open("ttyUSB0", 19200));
    ASSERT_EQ(link.port->appliedSettings.size(), 1u);
    EXPECT_EQ(link.port->line.parity, Parity::Space);

    link.connection.setNinthBit(true);
    link.connection.setNinthBit(true);
    ASSERT_EQ(link.port->appliedSettings.size(), 2u);
    EXPECT_EQ(link.port->line.parity, Parity::Mark);
    EXPECT_EQ(link.port->line.baudRate, 19200u);

    link.connection.setNinthBit(false);
    EXPECT_EQ(link.port->appliedSettings.size(), 3u);
    EXPECT_EQ(link.port->line.parity, Parity::Space);
}

TEST(RS485Connection, NinthBitOnClosedPortOnlyChangesFlagAndOpenFollowsIt)
{
    FakeLink link;
    link.connection.setNinthBit(true);
    EXPECT_TRUE(link.connection.ninthBit());
    EXPECT_EQ(link.port->portsCreated, 0);

    // Opening in SPACE while the flag says MARK would let the next MARK run go out unswitched.
    ASSERT_TRUE(link.connection.open("ttyUSB0", 19200));
    EXPECT_EQ(link.port->line.parity, Parity::Mark);

    EXPECT_TRUE(link.connection.close());
    EXPECT_FALSE(link.connection.ninthBit());
}

TEST(RS485Connection, NinthBitThatCannotBeSetThrowsAndKeepsFlag)
{
    FakeLink link;
    ASSERT_TRUE(link.connection.open("ttyUSB0", 19200));
    link.port->applySucceeds = false;
    EXPECT_THROW(link.connection.setNinthBit(true), DisconnectException);
    EXPECT_FALSE(link.connection.ninthBit());

    link.port->applySucceeds = true;
    link.port->readSettingsSucceeds = false;
    EXPECT_THROW(link.connection.setNinthBit(true), DisconnectException);
    EXPECT_FALSE(link.connection.ninthBit());
}

TEST(RS485Connection, FailedOpenLeavesObjectClosed)
{
    FakeLink link;
    link.port->openSucceeds = false;
    EXPECT_FALSE(link.connection.open("ttyUSB9", 19200));
    EXPECT_FALSE(link.connection.isOpen());

    link.port->openSucceeds = true;
    link.port->applySucceeds = false;
    EXPECT_FALSE(link.connection.open("ttyUSB0", 19200));
    EXPECT_FALSE(link.connection.isOpen());
    EXPECT_FALSE(link.port->isOpen);

    link.port->applySucceeds = true;
    EXPECT_FALSE(link.connection.open("ttyUSB0", 0));
    EXPECT_FALSE(link.connection.isOpen());
    EXPECT_EQ(link.connection.write(tenBytes.data(), tenBytes.size()), 0u);
    EXPECT_TRUE(link.port->sleeps.empty());
}

TEST(RS485Connection, OpenPurgesBothQueuesAndReopeningClosesThePreviousPort)
{
    FakeLink link;
    ASSERT_TRUE(link.connection.open("ttyUSB0", 19200));
    EXPECT_EQ(link.port->calls.back(), "purge tx rx");
    link.connection.setNinthBit(true);

    ASSERT_TRUE(link.connection.open("ttyUSB1", 19200));
    EXPECT_EQ(link.port->closes, 1);
    EXPECT_FALSE(link.connection.ninthBit());
    EXPECT_EQ(link.port->line.parity, Parity::Space);
}

TEST(RS485Connection, CloseThatFailsStillLeavesTheObjectClosed)
{
    FakeLink link;
    ASSERT_TRUE(link.connection.open("ttyUSB0", 19200));
    link.connection.setNinthBit(true);
    link.port->closeFails = true;
    EXPECT_FALSE(link.connection.close());
    EXPECT_FALSE(link.connection.isOpen());
    EXPECT_FALSE(link.connection.ninthBit());
    EXPECT_EQ(link.connection.write(tenBytes.data(), tenBytes.size()), 0u);

    link.port->closeFails = false;
    ASSERT_TRUE(link.connection.open("ttyUSB0", 19200));
    EXPECT_EQ(link.port->closes, 1) << "the failed close released the port; reopening closes nothing";
}

TEST(RS485Connection, TimeoutSurvivesCloseAndReachesEveryPort)
{
    FakeLink link;
    EXPECT_EQ(link.connection.timeout(), 200u);
    link.connection.setTimeout(50);
    ASSERT_TRUE(link.connection.open("ttyUSB0", 19200));
    EXPECT_EQ(link.port->readTimeout, 50u);

    link.connection.setTimeout(700);
    EXPECT_EQ(link.port->readTimeout, 700u);
    link.connection.close();
    EXPECT_EQ(link.connection.timeout(), 700u);
    EXPECT_FALSE(link.connection.close());
}

TEST(RS485Connection, ReadGathersFragmentsAndReturnsShortCountOnTimeout)
{
    FakeLink link;
    ASSERT_TRUE(link.connection.open("ttyUSB0", 19200));
    link.port->largestReadChunk = 2;
    link.arrive({1, 2, 3, 4, 5});
    uint8_t buffer[8] = {};
    EXPECT_EQ(link.connection.read(buffer, 5), 5u);
    EXPECT_EQ(buffer[4], 5);

    link.arrive({6, 7, 8});
    EXPECT_EQ(link.connection.read(buffer, 5), 3u);
    EXPECT_EQ(buffer[2], 8);
    EXPECT_EQ(link.connection.read(buffer, 0), 0u);
}

TEST(RS485Connection, DeviceFailuresThrowDisconnect)
{
    FakeLink link;
    ASSERT_TRUE(link.connection.open("ttyUSB0", 19200));
    uint8_t buffer[4] = {};

    link.port->readFails = true;
    EXPECT_THROW(link.connection.read(buffer, 4), DisconnectException);
    link.port->writeFails = true;
    EXPECT_THROW(link.connection.write(buffer, 4), DisconnectException);
    link.port->writeFails = false;
    link.port->drainFails = true;
    EXPECT_THROW(link.connection.write(buffer, 4), DisconnectException);
    EXPECT_TRUE(link.port->sleeps.empty());

    EXPECT_STREQ(DisconnectException().what(), "Нет связи с преобразователем USB-RS485");
}

TEST(RS485Connection, TraceShowsDirectionParityAndBytesOnlyWhileSinkInstalled)
{
    FakeLink link;
    ASSERT_TRUE(link.connection.open("ttyUSB0", 19200));
    std::vector<std::string> lines;
    setTrafficTraceSink([&lines](const std::string& line) { lines.push_back(line); });

    link.connection.setNinthBit(true);
    const uint8_t command = 0xF1;
    link.connection.write(&command, 1);
    link.connection.setNinthBit(false);
    link.arrive({0x06, 0xA0});
    uint8_t buffer[5] = {};
    link.connection.read(buffer, 5);
    setTrafficTraceSink(nullptr);
    link.connection.write(&command, 1);

    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find(" TX MARK  F1"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find(" RX SPACE 06 A0 (2 of 5)"), std::string::npos) << lines[1];
    EXPECT_EQ(lines[0][2], ':');
    EXPECT_EQ(lines[0][8], '.');
    EXPECT_FALSE(trafficTraceEnabled());
}

} // namespace
} // namespace rs485
