#pragma once

#include "boot_loader/Answer.h"
#include "boot_loader/BootloaderInfo.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace rs485 {
class Byte9Stream;
}

namespace boot_loader {

class Command;
class MemoryPage;

// Request-reply transactions with the panel's loader: sets the read time-out each command needs, sends
// the command, reads and checks the answer, retries, and turns a failing port into error code 0.
// Keeps the panel's identification once read. Every failure leaves by BootloaderException.
class BootloaderProtocol
{
public:
    static constexpr int32_t defaultAttempts = 3;
    // Zero bytes sent before the second attempt after a silent first one: they let a panel that is
    // stuck in the middle of a long frame (a page write is 262 characters) reach its end and drop it.
    static constexpr std::size_t resynchronisationLength = 261;
    static constexpr uint32_t shortTimeout = 200;
    static constexpr uint32_t checksumTimeout = 750;

    explicit BootloaderProtocol(rs485::Byte9Stream& stream);
    virtual ~BootloaderProtocol() = default;

    BootloaderProtocol(const BootloaderProtocol&) = delete;
    BootloaderProtocol& operator=(const BootloaderProtocol&) = delete;

    // Applies the read time-out to the connection only when it differs from the one last applied.
    void setTimeout(uint32_t milliseconds);
    uint32_t timeout() const { return currentTimeout; }

    int32_t attempts() const { return maximumAttempts; }
    void setAttempts(int32_t attempts) { maximumAttempts = attempts; }

    // Called before every command is sent (not before a retry of it); whatever it throws ends the
    // operation before anything of the command goes out. Empty: nothing is called.
    void setBeforeCommand(std::function<void()> hook) { beforeCommand = std::move(hook); }

    // Identifies the panel only when no identification is held yet.
    const BootloaderInfo& info();
    // Always identifies the panel again.
    const BootloaderInfo& refreshInfo();
    bool infoValid() const { return infoRead; }

    // Page operations identify the panel first when needed. A page whose size differs from the panel's
    // page size is refused with code 6 before anything is sent. A failed read leaves the page unchanged.
    void readPage(MemoryPage& page);
    void writePage(const MemoryPage& page);
    // The panel's 32-bit checksum of a range of one memory space.
    uint32_t checksum(int32_t space, uint32_t address, uint16_t length);
    // Makes the panel change its baud rate (divisor 35: 19200, 1: 345600); it answers at the old rate.
    void setSpeed(uint8_t divisor);
    // Ends a write.
    void finish();

    static uint32_t readPageTimeout(uint16_t pageSize) { return pageSize * 5U + shortTimeout; }
    static uint32_t writePageTimeout(uint16_t pageSize) { return pageSize * 16U + shortTimeout; }

private:
    Answer transact(const Command& command, std::size_t payloadLength);
    Answer exchange(const Command& command, std::size_t payloadLength, bool sendPrefix);
    uint16_t checkedPageSize(std::size_t pageBytes);

    rs485::Byte9Stream* stream;
    BootloaderInfo identification;
    bool infoRead = false;
    int32_t maximumAttempts = defaultAttempts;
    uint32_t currentTimeout;
    std::function<void()> beforeCommand;
};

} // namespace boot_loader
