#pragma once

#include "config_zelmar/LocalDate.h"
#include "config_zelmar/PanelImageCodec.h"
#include "config_zelmar/PanelInfo.h"
#include "config_zelmar/WriteOptions.h"
#include "rs485/SerialPort.h"

#include <cstdint>
#include <memory>
#include <string>

namespace config_zelmar {

class Configuration;
class ImageStore;
class ProgressHandler;

// The panel transfer: owns the serial connection, the nine-bit stream, the loader protocol and the two
// memory images of the panel. A write first makes sure the images hold what the panel holds (known from
// an earlier transfer or from the image store when the panel's checksums match, read otherwise), so that
// every byte the configuration does not set keeps the panel's value and only the pages that differ are
// written; then it reads every written page back. Every failure of a transfer is thrown as
// ConfiguratorError; on any failure the panel is brought back to the normal rate.
class ConfigZelmar
{
public:
    // Real serial ports, real sleeping, the system's local date.
    ConfigZelmar();
    ConfigZelmar(rs485::PortFactory portFactory, rs485::SleepFunction sleep, LocalDateFunction today);
    virtual ~ConfigZelmar();

    ConfigZelmar(const ConfigZelmar&) = delete;
    ConfigZelmar& operator=(const ConfigZelmar&) = delete;

    // Opens the port at 19200 baud; false when it cannot be opened.
    bool open(const std::string& portName);
    // Why the last open() failed.
    const rs485::OpenFailure& lastOpenFailure() const;
    void close();

    // Raised speed (345600 baud) for the bulk of a transfer.
    void setRaisedSpeed(bool raised);
    bool raisedSpeed() const;

    void setWriteOptions(const WriteOptions& options);
    const WriteOptions& writeOptions() const;

    // Where the images known to equal a panel and the backups are kept; null: nowhere (no backups).
    void setImageStore(std::shared_ptr<ImageStore> store);
    // The same with an image store in the folder; an empty folder means none.
    void setDataFolder(const std::string& folder);

    // Reads both memories of the panel and replaces the configuration's content; the configuration is
    // untouched when the read fails, or when the progress handler cancels it (TransferCancelled).
    void readConfiguration(Configuration& configuration, ProgressHandler* progress);
    // Makes sure the images hold the panel's content, as a write begins, and ends as a read does
    // (without finish). Returns the content.
    PanelImages establishPanelContent(ProgressHandler* progress);
    // Encodes the configuration onto the panel's content and writes what differs; updates the
    // configuration's last write date, write counter and firmware version.
    void writeConfiguration(Configuration& configuration, ProgressHandler* progress);
    // Writes the images back into the panel, every byte but the date and counter stamp, as a write does.
    // Throws std::invalid_argument before anything is sent when an image has the wrong size.
    void restoreImages(const PanelImages& images, ProgressHandler* progress);

    // Identifies the panel at 19200 baud with the checks of a read and reads its option page; the
    // images and stored checksums are left as they are. Throws ConfiguratorError.
    PanelInfo readPanelInfo();

private:
    struct Parts;
    std::unique_ptr<Parts> parts;
};

} // namespace config_zelmar
