#include "panel_emulator/PanelEmulator.h"
#include "panel_emulator/PtyPanelServer.h"

#include "boot_loader/Crc16.h"
#include "rs485/KernelTermios.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <vector>

using panel_emulator::LoggedCommand;
using panel_emulator::PanelEmulator;
using panel_emulator::PtyPanelServer;

namespace {

// The host's side, driven step by step: each write is served before the line changes, as a host that
// drains and waits after every write would have it.
class PtyPanelServerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.open());
        server.setCommandObserver([this](const LoggedCommand& command) { commands.push_back(command); });
        openHost();
    }

    void TearDown() override { closeHost(); }

    void openHost()
    {
        host = ::open(server.slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(host, 0);
        setLine(19200, false);
    }

    void closeHost()
    {
        if (host >= 0) {
            ::close(host);
            host = -1;
        }
    }

    void setLine(uint32_t baudRate, bool mark)
    {
        // The pseudo-terminal drops PARENB, so the read-back check of the result is not wanted here.
        rs485::KernelTermios::applyRawLine(host, baudRate, mark);
    }

    bool sendAndServe(const std::vector<uint8_t>& bytes, bool mark, uint32_t baudRate = 19200)
    {
        setLine(baudRate, mark);
        EXPECT_EQ(::write(host, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        return server.serveOnce(1000);
    }

    // A command as the host frames it: the code with the ninth bit, the rest and the CRC without.
    bool sendCommand(std::vector<uint8_t> frame, uint32_t baudRate = 19200)
    {
        const uint16_t crc = boot_loader::Crc16::of(frame);
        frame.push_back(static_cast<uint8_t>(crc & 0xFF));
        frame.push_back(static_cast<uint8_t>(crc >> 8));
        if (!sendAndServe({frame[0]}, true, baudRate)) {
            return false;
        }
        return sendAndServe(std::vector<uint8_t>(frame.begin() + 1, frame.end()), false, baudRate);
    }

    std::vector<uint8_t> answer()
    {
        std::vector<uint8_t> bytes(512);
        pollfd request{host, POLLIN, 0};
        if (poll(&request, 1, 0) != 1 || (request.revents & POLLIN) == 0) {
            return {};
        }
        const ssize_t count = ::read(host, bytes.data(), bytes.size());
        bytes.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
        return bytes;
    }

    PanelEmulator panel;
    PtyPanelServer server{panel};
    std::vector<LoggedCommand> commands;
    int host = -1;
};

TEST_F(PtyPanelServerTest, AnswersACommandWhoseCodeCameWithMarkParity)
{
    ASSERT_TRUE(sendCommand({0xF1}));
    const std::vector<uint8_t> bytes = answer();
    ASSERT_EQ(bytes.size(), 19u);
    EXPECT_EQ(bytes[0], 0xA0);
    EXPECT_EQ(boot_loader::Crc16::of(bytes), 0);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].code, 0xF1);
}

TEST_F(PtyPanelServerTest, IgnoresAFrameSentWithoutTheNinthBit)
{
    ASSERT_TRUE(sendAndServe({0xF1, 0x00, 0x00}, false));
    EXPECT_TRUE(answer().empty());
    EXPECT_TRUE(commands.empty());
}

TEST_F(PtyPanelServerTest, HearsNothingAtAnotherRateAndFollowsASpeedChange)
{
    ASSERT_TRUE(sendCommand({0xF1}, 345600));
    EXPECT_TRUE(answer().empty());
    EXPECT_TRUE(commands.empty());

    ASSERT_TRUE(sendCommand({0xF5, 0x01}));
    EXPECT_EQ(answer().size(), 3u) << "the speed command is answered at the old rate";
    EXPECT_EQ(panel.baudRate(), 345600u);
    ASSERT_TRUE(sendCommand({0xF1}));
    EXPECT_TRUE(answer().empty()) << "a host that missed the switch gets no answer";
    ASSERT_TRUE(sendCommand({0xF1}, 345600));
    EXPECT_EQ(answer().size(), 19u);
}

TEST_F(PtyPanelServerTest, ServesOneHostAfterAnother)
{
    closeHost();
    EXPECT_TRUE(server.serveOnce(0)) << "no host is no failure";
    openHost();
    ASSERT_TRUE(sendCommand({0xF4}));
    EXPECT_EQ(answer().size(), 3u);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].answerStatus, 0xA0);
}

TEST_F(PtyPanelServerTest, ClosesTheLineWhenThePanelDropsIt)
{
    panel.applyFaultScript("drop-after:1");
    ASSERT_TRUE(sendCommand({0xF1}));
    EXPECT_EQ(answer().size(), 19u);
    EXPECT_FALSE(sendCommand({0xF1}));
    EXPECT_FALSE(server.isOpen());
    pollfd request{host, POLLIN, 0};
    ASSERT_EQ(poll(&request, 1, 0), 1);
    EXPECT_NE(request.revents & POLLHUP, 0) << "the host's port fails as with an unplugged converter";
}

} // namespace
