#include "boot_loader/Answer.h"

#include "boot_loader/BootloaderException.h"
#include "boot_loader/Crc16.h"
#include "rs485/Byte9Stream.h"
#include "rs485/ReceiveTimeoutException.h"

namespace boot_loader {

namespace {

constexpr std::size_t shortestAnswer = 3;

// Reads the wanted number of characters; false when the time-out ran out first.
bool readCharacters(rs485::Byte9Stream& stream, std::vector<uint16_t>& characters)
{
    try {
        stream >> characters;
        return true;
    } catch (const rs485::ReceiveTimeoutException&) {
        return false;
    }
}

int32_t errorCodeOfStatus(uint16_t status)
{
    switch (status) {
    case Answer::BadCommandChecksum:
        return BootloaderException::CommandChecksum;
    case Answer::BadAddress:
        return BootloaderException::CommandAddress;
    case Answer::InternalError:
        return BootloaderException::LoaderInternalError;
    default:
        return BootloaderException::UnexpectedStatus;
    }
}

} // namespace

Answer::Answer(std::size_t expectedSize) : expected(expectedSize)
{
    characters.assign(expectedSize, 0);
}

Answer::Answer(std::vector<uint16_t> received) : expected(received.size())
{
    characters = std::move(received);
}

std::vector<uint8_t> Answer::frameBytes(uint8_t status, const std::vector<uint8_t>& payload)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(payload.size() + shortestAnswer);
    bytes.push_back(status);
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    const uint16_t crc = Crc16::of(bytes);
    bytes.push_back(static_cast<uint8_t>(crc & 0xFFU));
    bytes.push_back(static_cast<uint8_t>(crc >> 8));
    return bytes;
}

void Answer::check() const
{
    if (characters.empty()) {
        throw BootloaderException(BootloaderException::NoAnswer);
    }
    if (characters.size() < shortestAnswer || Crc16::ofCharacters(characters) != 0) {
        throw BootloaderException(BootloaderException::DamagedAnswer);
    }
    const uint16_t status = characters.front();
    if (status != Success) {
        throw BootloaderException(errorCodeOfStatus(status));
    }
    if (characters.size() != expected) {
        throw BootloaderException(BootloaderException::DamagedAnswer);
    }
}

std::vector<uint8_t> Answer::payload() const
{
    std::vector<uint8_t> bytes;
    if (characters.size() <= shortestAnswer) {
        return bytes;
    }
    bytes.reserve(characters.size() - shortestAnswer);
    for (std::size_t index = 1; index < characters.size() - 2; ++index) {
        bytes.push_back(static_cast<uint8_t>(characters[index] & 0xFFU));
    }
    return bytes;
}

uint32_t Answer::uint32Value() const
{
    if (characters.size() != 7) {
        return 0;
    }
    uint32_t value = 0;
    for (std::size_t index = 4; index >= 1; --index) {
        value = (value << 8) | (characters[index] & 0xFFU);
    }
    return value;
}

rs485::Byte9Stream& operator>>(rs485::Byte9Stream& stream, Answer& answer)
{
    const std::size_t wanted = answer.expectedSize();
    // An answer cut short by the time-out counts as no answer at all: the panel may be stuck in the
    // middle of a frame, and only "no answer" makes the next attempt send the resynchronisation prefix.
    answer.characters.clear();
    std::vector<uint16_t> received(wanted <= shortestAnswer ? wanted : 1);
    if (!readCharacters(stream, received)) {
        return stream;
    }
    if (wanted > shortestAnswer) {
        const bool success = received.front() == Answer::Success;
        std::vector<uint16_t> rest(success ? wanted - 1 : shortestAnswer - 1);
        if (!readCharacters(stream, rest)) {
            return stream;
        }
        received.insert(received.end(), rest.begin(), rest.end());
    }
    answer.characters = std::move(received);
    return stream;
}

} // namespace boot_loader
