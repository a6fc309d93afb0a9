#pragma once

#include <cstddef>
#include <cstdint>

namespace boot_loader {
class MemoryImage;
}

namespace config_zelmar {

class Configuration;
class DeviceNames;
class Section;

// Writes a configuration into the working copies of the panel's two memory images: options, sections
// with their name records and index tables, commands and event tables. Bytes and bits that the memory
// map marks as preserved keep the images' values. The date and counter stamp is not part of it.
class ConfigurationEncoder
{
public:
    ConfigurationEncoder(boot_loader::MemoryImage& optionsImage, boot_loader::MemoryImage& configImage);

    void encode(const Configuration& configuration);

    void encodeOptions(const Configuration& configuration);
    void encodeSections(const Configuration& configuration);
    void encodeCommands(const Configuration& configuration);
    void encodeEventTables(const Configuration& configuration);

private:
    void encodePassword(const Configuration& configuration);
    void encodeSectionConsole(const Configuration& configuration);
    void encodeCentralConsole(const Configuration& configuration);
    void encodeConsole(int console, const Section& section);
    void encodeConsoleName(int console, const Section& section);
    void encodeConsoleDevices(int console, const Section& section);
    // Places the device's name record in the pool and returns its address, or the missing marker.
    uint16_t placeDeviceRecord(const DeviceNames* names);
    bool recordFits(std::size_t size) const;

    boot_loader::MemoryImage& options;
    boot_loader::MemoryImage& config;
    uint32_t poolCursor = 0;
};

} // namespace config_zelmar
