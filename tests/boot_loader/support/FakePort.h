#pragma once

#include "rs485/SerialPort.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace test_support {

// What the scripted port saw and what it will answer; shared with the test, since the connection
// owns the port itself.
struct FakePortState
{
    struct Write
    {
        rs485::Parity parity;
        std::vector<uint8_t> bytes;
    };

    std::vector<Write> writes;
    std::vector<uint32_t> appliedTimeouts;
    // One entry per command sent (a MARK write followed by a SPACE write); an empty optional stays
    // silent. Without entries the port stays silent.
    std::deque<std::optional<std::vector<uint8_t>>> replies;
    std::deque<uint8_t> incoming;
    bool failing = false;

    std::size_t commandCount() const;
    // The written bytes with their ninth bit, in order.
    std::vector<uint16_t> characters() const;
};

// A serial port whose answers are scripted: it never waits, a read returns what is queued.
class FakePort : public rs485::SerialPort
{
public:
    explicit FakePort(std::shared_ptr<FakePortState> state) : state(std::move(state)) {}

    bool open(const std::string&) override;
    bool isOpen() const override { return opened; }
    bool close() override;
    bool applyLineSettings(const rs485::LineSettings& settings) override;
    bool readLineSettings(rs485::LineSettings& settings) override;
    void setReadTimeout(uint32_t milliseconds) override;
    long write(const uint8_t* data, std::size_t count) override;
    bool drain() override { return !state->failing; }
    long read(uint8_t* buffer, std::size_t count) override;
    bool purge(bool transmit, bool receive) override;

private:
    std::shared_ptr<FakePortState> state;
    rs485::LineSettings line;
    bool opened = false;
};

// A successful or error answer: status, payload, CRC-16 low byte first.
std::vector<uint8_t> answerBytes(uint8_t status, const std::vector<uint8_t>& payload = {});

} // namespace test_support
