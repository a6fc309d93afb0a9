#pragma once

#include <cstdint>
#include <memory>

namespace boot_loader {
class MemoryImage;
}

namespace config_zelmar {

class Configuration;
class DeviceNames;
class Section;

// Reads a configuration out of the working copies of the panel's two memory images, the reverse of
// ConfigurationEncoder.
class ConfigurationDecoder
{
public:
    ConfigurationDecoder(const boot_loader::MemoryImage& optionsImage,
                         const boot_loader::MemoryImage& configImage);

    // Everything a read from the panel does to the configuration: reset to defaults, the texts shown
    // from the option page, the decoded content, then the event tables rebuilt.
    void replaceContent(Configuration& configuration) const;

    // The decoded content alone, into a configuration just reset to its defaults.
    void decode(Configuration& configuration) const;

private:
    void decodeOptions(Configuration& configuration) const;
    void decodeSectionConsole(Configuration& configuration) const;
    void decodeCentralConsole(Configuration& configuration) const;
    void decodeConsoleNames(int console, Section& section) const;
    void decodeConsoleDevices(int console, Section& section) const;
    std::shared_ptr<DeviceNames> readDeviceRecord(uint32_t address) const;
    void decodeCommands(Configuration& configuration) const;
    void decodeEventTables(Configuration& configuration) const;

    const boot_loader::MemoryImage& options;
    const boot_loader::MemoryImage& config;
};

} // namespace config_zelmar
