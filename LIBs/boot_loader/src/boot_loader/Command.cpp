#include "boot_loader/Command.h"

#include "boot_loader/Crc16.h"
#include "boot_loader/MemoryPage.h"

namespace boot_loader {

namespace {
constexpr uint16_t ninthBit = 0x100;
}

Command::Command(uint8_t code)
{
    characters.push_back(static_cast<uint16_t>(code | ninthBit));
}

void Command::addByte(uint8_t byte)
{
    characters.push_back(byte);
}

uint8_t Command::addressHighCharacter(int32_t space, uint32_t address)
{
    const uint32_t high = address >> 16;
    return static_cast<uint8_t>(space == 1 ? ((high | 0x80U) & 0xFFU) : (high & 0x7FU));
}

void Command::addAddress(int32_t space, uint32_t address)
{
    addByte(static_cast<uint8_t>(address & 0xFFU));
    addByte(static_cast<uint8_t>((address >> 8) & 0xFFU));
    addByte(addressHighCharacter(space, address));
}

void Command::addCrc()
{
    const uint16_t crc = Crc16::ofCharacters(characters);
    addByte(static_cast<uint8_t>(crc & 0xFFU));
    addByte(static_cast<uint8_t>(crc >> 8));
}

Command Command::identify()
{
    Command command(Identify);
    command.addCrc();
    return command;
}

Command Command::readPage(int32_t space, uint32_t address)
{
    Command command(ReadPage);
    command.addAddress(space, address);
    command.addCrc();
    return command;
}

Command Command::writePage(const MemoryPage& page)
{
    Command command(WritePage);
    command.addAddress(page.space(), page.address());
    command.characters.insert(command.characters.end(), page.data().begin(), page.data().end());
    command.addCrc();
    return command;
}

Command Command::finish()
{
    Command command(Finish);
    command.addCrc();
    return command;
}

Command Command::setSpeed(uint8_t divisor)
{
    Command command(SetSpeed);
    command.addByte(divisor);
    command.addCrc();
    return command;
}

Command Command::checksum(int32_t space, uint32_t address, uint16_t length)
{
    Command command(Checksum);
    command.addAddress(space, address);
    command.addByte(static_cast<uint8_t>(length & 0xFFU));
    command.addByte(static_cast<uint8_t>(length >> 8));
    command.addCrc();
    return command;
}

} // namespace boot_loader
