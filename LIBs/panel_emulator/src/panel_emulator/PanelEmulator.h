#pragma once

#include "boot_loader/BootloaderInfo.h"
#include "panel_emulator/PanelFaults.h"
#include "panel_emulator/PanelMemory.h"
#include "panel_emulator/ReceiveLog.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace panel_emulator {

// The loader side of the panel, independent of any transport. Fed the received characters one by one
// with their ninth bit, it assembles command frames (a character with the ninth bit starts one; the
// code gives the length), checks them and returns the bytes of the answer to send back.
//
// Memories: memory 1 is the 256-byte option page at 0x000-0x0FF (by default a valid one: firmware code
// 0xB2 at 0x04, firmware 0x13 at 0x05, every other byte 0xFF); memory 0 covers 0x3E00-0xFBFF (0xFF).
// Command 0xF6 answers the CRC-32 of the range (see boot_loader::Crc32). Command 0xF5 sets the rate
// 11059200 / (16 * (divisor + 1)): 35 gives 19200, 1 gives 345600; the answer still goes out at the
// old rate. Command 0xF4 ends the loader session: after its answer the panel is back at 19200 baud.
class PanelEmulator
{
public:
    static constexpr uint32_t initialBaudRate = 19200;
    static constexpr uint32_t optionMemoryBase = 0x0000;
    static constexpr std::size_t optionMemorySize = 0x100;
    static constexpr uint32_t configurationMemoryBase = 0x3E00;
    static constexpr std::size_t configurationMemorySize = 0xBE00;
    static constexpr std::size_t resynchronisationLength = 261;

    // Identification: version 0x12, page size 256, name "Z-ZL3".
    PanelEmulator();
    explicit PanelEmulator(const boot_loader::BootloaderInfo& identity);

    // Takes one received character (bit 8: the ninth bit) and returns the answer bytes, if any.
    std::vector<uint8_t> receive(uint16_t character);

    boot_loader::BootloaderInfo& identity() { return identification; }
    PanelMemory& memory(int space) { return space == 1 ? optionMemory : configurationMemory; }
    const PanelMemory& memory(int space) const { return space == 1 ? optionMemory : configurationMemory; }

    PanelFaults& faults() { return activeFaults; }
    void setFaults(const PanelFaults& faults) { activeFaults = faults; }
    // Throws std::invalid_argument for a script that FaultScript cannot read.
    void applyFaultScript(const std::string& script);

    const ReceiveLog& log() const { return receiveLog; }
    void clearLog() { receiveLog = ReceiveLog(); }
    void noteLostCharacter() { ++receiveLog.lostCharacters; }

    uint32_t baudRate() const { return currentBaudRate; }
    // As if the loader were running at this rate, for example left at the raised rate by a transfer
    // that was cut off.
    void setBaudRate(uint32_t rate) { currentBaudRate = rate; }
    bool linkDropped() const { return dropped; }
    // The converter is plugged in again after a dropped link: the panel hears the host again, at the
    // rate it was left at, and has forgotten any frame it was receiving.
    void reconnect();
    bool finished() const { return finishReceived; }

    static std::size_t frameLength(uint8_t code, uint16_t pageSize);
    static uint32_t baudRateOfDivisor(uint8_t divisor);

private:
    bool swallowWhileStuck(uint16_t character);
    std::vector<uint8_t> completeFrame();
    bool takeDropAtPage(uint8_t code);
    std::vector<uint8_t> answerFor(const std::vector<uint8_t>& frame, LoggedCommand& entry);
    std::vector<uint8_t> execute(const std::vector<uint8_t>& frame);
    std::vector<uint8_t> readPage(int space, uint32_t address);
    std::vector<uint8_t> writePage(int space, uint32_t address, const std::vector<uint8_t>& frame);
    std::vector<uint8_t> checksum(int space, uint32_t address, const std::vector<uint8_t>& frame);
    void damageAnswer(std::vector<uint8_t>& answer);
    void damageFlash(std::vector<uint8_t>& page);
    void countDownDrop();

    boot_loader::BootloaderInfo identification;
    PanelMemory optionMemory;
    PanelMemory configurationMemory;
    PanelFaults activeFaults;
    ReceiveLog receiveLog;
    std::vector<uint8_t> frame;
    std::size_t expectedFrameLength = 0;
    std::size_t zeroRun = 0;
    uint32_t currentBaudRate = initialBaudRate;
    bool dropPending = false;
    bool dropped = false;
    bool finishReceived = false;
};

} // namespace panel_emulator
