#include "support/FakePort.h"

#include "boot_loader/Answer.h"

#include <algorithm>

namespace test_support {

std::size_t FakePortState::commandCount() const
{
    return static_cast<std::size_t>(std::count_if(writes.begin(), writes.end(), [](const Write& write) {
        return write.parity == rs485::Parity::Mark;
    }));
}

std::vector<uint16_t> FakePortState::characters() const
{
    std::vector<uint16_t> result;
    for (const Write& write : writes) {
        for (uint8_t byte : write.bytes) {
            result.push_back(static_cast<uint16_t>(byte | (write.parity == rs485::Parity::Mark ? 0x100 : 0)));
        }
    }
    return result;
}

bool FakePort::open(const std::string&)
{
    opened = !state->failing;
    return opened;
}

bool FakePort::close()
{
    opened = false;
    return true;
}

bool FakePort::applyLineSettings(const rs485::LineSettings& settings)
{
    line = settings;
    return !state->failing;
}

bool FakePort::readLineSettings(rs485::LineSettings& settings)
{
    settings = line;
    return !state->failing;
}

void FakePort::setReadTimeout(uint32_t milliseconds)
{
    state->appliedTimeouts.push_back(milliseconds);
}

long FakePort::write(const uint8_t* data, std::size_t count)
{
    if (state->failing) {
        return -1;
    }
    const bool endsCommand = line.parity == rs485::Parity::Space && !state->writes.empty() &&
                             state->writes.back().parity == rs485::Parity::Mark;
    state->writes.push_back({line.parity, std::vector<uint8_t>(data, data + count)});
    if (endsCommand && !state->replies.empty()) {
        const std::optional<std::vector<uint8_t>> reply = state->replies.front();
        state->replies.pop_front();
        if (reply) {
            state->incoming.insert(state->incoming.end(), reply->begin(), reply->end());
        }
    }
    return static_cast<long>(count);
}

long FakePort::read(uint8_t* buffer, std::size_t count)
{
    if (state->failing) {
        return -1;
    }
    std::size_t received = 0;
    while (received < count && !state->incoming.empty()) {
        buffer[received++] = state->incoming.front();
        state->incoming.pop_front();
    }
    return static_cast<long>(received);
}

bool FakePort::purge(bool, bool receive)
{
    if (receive) {
        state->incoming.clear();
    }
    return true;
}

std::vector<uint8_t> answerBytes(uint8_t status, const std::vector<uint8_t>& payload)
{
    return boot_loader::Answer::frameBytes(status, payload);
}

} // namespace test_support
