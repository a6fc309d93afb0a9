#pragma once

#include "config_zelmar/LocalDate.h"
#include "config_zelmar/PanelInfo.h"
#include "rs485/SerialPort.h"

#include <cstdint>
#include <memory>
#include <string>

namespace config_zelmar {

class Configuration;
class ProgressHandler;

// The panel transfer: owns the serial connection, the nine-bit stream, the loader protocol and the two
// memory images of the panel, which it keeps between transfers so that a repeated write sends only the
// changed pages. Every failure of a transfer is thrown as ConfiguratorError.
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
    void close();

    // Raised speed (345600 baud) for the bulk of a transfer.
    void setRaisedSpeed(bool raised);
    bool raisedSpeed() const;

    // Reads both memories of the panel and replaces the configuration's content; the configuration is
    // untouched when the read fails, or when the progress handler cancels it (TransferCancelled).
    void readConfiguration(Configuration& configuration, ProgressHandler* progress);
    // Encodes the configuration and writes what the panel needs; updates the configuration's last write
    // date, write counter and firmware version.
    void writeConfiguration(Configuration& configuration, ProgressHandler* progress);

    // Identifies the panel at 19200 baud with the checks of a read and reads its option page; the
    // images and stored checksums are left as they are. Throws ConfiguratorError.
    PanelInfo readPanelInfo();

private:
    struct Parts;
    std::unique_ptr<Parts> parts;
};

} // namespace config_zelmar
