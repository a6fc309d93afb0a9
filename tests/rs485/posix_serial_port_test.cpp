// PosixSerialPort on a real pseudo-terminal pair: line settings seen from the other side, read time-outs,
// exclusive opening, and a vanished other side.
#include "rs485/DisconnectException.h"
#include "rs485/PosixSerialPort.h"
#include "rs485/RS485Connection.h"
#include "support/PseudoTerminal.h"

#include <gtest/gtest.h>

namespace rs485 {
namespace {

using testing::PseudoTerminal;
using Bytes = std::vector<uint8_t>;

class PosixSerialPortTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(terminal.isReady());
        ASSERT_TRUE(port.open(terminal.slavePath()));
    }

    PseudoTerminal terminal;
    PosixSerialPort port;
};

TEST_F(PosixSerialPortTest, ParityAndRateAreVisibleToTheOtherSide)
{
    ASSERT_TRUE(port.applyLineSettings(LineSettings{19200, Parity::Mark}));
    EXPECT_EQ(terminal.view().baudRate, 19200u);
    EXPECT_TRUE(terminal.view().stickParity);
    EXPECT_TRUE(terminal.view().oddParity);

    ASSERT_TRUE(port.applyLineSettings(LineSettings{345600, Parity::Space}));
    EXPECT_EQ(terminal.view().baudRate, 345600u);
    EXPECT_TRUE(terminal.view().stickParity);
    EXPECT_FALSE(terminal.view().oddParity);

    LineSettings readBack;
    ASSERT_TRUE(port.readLineSettings(readBack));
    EXPECT_EQ(readBack.baudRate, 345600u);
    EXPECT_EQ(readBack.parity, Parity::Space);
}

TEST_F(PosixSerialPortTest, ReadReturnsWhatArrivedWhenTheTimeoutRunsOut)
{
    port.setReadTimeout(50);
    terminal.send({1, 2, 3});
    uint8_t buffer[5] = {};
    EXPECT_EQ(port.read(buffer, 5), 3);
    EXPECT_EQ(buffer[2], 3);

    port.setReadTimeout(0);
    EXPECT_EQ(port.read(buffer, 5), 0);
    terminal.send({7, 8});
    EXPECT_EQ(port.read(buffer, 5), 2);
}

TEST_F(PosixSerialPortTest, WrittenBytesReachTheOtherSideUnchanged)
{
    const Bytes frame{0x0A, 0x0D, 0xFF, 0x00, 0x11, 0x13};
    EXPECT_EQ(port.write(frame.data(), frame.size()), static_cast<long>(frame.size()));
    EXPECT_TRUE(port.drain());
    EXPECT_EQ(terminal.receiveAvailable(), frame);
}

TEST_F(PosixSerialPortTest, SecondOpenOfTheSamePortFailsAndCloseRestoresSettings)
{
    PosixSerialPort intruder;
    EXPECT_FALSE(intruder.open(terminal.slavePath()));
    EXPECT_FALSE(intruder.isOpen());

    const uint32_t rateBeforeOpen = [&] {
        PseudoTerminal fresh;
        return fresh.view().baudRate;
    }();
    ASSERT_TRUE(port.applyLineSettings(LineSettings{345600, Parity::Mark}));
    EXPECT_TRUE(port.close());
    EXPECT_EQ(terminal.view().baudRate, rateBeforeOpen);
    EXPECT_TRUE(intruder.open(terminal.slavePath()));
}

TEST_F(PosixSerialPortTest, StaleInputIsDroppedAtOpen)
{
    port.close();
    terminal.send({0x55, 0x66});
    ASSERT_TRUE(port.open(terminal.slavePath()));
    port.setReadTimeout(0);
    uint8_t buffer[2] = {};
    EXPECT_EQ(port.read(buffer, 2), 0);
}

TEST(PosixSerialPort, NonexistentPortFailsToOpen)
{
    PosixSerialPort port;
    EXPECT_FALSE(port.open("/dev/ttyUSB-does-not-exist"));
    EXPECT_FALSE(port.isOpen());
    uint8_t byte = 0;
    EXPECT_EQ(port.read(&byte, 1), -1);

    RS485Connection connection(posixPortFactory(), [](uint32_t) {});
    EXPECT_FALSE(connection.open("/dev/ttyUSB-does-not-exist", 19200));
    EXPECT_FALSE(connection.isOpen());
}

TEST(PosixSerialPort, ConnectionOverPseudoTerminalCarriesFramesAndReportsALostOtherSide)
{
    PseudoTerminal terminal;
    ASSERT_TRUE(terminal.isReady());
    RS485Connection connection(posixPortFactory(), [](uint32_t) {});
    connection.setTimeout(50);
    ASSERT_TRUE(connection.open(terminal.slavePath(), 19200));

    connection.setNinthBit(true);
    EXPECT_TRUE(terminal.view().oddParity);
    const Bytes frame{0xF1, 0x12, 0x34};
    EXPECT_EQ(connection.write(frame.data(), frame.size()), 3u);
    EXPECT_EQ(terminal.receiveAvailable(), frame);
    terminal.send({0xA0, 0x01});
    uint8_t answer[4] = {};
    EXPECT_EQ(connection.read(answer, 4), 2u);

    terminal.closeMaster();
    EXPECT_THROW(connection.read(answer, 4), DisconnectException);
    EXPECT_THROW(connection.write(frame.data(), frame.size()), DisconnectException);
}

} // namespace
} // namespace rs485
