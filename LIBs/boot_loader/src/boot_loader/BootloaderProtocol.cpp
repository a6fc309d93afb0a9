#include "boot_loader/BootloaderProtocol.h"

#include "boot_loader/BootloaderException.h"
#include "boot_loader/Command.h"
#include "boot_loader/MemoryPage.h"
#include "rs485/Byte9Stream.h"
#include "rs485/DisconnectException.h"
#include "rs485/RS485Connection.h"

#include <vector>

namespace boot_loader {

namespace {
constexpr std::size_t identificationLength = BootloaderInfo::payloadSize;
constexpr std::size_t checksumLength = 4;
} // namespace

BootloaderProtocol::BootloaderProtocol(rs485::Byte9Stream& stream)
    : stream(&stream), currentTimeout(stream.connection().timeout())
{}

void BootloaderProtocol::setTimeout(uint32_t milliseconds)
{
    if (milliseconds != currentTimeout) {
        stream->connection().setTimeout(milliseconds);
        currentTimeout = milliseconds;
    }
}

const BootloaderInfo& BootloaderProtocol::info()
{
    return infoRead ? identification : refreshInfo();
}

const BootloaderInfo& BootloaderProtocol::refreshInfo()
{
    infoRead = false;
    setTimeout(shortTimeout);
    const Answer answer = transact(Command::identify(), identificationLength);
    identification = BootloaderInfo::decode(answer.payload());
    infoRead = true;
    return identification;
}

uint16_t BootloaderProtocol::checkedPageSize(std::size_t pageBytes)
{
    const uint16_t pageSize = info().pageSize;
    if (pageSize != pageBytes) {
        throw BootloaderException(BootloaderException::UnexpectedStatus);
    }
    return pageSize;
}

void BootloaderProtocol::readPage(MemoryPage& page)
{
    const uint16_t pageSize = checkedPageSize(page.size());
    setTimeout(readPageTimeout(pageSize));
    page.setData(transact(Command::readPage(page.space(), page.address()), pageSize).payload());
}

void BootloaderProtocol::writePage(const MemoryPage& page)
{
    const uint16_t pageSize = checkedPageSize(page.size());
    setTimeout(writePageTimeout(pageSize));
    transact(Command::writePage(page), 0);
}

uint32_t BootloaderProtocol::checksum(int32_t space, uint32_t address, uint16_t length)
{
    setTimeout(checksumTimeout);
    return transact(Command::checksum(space, address, length), checksumLength).uint32Value();
}

void BootloaderProtocol::setSpeed(uint8_t divisor)
{
    setTimeout(shortTimeout);
    transact(Command::setSpeed(divisor), 0);
}

void BootloaderProtocol::finish()
{
    setTimeout(shortTimeout);
    transact(Command::finish(), 0);
}

Answer BootloaderProtocol::transact(const Command& command, std::size_t payloadLength)
{
    if (beforeCommand) {
        beforeCommand();
    }
    bool sendPrefix = false;
    for (int32_t attempt = 1;; ++attempt) {
        const Answer answer = exchange(command, payloadLength, sendPrefix);
        try {
            answer.check();
            return answer;
        } catch (const BootloaderException& failure) {
            if (attempt >= maximumAttempts) {
                throw BootloaderException(failure.code());
            }
            sendPrefix = attempt == 1 && failure.code() == BootloaderException::NoAnswer;
        }
    }
}

Answer BootloaderProtocol::exchange(const Command& command, std::size_t payloadLength, bool sendPrefix)
{
    Answer answer(payloadLength + 3);
    try {
        if (sendPrefix) {
            *stream << std::vector<uint8_t>(resynchronisationLength, 0);
        }
        *stream << command.characters;
        *stream >> answer;
    } catch (const rs485::DisconnectException&) {
        throw BootloaderException(BootloaderException::PortFailure);
    }
    return answer;
}

} // namespace boot_loader
