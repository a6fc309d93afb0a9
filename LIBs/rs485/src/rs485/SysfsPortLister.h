#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace rs485 {

// Lists the machine's serial ports from sysfs (<root>/class/tty). An entry that cannot be read is left
// out; listing never fails.
class SysfsPortLister
{
public:
    explicit SysfsPortLister(std::filesystem::path sysfsRoot);

    // Every tty backed by a device, as /dev/<name>, sorted by bytes. Pseudo-terminals and virtual
    // consoles have no device; serial-core ports the kernel reports as type unknown (the legacy ttyS*
    // slots without a UART behind them) are skipped.
    std::vector<std::string> serialPorts() const;
    // Those of serialPorts() whose USB device has the FTDI vendor id 0403.
    std::vector<std::string> ftdiPorts() const;

private:
    std::vector<std::filesystem::path> portEntries() const;
    static bool isRealPort(const std::filesystem::path& entry);
    static bool isFtdiPort(const std::filesystem::path& entry);
    static std::vector<std::string> deviceNames(std::vector<std::filesystem::path> entries);

    std::filesystem::path root;
};

} // namespace rs485
