#include "rs485/SysfsPortLister.h"

#include <algorithm>
#include <fstream>
#include <system_error>
#include <utility>

namespace rs485 {

namespace fs = std::filesystem;

namespace {

constexpr const char* ftdiVendorId = "0403";
// From the tty's device (the USB serial port) up through the interface to the USB device; a few spare.
constexpr int usbDeviceSearchDepth = 5;
constexpr const char* unknownPortType = "0";

bool readFirstWord(const fs::path& file, std::string& word)
{
    std::ifstream stream(file);
    return static_cast<bool>(stream >> word);
}

bool pathExists(const fs::path& path)
{
    std::error_code error;
    return fs::exists(path, error);
}

} // namespace

SysfsPortLister::SysfsPortLister(fs::path sysfsRoot) : root(std::move(sysfsRoot)) {}

std::vector<std::string> SysfsPortLister::serialPorts() const
{
    return deviceNames(portEntries());
}

std::vector<std::string> SysfsPortLister::ftdiPorts() const
{
    std::vector<fs::path> entries = portEntries();
    entries.erase(
        std::remove_if(entries.begin(), entries.end(), [](const fs::path& e) { return !isFtdiPort(e); }),
        entries.end());
    return deviceNames(std::move(entries));
}

std::vector<fs::path> SysfsPortLister::portEntries() const
{
    std::vector<fs::path> entries;
    std::error_code error;
    fs::directory_iterator iterator(root / "class" / "tty", error);
    for (; !error && iterator != fs::directory_iterator(); iterator.increment(error)) {
        if (isRealPort(iterator->path())) {
            entries.push_back(iterator->path());
        }
    }
    return entries;
}

bool SysfsPortLister::isRealPort(const fs::path& entry)
{
    if (!pathExists(entry / "device")) {
        return false; // virtual console, pseudo-terminal, or a broken link
    }
    // Serial-core ports publish their UART type; 0 means no UART answers at that slot.
    std::string type;
    return !(readFirstWord(entry / "type", type) && type == unknownPortType);
}

bool SysfsPortLister::isFtdiPort(const fs::path& entry)
{
    std::error_code error;
    fs::path device = fs::canonical(entry / "device", error);
    if (error) {
        return false;
    }
    for (int level = 0; level < usbDeviceSearchDepth && device.has_relative_path(); ++level) {
        // The nearest folder with a vendor id is the USB device; hubs further up have their own.
        if (pathExists(device / "idVendor")) {
            std::string vendor;
            return readFirstWord(device / "idVendor", vendor) && vendor == ftdiVendorId;
        }
        device = device.parent_path();
    }
    return false;
}

std::vector<std::string> SysfsPortLister::deviceNames(std::vector<fs::path> entries)
{
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (const fs::path& entry : entries) {
        names.push_back("/dev/" + entry.filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace rs485
