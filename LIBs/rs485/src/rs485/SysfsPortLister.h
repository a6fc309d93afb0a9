#pragma once

#include "rs485/PortDescription.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace rs485 {

// Lists the machine's serial ports from sysfs (<root>/class/tty) and their stable names from
// <devRoot>/serial/by-id. An entry that cannot be read is left out; listing never fails.
class SysfsPortLister
{
public:
    explicit SysfsPortLister(std::filesystem::path sysfsRoot, std::filesystem::path devRoot = "/dev");

    // Every tty backed by a device, as /dev/<name>, sorted by bytes. Pseudo-terminals and virtual
    // consoles have no device; serial-core ports the kernel reports as type unknown (the legacy ttyS*
    // slots without a UART behind them) are skipped.
    std::vector<std::string> serialPorts() const;
    // Those of serialPorts() whose USB device has the FTDI vendor id 0403.
    std::vector<std::string> ftdiPorts() const;
    // serialPorts() with what sysfs tells of each, in the same order.
    std::vector<PortDescription> describedPorts() const;
    // The port a path names (a /dev/serial/by-id link is followed); none when sysfs has no such port.
    std::optional<PortDescription> describe(const std::string& portPath) const;
    // The FTDI driver's latency timer of the port in milliseconds; none for other ports.
    std::optional<int> latencyTimer(const std::string& portPath) const;

private:
    std::vector<std::filesystem::path> portEntries() const;
    PortDescription describeEntry(const std::filesystem::path& entry) const;
    std::string stableNameOf(const std::string& ttyName) const;
    static std::string ttyNameOf(const std::string& portPath);
    static bool isRealPort(const std::filesystem::path& entry);
    static std::optional<std::filesystem::path> usbDeviceOf(const std::filesystem::path& entry);
    static bool isFtdiPort(const std::filesystem::path& entry);
    static std::vector<std::string> deviceNames(std::vector<std::filesystem::path> entries);

    std::filesystem::path root;
    std::filesystem::path devRoot;
};

} // namespace rs485
