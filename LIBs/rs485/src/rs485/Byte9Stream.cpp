#include "rs485/Byte9Stream.h"

#include "rs485/RS485Connection.h"
#include "rs485/ReceiveTimeoutException.h"

namespace rs485 {

namespace {

constexpr Char9 ninthBitMask = 0x100;
constexpr std::size_t initialScratchSize = 512;

bool ninthBitOf(Char9 character)
{
    return (character & ninthBitMask) != 0;
}

} // namespace

Byte9Stream::Byte9Stream(RS485Connection& connection)
    : link(&connection), receiveScratch(initialScratchSize, 0)
{}

Byte9Stream::~Byte9Stream() = default;

Byte9Stream& Byte9Stream::operator<<(Char9 character)
{
    append(character);
    return *this;
}

Byte9Stream& Byte9Stream::operator<<(const std::vector<Char9>& characters)
{
    for (Char9 character : characters) {
        append(character);
    }
    flush();
    return *this;
}

Byte9Stream& Byte9Stream::operator<<(const std::vector<uint8_t>& bytes)
{
    flush();
    runNinthBit = false;
    // Also covers a connection whose flag was set from outside the stream.
    link->setNinthBit(false);
    link->write(bytes.data(), bytes.size());
    return *this;
}

Byte9Stream& Byte9Stream::operator>>(uint8_t& byte)
{
    flush();
    if (link->read(&byte, 1) != 1) {
        throw ReceiveTimeoutException();
    }
    return *this;
}

Byte9Stream& Byte9Stream::operator>>(Char9& character)
{
    uint8_t byte = 0;
    *this >> byte;
    character = byte;
    return *this;
}

Byte9Stream& Byte9Stream::operator>>(std::vector<uint8_t>& bytes)
{
    flush();
    if (bytes.empty()) {
        return *this;
    }
    const std::size_t received = link->read(bytes.data(), bytes.size());
    if (received < bytes.size()) {
        bytes.resize(received);
        throw ReceiveTimeoutException();
    }
    return *this;
}

Byte9Stream& Byte9Stream::operator>>(std::vector<Char9>& characters)
{
    flush();
    if (characters.empty()) {
        return *this;
    }
    if (receiveScratch.size() < characters.size()) {
        receiveScratch.resize(characters.size());
    }
    const std::size_t received = link->read(receiveScratch.data(), characters.size());
    // The ninth bit is not evaluated on reception: every character arrives with it cleared.
    for (std::size_t i = 0; i < received; ++i) {
        characters[i] = receiveScratch[i];
    }
    if (received < characters.size()) {
        characters.resize(received);
        throw ReceiveTimeoutException();
    }
    return *this;
}

void Byte9Stream::append(Char9 character)
{
    const bool bit = ninthBitOf(character);
    if (bit != runNinthBit) {
        flush(); // the previous run goes out under its own parity
        runNinthBit = bit;
    }
    output[static_cast<std::size_t>(pending)] = static_cast<uint8_t>(character & 0xFF);
    ++pending;
    if (pending == static_cast<int>(output.size())) {
        flush();
    }
}

void Byte9Stream::flush()
{
    if (pending == 0) {
        return;
    }
    const auto count = static_cast<std::size_t>(pending);
    // The run is dropped before anything can throw: after a failure, the remains of a broken frame must
    // never lead the next frame onto the bus.
    pending = 0;
    link->setNinthBit(runNinthBit);
    link->write(output.data(), count);
}

} // namespace rs485
