// Byte9Stream groups nine-bit characters into parity runs and reads bytes with the ninth bit cleared.
#include "rs485/Byte9Stream.h"
#include "rs485/DisconnectException.h"
#include "rs485/ReceiveTimeoutException.h"
#include "support/FakeSerialPort.h"

#include <gtest/gtest.h>

namespace rs485 {
namespace {

using testing::FakeLink;
using Bytes = std::vector<uint8_t>;

class Byte9StreamTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(link.connection.open("ttyUSB0", 19200)); }

    const std::vector<testing::WrittenRun>& writes() const { return link.port->writes; }

    FakeLink link;
    Byte9Stream stream{link.connection};
};

TEST_F(Byte9StreamTest, CommandFrameGoesOutAsMarkRunThenSpaceRun)
{
    stream << std::vector<Char9>{0x1F1, 0x012, 0x034};
    ASSERT_EQ(writes().size(), 2u);
    EXPECT_EQ(writes()[0].bytes, Bytes{0xF1});
    EXPECT_EQ(writes()[0].parity, Parity::Mark);
    EXPECT_EQ(writes()[1].bytes, (Bytes{0x12, 0x34}));
    EXPECT_EQ(writes()[1].parity, Parity::Space);
}

TEST_F(Byte9StreamTest, LongRunIsSplitInto512ByteWrites)
{
    stream << std::vector<Char9>(600, 0x0AB);
    ASSERT_EQ(writes().size(), 2u);
    EXPECT_EQ(writes()[0].bytes.size(), 512u);
    EXPECT_EQ(writes()[1].bytes.size(), 88u);
    EXPECT_EQ(writes()[1].bytes.back(), 0xAB);
}

TEST_F(Byte9StreamTest, ByteArrayAfterMarkRunSwitchesToSpaceFirst)
{
    stream << Char9(0x1AA) << Bytes{0x01, 0x02};
    ASSERT_EQ(writes().size(), 2u);
    EXPECT_EQ(writes()[0].parity, Parity::Mark);
    EXPECT_EQ(writes()[1].bytes, (Bytes{0x01, 0x02}));
    EXPECT_EQ(writes()[1].parity, Parity::Space);
    EXPECT_FALSE(link.connection.ninthBit());
}

TEST_F(Byte9StreamTest, ByteArrayGoesOutUnderSpaceEvenWhenTheConnectionWasSwitchedFromOutside)
{
    link.connection.setNinthBit(true);
    stream << Bytes{0x00, 0x00};
    ASSERT_EQ(writes().size(), 1u);
    EXPECT_EQ(writes()[0].parity, Parity::Space);
    EXPECT_FALSE(link.connection.ninthBit());
}

TEST_F(Byte9StreamTest, SingleCharacterStaysPendingUntilReadParityChangeOrArrayWrite)
{
    stream << Char9(0x011);
    EXPECT_TRUE(writes().empty());
    link.arrive({0x42});
    uint8_t byte = 0;
    stream >> byte;
    ASSERT_EQ(writes().size(), 1u);
    EXPECT_EQ(byte, 0x42);

    stream << Char9(0x022);
    EXPECT_EQ(writes().size(), 1u);
    stream << Char9(0x133);
    ASSERT_EQ(writes().size(), 2u);
    EXPECT_EQ(writes()[1].bytes, Bytes{0x22});

    stream << std::vector<Char9>{};
    ASSERT_EQ(writes().size(), 3u);
    EXPECT_EQ(writes()[2].bytes, Bytes{0x33});
    EXPECT_EQ(writes()[2].parity, Parity::Mark);
}

TEST_F(Byte9StreamTest, ShortReadsShrinkTheArrayAndThrowTimeout)
{
    link.arrive({0xA0});
    std::vector<Char9> characters(3, 0x1FF);
    EXPECT_THROW(stream >> characters, ReceiveTimeoutException);
    EXPECT_EQ(characters, std::vector<Char9>{0x0A0});

    link.arrive({0x01, 0x02});
    Bytes bytes(4);
    EXPECT_THROW(stream >> bytes, ReceiveTimeoutException);
    EXPECT_EQ(bytes, (Bytes{0x01, 0x02}));

    Char9 character = 0;
    EXPECT_THROW(stream >> character, ReceiveTimeoutException);
    EXPECT_STREQ(ReceiveTimeoutException().what(), "Превышен тайм-аут ожидания данных");
}

TEST_F(Byte9StreamTest, ReadsLongerThanTheScratchArriveWhole)
{
    Bytes incoming(700);
    for (std::size_t i = 0; i < incoming.size(); ++i) {
        incoming[i] = static_cast<uint8_t>(i);
    }
    link.arrive(incoming);
    std::vector<Char9> characters(700);
    stream >> characters;
    EXPECT_EQ(characters[699], 699 & 0xFF);

    std::vector<Char9> none;
    stream >> none;
    EXPECT_TRUE(none.empty());
}

TEST_F(Byte9StreamTest, DisconnectPassesThroughAndLeavesNoRemainsOfTheBrokenFrame)
{
    link.port->writeFails = true;
    const std::vector<Char9> brokenFrame{0x1F1, 0x012};
    EXPECT_THROW(stream << brokenFrame, DisconnectException);

    link.port->writeFails = false;
    stream << std::vector<Char9>{0x1F2, 0x056};
    ASSERT_EQ(writes().size(), 2u);
    EXPECT_EQ(writes()[0].bytes, Bytes{0xF2});
    EXPECT_EQ(writes()[1].bytes, Bytes{0x56});
}

TEST_F(Byte9StreamTest, ClosedPortWritesNothingAndReadsTimeOut)
{
    link.connection.close();
    stream << std::vector<Char9>{0x1F1, 0x012};
    EXPECT_TRUE(writes().empty());
    uint8_t byte = 0;
    EXPECT_THROW(stream >> byte, ReceiveTimeoutException);
}

} // namespace
} // namespace rs485
