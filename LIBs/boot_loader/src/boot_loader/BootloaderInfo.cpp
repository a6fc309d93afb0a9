#include "boot_loader/BootloaderInfo.h"

namespace boot_loader {

namespace {

constexpr std::size_t nameOffset = 8;
constexpr std::size_t extraByteOffset = 15;
constexpr uint8_t lastVersionWithLongName = 17;

std::size_t nameCapacity(uint8_t version)
{
    return version <= lastVersionWithLongName ? 8 : 6;
}

uint16_t littleEndianWord(const std::vector<uint8_t>& bytes, std::size_t offset)
{
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

} // namespace

BootloaderInfo BootloaderInfo::decode(const std::vector<uint8_t>& payload)
{
    BootloaderInfo info;
    if (payload.size() != payloadSize) {
        return info;
    }
    info.version = payload[0];
    info.idBytes = {payload[1], payload[2], payload[3]};
    info.pageSize = littleEndianWord(payload, 4);
    info.extraWord = littleEndianWord(payload, 6);
    const std::size_t capacity = nameCapacity(info.version);
    for (std::size_t index = 0; index < capacity && payload[nameOffset + index] != 0; ++index) {
        info.deviceName.push_back(static_cast<char>(payload[nameOffset + index]));
    }
    info.extraByte = info.version > lastVersionWithLongName ? payload[extraByteOffset] : 0;
    return info;
}

std::vector<uint8_t> BootloaderInfo::encode() const
{
    std::vector<uint8_t> payload(payloadSize, 0);
    payload[0] = version;
    payload[1] = idBytes[0];
    payload[2] = idBytes[1];
    payload[3] = idBytes[2];
    payload[4] = static_cast<uint8_t>(pageSize & 0xFFU);
    payload[5] = static_cast<uint8_t>(pageSize >> 8);
    payload[6] = static_cast<uint8_t>(extraWord & 0xFFU);
    payload[7] = static_cast<uint8_t>(extraWord >> 8);
    const std::size_t capacity = nameCapacity(version);
    for (std::size_t index = 0; index < deviceName.size() && index < capacity; ++index) {
        payload[nameOffset + index] = static_cast<uint8_t>(deviceName[index]);
    }
    if (version > lastVersionWithLongName) {
        payload[extraByteOffset] = extraByte;
    }
    return payload;
}

} // namespace boot_loader
