#include "config_zelmar/ConfigZelmar.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/ConfigurationDecoder.h"
#include "config_zelmar/ConfigurationEncoder.h"
#include "config_zelmar/ConfiguratorError.h"
#include "config_zelmar/ImageFields.h"
#include "config_zelmar/MemoryMap.h"
#include "config_zelmar/PanelDescription.h"
#include "config_zelmar/PanelTexts.h"
#include "config_zelmar/ProgressHandlerAdapter.h"
#include "config_zelmar/TransferCancelled.h"
#include "config_zelmar/WriteStamp.h"

#include "boot_loader/BootloaderException.h"
#include "boot_loader/BootloaderProtocol.h"
#include "boot_loader/MemoryImage.h"
#include "boot_loader/MemoryPage.h"
#include "rs485/Byte9Stream.h"
#include "rs485/RS485Connection.h"

namespace config_zelmar {

namespace map = memory_map;
using boot_loader::BootloaderException;

namespace {

// The panel's checksums of both areas, taken when the images were known to equal the panel.
struct PanelChecksums
{
    uint32_t options = 0;
    uint32_t configuration = 0;
};

} // namespace

struct ConfigZelmar::Parts
{
    Parts(rs485::PortFactory portFactory, rs485::SleepFunction sleep, LocalDateFunction today)
        : connection(std::move(portFactory), std::move(sleep)), today(std::move(today))
    {}

    rs485::RS485Connection connection;
    rs485::Byte9Stream stream{connection};
    boot_loader::BootloaderProtocol protocol{stream};
    boot_loader::MemoryImage optionsImage = image_fields::makeOptionsImage();
    boot_loader::MemoryImage configImage = image_fields::makeConfigurationImage();
    PanelChecksums checksums;
    // The stored checksums describe the images. Cleared before anything can make the images differ
    // from the panel, so that a transfer that failed half-way (or read another panel) can never let the
    // next write skip a page that the panel does not hold.
    bool imagesKnown = false;
    bool raisedSpeed = false;
    LocalDateFunction today;

    void identify();
    void enterRaisedSpeed();
    void leaveRaisedSpeed();
    bool imagesMatchPanel();
    void readOptionsChecked(boot_loader::ProgressHandler* progress);
    PanelChecksums panelChecksums();
    void stampWrite();
    void revertStamp();
    void writeImages(bool fullMode, ProgressHandlerAdapter& adapter);
    void copyPanelTexts(Configuration& configuration) const;
};

// Identification is always done at the normal rate, before the speed is raised.
void ConfigZelmar::Parts::identify()
{
    const boot_loader::BootloaderInfo* info = nullptr;
    try {
        info = &protocol.refreshInfo();
    } catch (const BootloaderException& exception) {
        throw ConfiguratorError(exception);
    }
    if (info->version != panel_description::loaderVersion) {
        throw ConfiguratorError(ConfiguratorError::IncompatibleLoader);
    }
    if (info->deviceName != panel_description::deviceName || info->pageSize != panel_description::pageSize) {
        throw ConfiguratorError(ConfiguratorError::UnsupportedDevice);
    }
}

void ConfigZelmar::Parts::enterRaisedSpeed()
{
    if (!raisedSpeed) {
        return;
    }
    protocol.setSpeed(panel_description::raisedSpeedDivisor);
    connection.setBaudRate(panel_description::raisedBaudRate);
}

// Never throws: a failure here must not hide the error that ends the transfer. When the speed command
// fails, the panel may or may not have changed its rate (a command can be carried out and its answer
// lost), so the command is tried at the normal rate as well; the host always ends at the normal rate.
void ConfigZelmar::Parts::leaveRaisedSpeed()
{
    if (!raisedSpeed) {
        return;
    }
    const uint32_t rates[] = {panel_description::raisedBaudRate, panel_description::normalBaudRate};
    for (const uint32_t rate : rates) {
        connection.setBaudRate(rate);
        try {
            protocol.setSpeed(panel_description::normalSpeedDivisor);
            break;
        } catch (const BootloaderException& exception) {
            if (exception.code() == BootloaderException::PortFailure) {
                break; // the link is gone; nothing more can be told to the panel
            }
        }
    }
    connection.setBaudRate(panel_description::normalBaudRate);
}

bool ConfigZelmar::Parts::imagesMatchPanel()
{
    namespace area = map::configuration;
    if (protocol.checksum(map::options::memory, map::options::base, map::checksums::optionsLength) !=
        checksums.options) {
        return false;
    }
    if (protocol.checksum(area::memory, area::base, map::checksums::configurationLength) !=
        checksums.configuration) {
        return false;
    }
    return imagesKnown;
}

// Reads the option page into its image and refuses a panel with foreign firmware.
void ConfigZelmar::Parts::readOptionsChecked(boot_loader::ProgressHandler* progress)
{
    optionsImage.readAll(protocol, progress);
    if (optionsImage.getByte(map::options::firmwareCode) != map::options::expectedFirmwareCode) {
        leaveRaisedSpeed();
        throw ConfiguratorError(ConfiguratorError::IncompatibleFirmware);
    }
}

PanelChecksums ConfigZelmar::Parts::panelChecksums()
{
    namespace area = map::configuration;
    PanelChecksums result;
    result.options =
        protocol.checksum(map::options::memory, map::options::base, map::checksums::optionsLength);
    result.configuration = protocol.checksum(area::memory, area::base, map::checksums::configurationLength);
    return result;
}

// The stamp starts from the panel's own bytes, not the image's: the panel may have been written by
// another program since the images were filled.
void ConfigZelmar::Parts::stampWrite()
{
    boot_loader::MemoryPage firstPage(map::options::memory, map::options::base, map::pageSize);
    protocol.readPage(firstPage);
    WriteStamp(firstPage.data(), today()).applyTo(optionsImage);
}

void ConfigZelmar::Parts::revertStamp()
{
    for (uint32_t offset = 0; offset < map::options::stampLength; ++offset) {
        optionsImage.revertByte(map::options::lastWriteDay + offset);
    }
}

void ConfigZelmar::Parts::writeImages(bool fullMode, ProgressHandlerAdapter& adapter)
{
    optionsImage.writeModified(protocol, &adapter);
    if (fullMode) {
        configImage.writeAll(protocol, &adapter);
    } else {
        configImage.writeModified(protocol, &adapter);
    }
}

void ConfigZelmar::Parts::copyPanelTexts(Configuration& configuration) const
{
    configuration.lastWriteDate = panel_texts::lastWriteDate(optionsImage);
    configuration.writeCounter = panel_texts::writeCounter(optionsImage);
    configuration.firmwareVersion = panel_texts::firmwareVersion(optionsImage);
}

ConfigZelmar::ConfigZelmar() : ConfigZelmar(rs485::posixPortFactory(), rs485::realSleep(), systemLocalDate())
{}

ConfigZelmar::ConfigZelmar(rs485::PortFactory portFactory, rs485::SleepFunction sleep,
                           LocalDateFunction today)
    : parts(std::make_unique<Parts>(std::move(portFactory), std::move(sleep), std::move(today)))
{}

ConfigZelmar::~ConfigZelmar() = default;

bool ConfigZelmar::open(const std::string& portName)
{
    return parts->connection.open(portName, panel_description::normalBaudRate);
}

void ConfigZelmar::close()
{
    parts->connection.close();
}

void ConfigZelmar::setRaisedSpeed(bool raised)
{
    parts->raisedSpeed = raised;
}

bool ConfigZelmar::raisedSpeed() const
{
    return parts->raisedSpeed;
}

void ConfigZelmar::readConfiguration(Configuration& configuration, ProgressHandler* progress)
{
    Parts& p = *parts;
    ProgressHandlerAdapter adapter(
        static_cast<int>(p.optionsImage.pageCount() + p.configImage.pageCount() + 2), progress);
    p.identify();
    adapter.step();
    p.imagesKnown = false;
    adapter.stopIfCancelled();
    try {
        p.enterRaisedSpeed();
        p.readOptionsChecked(&adapter);
        p.configImage.readAll(p.protocol, &adapter);
        p.checksums = p.panelChecksums();
        p.leaveRaisedSpeed();
    } catch (const BootloaderException& exception) {
        p.leaveRaisedSpeed();
        throw ConfiguratorError(exception);
    } catch (const TransferCancelled&) {
        p.leaveRaisedSpeed();
        throw;
    }
    p.imagesKnown = true;
    adapter.finish();
    // Decoded aside and then moved in, so that the configuration is untouched if decoding fails.
    Configuration decoded;
    ConfigurationDecoder(p.optionsImage, p.configImage).replaceContent(decoded);
    configuration = std::move(decoded);
}

void ConfigZelmar::writeConfiguration(Configuration& configuration, ProgressHandler* progress)
{
    Parts& p = *parts;
    p.identify();
    bool fullMode = true;
    try {
        p.enterRaisedSpeed();
        fullMode = !p.imagesMatchPanel();
        p.imagesKnown = false;
        if (fullMode) {
            p.readOptionsChecked(nullptr);
        }
        ConfigurationEncoder(p.optionsImage, p.configImage).encode(configuration);
        p.stampWrite();
    } catch (const BootloaderException& exception) {
        // Also when the stamp's page read fails: the panel must not be left at the raised rate.
        p.revertStamp();
        p.leaveRaisedSpeed();
        throw ConfiguratorError(exception);
    }

    const std::size_t configPages =
        fullMode ? p.configImage.pageCount() : static_cast<std::size_t>(p.configImage.modifiedPageCount());
    ProgressHandlerAdapter adapter(static_cast<int>(p.optionsImage.modifiedPageCount() + configPages + 3),
                                   progress);
    adapter.step();
    PanelChecksums written;
    try {
        p.writeImages(fullMode, adapter);
        written = p.panelChecksums();
        adapter.step();
        p.protocol.finish();
    } catch (const BootloaderException& exception) {
        p.revertStamp();
        p.leaveRaisedSpeed();
        throw ConfiguratorError(exception);
    }
    if (p.raisedSpeed) {
        // The panel ends its loader session at the normal rate by itself; no speed command follows.
        p.connection.setBaudRate(panel_description::normalBaudRate);
    }
    p.checksums = written;
    p.imagesKnown = true;
    adapter.finish();
    p.copyPanelTexts(configuration);
}

PanelInfo ConfigZelmar::readPanelInfo()
{
    Parts& p = *parts;
    p.identify();
    boot_loader::MemoryImage options = image_fields::makeOptionsImage();
    try {
        options.readAll(p.protocol, nullptr);
    } catch (const BootloaderException& exception) {
        throw ConfiguratorError(exception);
    }
    const boot_loader::BootloaderInfo& info = p.protocol.info();
    PanelInfo result;
    result.loaderVersion = info.version;
    result.deviceName = info.deviceName;
    result.pageSize = info.pageSize;
    result.firmwareVersion = panel_texts::firmwareVersion(options);
    result.lastWriteDate = panel_texts::lastWriteDate(options);
    result.writeCounter = panel_texts::writeCounter(options);
    return result;
}

} // namespace config_zelmar
