#include "config_zelmar/ConfigZelmar.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/ConfigurationDecoder.h"
#include "config_zelmar/ConfigurationEncoder.h"
#include "config_zelmar/ConfiguratorError.h"
#include "config_zelmar/FailureGuard.h"
#include "config_zelmar/ImageFields.h"
#include "config_zelmar/ImageStore.h"
#include "config_zelmar/MemoryMap.h"
#include "config_zelmar/ModelWarning.h"
#include "config_zelmar/PanelChecksums.h"
#include "config_zelmar/PanelDescription.h"
#include "config_zelmar/PanelTexts.h"
#include "config_zelmar/ProgressHandler.h"
#include "config_zelmar/ProgressHandlerAdapter.h"
#include "config_zelmar/RaisedSpeed.h"
#include "config_zelmar/TransferCancelled.h"
#include "config_zelmar/WriteStamp.h"

#include "boot_loader/BootloaderException.h"
#include "boot_loader/BootloaderProtocol.h"
#include "boot_loader/MemoryImage.h"
#include "boot_loader/MemoryPage.h"
#include "rs485/Byte9Stream.h"
#include "rs485/RS485Connection.h"

#include <functional>
#include <stdexcept>

namespace config_zelmar {

namespace map = memory_map;
using boot_loader::BootloaderException;
using PageIndexes = boot_loader::MemoryImage::PageIndexes;

namespace {

// Protocol failures leave a transfer as the transfer's own error; the guards inside have run by then.
template <typename Body> void translated(Body&& body)
{
    try {
        body();
    } catch (const BootloaderException& exception) {
        throw ConfiguratorError(exception);
    }
}

// The transfer's progress handler may stop it while this lives.
class CancelScope
{
public:
    CancelScope(ProgressHandler*& source, ProgressHandler* progress) : source(source) { source = progress; }
    ~CancelScope() { source = nullptr; }

    CancelScope(const CancelScope&) = delete;
    CancelScope& operator=(const CancelScope&) = delete;

private:
    ProgressHandler*& source;
};

struct WrittenPages
{
    PageIndexes options;
    PageIndexes configuration;

    int count() const { return static_cast<int>(options.size() + configuration.size()); }
};

} // namespace

struct ConfigZelmar::Parts
{
    Parts(rs485::PortFactory portFactory, rs485::SleepFunction sleep, LocalDateFunction today)
        : connection(std::move(portFactory), std::move(sleep)), today(std::move(today))
    {
        protocol.setBeforeCommand([this] { stopIfCancelled(); });
    }

    rs485::RS485Connection connection;
    rs485::Byte9Stream stream{connection};
    boot_loader::BootloaderProtocol protocol{stream};
    boot_loader::MemoryImage optionsImage = image_fields::makeOptionsImage();
    boot_loader::MemoryImage configImage = image_fields::makeConfigurationImage();
    RaisedSpeed speed{connection, protocol};
    // The panel's checksums when the panel copies of the images were last known to equal the panel.
    PanelChecksums checksums;
    // Cleared before anything can make the panel differ from the panel copies (a page write whose answer
    // is lost may or may not have been carried out), so that a transfer that failed half-way, or read
    // another panel, can never let the next write take the images for the panel's content.
    bool imagesKnown = false;
    WriteOptions writeOptions;
    std::shared_ptr<ImageStore> store;
    LocalDateFunction today;
    // Asked before every command of the running transfer whether to stop; cleared once it said so, so
    // that the clean-up (leaving raised speed) still reaches the panel.
    ProgressHandler* cancelSource = nullptr;

    void stopIfCancelled();
    void identify();
    void checkFirmware() const;
    PanelChecksums panelChecksums();
    PanelImages panelContent() const;
    void establishContent(ProgressHandler* progress);
    bool takeKnownContent(const PanelChecksums& now);
    void readContent(const PanelChecksums& now, ProgressHandler* progress);
    void rememberContent();
    void write(const std::function<void()>& shapeImages, ProgressHandler* progress);
    void keepBackup();
    void stampWrite();
    void revertStamp();
    WrittenPages writePages(ProgressHandlerAdapter& adapter);
    void verifyPages(const WrittenPages& written, ProgressHandlerAdapter& adapter);
    void copyPanelTexts(Configuration& configuration) const;
};

void ConfigZelmar::Parts::stopIfCancelled()
{
    if (cancelSource && cancelSource->cancelRequested()) {
        cancelSource = nullptr;
        throw TransferCancelled();
    }
}

// Identification is always done at the normal rate, before the speed is raised. A panel that does not
// answer may still be running at the raised rate after a transfer that was cut off: it is asked once at
// that rate to come back.
void ConfigZelmar::Parts::identify()
{
    const boot_loader::BootloaderInfo* info = nullptr;
    try {
        try {
            info = &protocol.refreshInfo();
        } catch (const BootloaderException& exception) {
            if (exception.code() != BootloaderException::NoAnswer || !speed.bringBackFromRaised()) {
                throw;
            }
            info = &protocol.refreshInfo();
        }
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

void ConfigZelmar::Parts::checkFirmware() const
{
    if (optionsImage.getByte(map::options::firmwareCode) != map::options::expectedFirmwareCode) {
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

PanelImages ConfigZelmar::Parts::panelContent() const
{
    return PanelImages{optionsImage.panelBytes(), configImage.panelBytes()};
}

// Known from this run or from the store when the panel's checksums match; read otherwise.
void ConfigZelmar::Parts::establishContent(ProgressHandler* progress)
{
    const PanelChecksums now = panelChecksums();
    if (!takeKnownContent(now)) {
        readContent(now, progress);
    }
    checkFirmware();
}

bool ConfigZelmar::Parts::takeKnownContent(const PanelChecksums& now)
{
    if (imagesKnown && now == checksums) {
        return true;
    }
    const std::optional<PanelImages> stored = store ? store->knownImages(now) : std::nullopt;
    if (!stored) {
        return false;
    }
    optionsImage.loadPanelCopy(stored->options);
    configImage.loadPanelCopy(stored->configuration);
    checksums = now;
    imagesKnown = true;
    return true;
}

void ConfigZelmar::Parts::readContent(const PanelChecksums& now, ProgressHandler* progress)
{
    imagesKnown = false;
    ProgressHandlerAdapter adapter(static_cast<int>(optionsImage.pageCount() + configImage.pageCount()),
                                   progress);
    adapter.setPhase(TransferPhase::ReadingPanel);
    optionsImage.readAll(protocol, &adapter);
    checkFirmware();
    configImage.readAll(protocol, &adapter);
    checksums = now;
    imagesKnown = true;
    rememberContent();
}

void ConfigZelmar::Parts::rememberContent()
{
    if (store) {
        store->rememberImages(checksums, panelContent());
    }
}

void ConfigZelmar::Parts::write(const std::function<void()>& shapeImages, ProgressHandler* progress)
{
    const CancelScope cancellable(cancelSource, progress);
    identify();
    translated([&] {
        FailureGuard normalSpeed([this] { speed.leave(); });
        speed.enter();
        establishContent(progress);
        FailureGuard stampReverted([this] { revertStamp(); });
        optionsImage.revertAll();
        configImage.revertAll();
        shapeImages();
        stampWrite();
        const bool changesPanel =
            writeOptions.allPages || optionsImage.modifiedPageCount() + configImage.modifiedPageCount() > 0;
        if (writeOptions.backup && changesPanel) {
            keepBackup();
        }
        imagesKnown = false;

        const int pages = writeOptions.allPages
                              ? static_cast<int>(optionsImage.pageCount() + configImage.pageCount())
                              : optionsImage.modifiedPageCount() + configImage.modifiedPageCount();
        ProgressHandlerAdapter adapter(pages * (writeOptions.verify ? 2 : 1) + 3, progress);
        adapter.setPhase(TransferPhase::Writing);
        adapter.step();
        const WrittenPages written = writePages(adapter);
        if (writeOptions.verify) {
            verifyPages(written, adapter);
        }
        const PanelChecksums newChecksums = panelChecksums();
        adapter.step();
        protocol.finish();
        normalSpeed.dismiss();
        stampReverted.dismiss();
        speed.followFinish();
        checksums = newChecksums;
        imagesKnown = true;
        rememberContent();
        adapter.finish();
    });
}

// The panel's previous content, before anything of it changes. Without a backup nothing is written.
void ConfigZelmar::Parts::keepBackup()
{
    if (!store) {
        return;
    }
    try {
        store->addBackup(panelContent());
    } catch (const std::exception& error) {
        modelWarning(std::string("Image store: no backup of the panel: ") + error.what());
        throw ConfiguratorError(ConfiguratorError::BackupFailed);
    }
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

WrittenPages ConfigZelmar::Parts::writePages(ProgressHandlerAdapter& adapter)
{
    WrittenPages written;
    if (writeOptions.allPages) {
        written.options = optionsImage.writeAll(protocol, &adapter);
        written.configuration = configImage.writeAll(protocol, &adapter);
    } else {
        written.options = optionsImage.writeModified(protocol, &adapter);
        written.configuration = configImage.writeModified(protocol, &adapter);
    }
    return written;
}

// A page the panel acknowledged but holds otherwise is written once more; if it still differs the
// panel's memory cannot be trusted.
void ConfigZelmar::Parts::verifyPages(const WrittenPages& written, ProgressHandlerAdapter& adapter)
{
    adapter.setPhase(TransferPhase::Verifying);
    WrittenPages differing{optionsImage.verify(protocol, written.options, &adapter),
                           configImage.verify(protocol, written.configuration, &adapter)};
    if (differing.count() == 0) {
        return;
    }
    modelWarning("Verify: " + std::to_string(differing.count()) + " page(s) differ from what was written");
    adapter.addSteps(2 * differing.count());
    adapter.setPhase(TransferPhase::Writing);
    const WrittenPages again{optionsImage.writeModified(protocol, &adapter),
                             configImage.writeModified(protocol, &adapter)};
    adapter.setPhase(TransferPhase::Verifying);
    const WrittenPages stillDiffering{optionsImage.verify(protocol, again.options, &adapter),
                                      configImage.verify(protocol, again.configuration, &adapter)};
    if (stillDiffering.count() > 0) {
        throw ConfiguratorError(ConfiguratorError::VerifyFailed);
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

const rs485::OpenFailure& ConfigZelmar::lastOpenFailure() const
{
    return parts->connection.lastOpenFailure();
}

void ConfigZelmar::close()
{
    parts->connection.close();
}

void ConfigZelmar::setRaisedSpeed(bool raised)
{
    parts->speed.setWanted(raised);
}

bool ConfigZelmar::raisedSpeed() const
{
    return parts->speed.wanted();
}

void ConfigZelmar::setWriteOptions(const WriteOptions& options)
{
    parts->writeOptions = options;
}

const WriteOptions& ConfigZelmar::writeOptions() const
{
    return parts->writeOptions;
}

void ConfigZelmar::setImageStore(std::shared_ptr<ImageStore> store)
{
    parts->store = std::move(store);
}

void ConfigZelmar::setDataFolder(const std::string& folder)
{
    setImageStore(folder.empty() ? nullptr : std::make_shared<ImageStore>(folder));
}

void ConfigZelmar::readConfiguration(Configuration& configuration, ProgressHandler* progress)
{
    Parts& p = *parts;
    const CancelScope cancellable(p.cancelSource, progress);
    ProgressHandlerAdapter adapter(
        static_cast<int>(p.optionsImage.pageCount() + p.configImage.pageCount() + 2), progress);
    p.identify();
    adapter.step();
    p.imagesKnown = false;
    translated([&] {
        FailureGuard normalSpeed([&p] { p.speed.leave(); });
        p.speed.enter();
        p.optionsImage.readAll(p.protocol, &adapter);
        p.checkFirmware();
        p.configImage.readAll(p.protocol, &adapter);
        p.checksums = p.panelChecksums();
        normalSpeed.dismiss();
    });
    p.speed.leave();
    p.imagesKnown = true;
    p.rememberContent();
    adapter.finish();
    // Decoded aside and then moved in, so that the configuration is untouched if decoding fails.
    Configuration decoded;
    ConfigurationDecoder(p.optionsImage, p.configImage).replaceContent(decoded);
    configuration = std::move(decoded);
}

PanelImages ConfigZelmar::establishPanelContent(ProgressHandler* progress)
{
    Parts& p = *parts;
    const CancelScope cancellable(p.cancelSource, progress);
    p.identify();
    translated([&] {
        FailureGuard normalSpeed([&p] { p.speed.leave(); });
        p.speed.enter();
        p.establishContent(progress);
        normalSpeed.dismiss();
    });
    p.speed.leave();
    return p.panelContent();
}

void ConfigZelmar::writeConfiguration(Configuration& configuration, ProgressHandler* progress)
{
    Parts& p = *parts;
    p.write([&] { ConfigurationEncoder(p.optionsImage, p.configImage).encode(configuration); }, progress);
    p.copyPanelTexts(configuration);
}

void ConfigZelmar::restoreImages(const PanelImages& images, ProgressHandler* progress)
{
    Parts& p = *parts;
    if (images.options.size() != p.optionsImage.size() ||
        images.configuration.size() != p.configImage.size()) {
        throw std::invalid_argument("The images to restore have the wrong size.");
    }
    p.write(
        [&] {
            p.optionsImage.setAllBytes(images.options);
            p.configImage.setAllBytes(images.configuration);
        },
        progress);
}

PanelInfo ConfigZelmar::readPanelInfo()
{
    Parts& p = *parts;
    p.identify();
    boot_loader::MemoryImage options = image_fields::makeOptionsImage();
    translated([&] { options.readAll(p.protocol, nullptr); });
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
