#include "panel_emulator/PanelEmulator.h"

#include "boot_loader/Answer.h"
#include "boot_loader/Command.h"
#include "boot_loader/Crc16.h"
#include "panel_emulator/FaultScript.h"

namespace panel_emulator {

namespace {

using boot_loader::Answer;
using boot_loader::Command;

constexpr uint16_t ninthBit = 0x100;

constexpr std::size_t addressLength = 3;
constexpr std::size_t headerLength = 1 + addressLength;

std::vector<uint8_t> answer(uint8_t status, const std::vector<uint8_t>& payload = {})
{
    return Answer::frameBytes(status, payload);
}

int spaceOf(const std::vector<uint8_t>& frame)
{
    return frame.size() >= headerLength && (frame[3] & 0x80U) ? 1 : 0;
}

uint32_t addressOf(const std::vector<uint8_t>& frame)
{
    if (frame.size() < headerLength) {
        return 0;
    }
    return frame[1] | (frame[2] << 8) | (static_cast<uint32_t>(frame[3] & 0x7FU) << 16);
}

bool hasAddress(uint8_t code)
{
    return code == Command::ReadPage || code == Command::WritePage || code == Command::Checksum;
}

} // namespace

PanelEmulator::PanelEmulator() : PanelEmulator(boot_loader::BootloaderInfo{0x12, {}, 256, 0, "Z-ZL3", 0}) {}

PanelEmulator::PanelEmulator(const boot_loader::BootloaderInfo& identity)
    : identification(identity), optionMemory(optionMemoryBase, optionMemorySize),
      configurationMemory(configurationMemoryBase, configurationMemorySize)
{
    optionMemory.setByteAt(0x04, 0xB2); // firmware code of the panel
    optionMemory.setByteAt(0x05, 0x13); // firmware version
}

void PanelEmulator::applyFaultScript(const std::string& script)
{
    activeFaults = FaultScript::parse(script);
}

void PanelEmulator::reconnect()
{
    dropped = false;
    activeFaults.dropAfterCommands = -1;
    activeFaults.dropAtPage = 0;
    frame.clear();
    expectedFrameLength = 0;
}

std::size_t PanelEmulator::frameLength(uint8_t code, uint16_t pageSize)
{
    switch (code) {
    case Command::Identify:
    case Command::Finish:
        return 3;
    case Command::ReadPage:
        return 6;
    case Command::WritePage:
        return 6 + static_cast<std::size_t>(pageSize);
    case Command::SetSpeed:
        return 4;
    case Command::Checksum:
        return 8;
    default:
        return 0;
    }
}

uint32_t PanelEmulator::baudRateOfDivisor(uint8_t divisor)
{
    // The loader's UART runs from an 11.0592 MHz crystal with 16 samples per bit.
    return 11059200U / (16U * (divisor + 1U));
}

std::vector<uint8_t> PanelEmulator::receive(uint16_t character)
{
    if (activeFaults.dropAfterCommands == 0) {
        dropped = true;
    }
    if (dropped) {
        return {};
    }
    receiveLog.characters.push_back(character);
    if (swallowWhileStuck(character)) {
        return {};
    }
    const auto byte = static_cast<uint8_t>(character & 0xFFU);
    if (character & ninthBit) {
        // An address character starts a new frame, whatever was being received.
        expectedFrameLength = frameLength(byte, identification.pageSize);
        frame.assign(expectedFrameLength == 0 ? 0 : 1, byte);
    } else if (frame.empty()) {
        receiveLog.zeroPrefixBytes += byte == 0 ? 1 : 0;
        return {};
    } else {
        frame.push_back(byte);
    }
    return !frame.empty() && frame.size() == expectedFrameLength ? completeFrame() : std::vector<uint8_t>{};
}

bool PanelEmulator::swallowWhileStuck(uint16_t character)
{
    if (!activeFaults.stuck) {
        return false;
    }
    if (character == 0) {
        ++zeroRun;
        ++receiveLog.zeroPrefixBytes;
    } else {
        zeroRun = 0;
    }
    if (zeroRun >= resynchronisationLength) {
        // The long frame is complete at last; its CRC is wrong, so it is dropped without an answer.
        activeFaults.stuck = false;
        zeroRun = 0;
    }
    return true;
}

std::vector<uint8_t> PanelEmulator::completeFrame()
{
    std::vector<uint8_t> received;
    received.swap(frame);
    LoggedCommand entry;
    entry.code = received[0];
    entry.space = hasAddress(entry.code) ? spaceOf(received) : 0;
    entry.address = hasAddress(entry.code) ? addressOf(received) : 0;
    entry.crcValid = boot_loader::Crc16::of(received) == 0;
    if (takeDropAtPage(entry.code)) {
        receiveLog.commands.push_back(entry);
        return {};
    }
    std::vector<uint8_t> bytes = answerFor(received, entry);
    if (!bytes.empty()) {
        entry.answerStatus = bytes[0];
    }
    receiveLog.commands.push_back(entry);
    return bytes;
}

bool PanelEmulator::takeDropAtPage(uint8_t code)
{
    if ((code == Command::ReadPage || code == Command::WritePage) && activeFaults.dropAtPage > 0 &&
        --activeFaults.dropAtPage == 0) {
        dropped = true;
    }
    return dropped;
}

std::vector<uint8_t> PanelEmulator::answerFor(const std::vector<uint8_t>& received, LoggedCommand& entry)
{
    if (activeFaults.silentCommands > 0) {
        --activeFaults.silentCommands;
        return {};
    }
    std::vector<uint8_t> bytes;
    if (activeFaults.statusCommands > 0) {
        --activeFaults.statusCommands;
        bytes = answer(activeFaults.status);
    } else if (!entry.crcValid) {
        bytes = answer(Answer::BadCommandChecksum);
    } else {
        bytes = execute(received);
    }
    damageAnswer(bytes);
    countDownDrop();
    return bytes;
}

void PanelEmulator::damageAnswer(std::vector<uint8_t>& bytes)
{
    if (activeFaults.badCrcAnswers > 0) {
        --activeFaults.badCrcAnswers;
        bytes.back() ^= 0x01;
    }
    if (activeFaults.truncatedAnswers > 0) {
        --activeFaults.truncatedAnswers;
        bytes.pop_back();
    }
}

void PanelEmulator::countDownDrop()
{
    if (activeFaults.dropAfterCommands > 0) {
        --activeFaults.dropAfterCommands; // at 0 the link drops with the next character
    }
}

std::vector<uint8_t> PanelEmulator::execute(const std::vector<uint8_t>& received)
{
    const int space = spaceOf(received);
    const uint32_t address = addressOf(received);
    switch (received[0]) {
    case Command::Identify:
        return answer(Answer::Success, identification.encode());
    case Command::ReadPage:
        return readPage(space, address);
    case Command::WritePage:
        return writePage(space, address, received);
    case Command::Finish:
        // The loader ends its session: the panel restarts at its normal rate once the answer is out.
        finishReceived = true;
        currentBaudRate = initialBaudRate;
        return answer(Answer::Success);
    case Command::SetSpeed:
        currentBaudRate = baudRateOfDivisor(received[1]);
        return answer(Answer::Success);
    default:
        return checksum(space, address, received);
    }
}

std::vector<uint8_t> PanelEmulator::readPage(int space, uint32_t address)
{
    const PanelMemory& target = memory(space);
    if (!target.contains(address, identification.pageSize)) {
        return answer(Answer::BadAddress);
    }
    return answer(Answer::Success, target.read(address, identification.pageSize));
}

std::vector<uint8_t> PanelEmulator::writePage(int space, uint32_t address,
                                              const std::vector<uint8_t>& received)
{
    PanelMemory& target = memory(space);
    if (!target.contains(address, identification.pageSize)) {
        return answer(Answer::BadAddress);
    }
    const auto first = received.begin() + headerLength;
    std::vector<uint8_t> stored(first, first + identification.pageSize);
    damageFlash(stored);
    target.write(address, stored);
    return answer(Answer::Success);
}

void PanelEmulator::damageFlash(std::vector<uint8_t>& page)
{
    if (activeFaults.flashFaults == 0 || page.empty()) {
        return;
    }
    if (activeFaults.flashFaults > 0) {
        --activeFaults.flashFaults;
    }
    page[page.size() / 2] ^= 0xFFU;
}

std::vector<uint8_t> PanelEmulator::checksum(int space, uint32_t address,
                                             const std::vector<uint8_t>& received)
{
    const std::size_t length = received[4] | (received[5] << 8);
    const PanelMemory& target = memory(space);
    if (!target.contains(address, length)) {
        return answer(Answer::BadAddress);
    }
    const uint32_t value = target.checksum(address, length);
    return answer(Answer::Success, {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                                    static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)});
}

} // namespace panel_emulator
