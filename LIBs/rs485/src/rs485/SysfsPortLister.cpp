#include "rs485/SysfsPortLister.h"

#include <algorithm>
#include <fstream>
#include <system_error>
#include <utility>

namespace rs485 {

namespace fs = std::filesystem;

namespace {

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

// The whole first line: USB product and manufacturer strings have spaces.
std::string readLine(const fs::path& file)
{
    std::ifstream stream(file);
    std::string line;
    std::getline(stream, line);
    return line;
}

// Follows a chain of symbolic links by their text, so that a by-id link names its tty even where the
// target cannot be reached.
fs::path followLinks(fs::path path)
{
    constexpr int maximumLinks = 8;
    for (int hop = 0; hop < maximumLinks; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(path, error)) {
            break;
        }
        const fs::path target = fs::read_symlink(path, error);
        if (error) {
            break;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

} // namespace

SysfsPortLister::SysfsPortLister(fs::path sysfsRoot, fs::path devRoot)
    : root(std::move(sysfsRoot)), devRoot(std::move(devRoot))
{}

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

std::vector<PortDescription> SysfsPortLister::describedPorts() const
{
    std::vector<PortDescription> ports;
    for (const fs::path& entry : portEntries()) {
        ports.push_back(describeEntry(entry));
    }
    std::sort(ports.begin(), ports.end(),
              [](const PortDescription& a, const PortDescription& b) { return a.path < b.path; });
    return ports;
}

std::optional<PortDescription> SysfsPortLister::describe(const std::string& portPath) const
{
    const fs::path entry = root / "class" / "tty" / ttyNameOf(portPath);
    if (!isRealPort(entry)) {
        return std::nullopt;
    }
    return describeEntry(entry);
}

std::optional<int> SysfsPortLister::latencyTimer(const std::string& portPath) const
{
    // The FTDI driver publishes it on the USB serial port, the tty's device.
    std::ifstream stream(root / "class" / "tty" / ttyNameOf(portPath) / "device" / "latency_timer");
    int milliseconds = 0;
    if (!(stream >> milliseconds)) {
        return std::nullopt;
    }
    return milliseconds;
}

PortDescription SysfsPortLister::describeEntry(const fs::path& entry) const
{
    PortDescription port;
    const std::string ttyName = entry.filename().string();
    port.path = "/dev/" + ttyName;
    port.stableName = stableNameOf(ttyName);
    if (const std::optional<fs::path> usbDevice = usbDeviceOf(entry)) {
        port.vendorId = readLine(*usbDevice / "idVendor");
        port.productId = readLine(*usbDevice / "idProduct");
        port.product = readLine(*usbDevice / "product");
        port.manufacturer = readLine(*usbDevice / "manufacturer");
        port.serialNumber = readLine(*usbDevice / "serial");
    }
    return port;
}

std::string SysfsPortLister::stableNameOf(const std::string& ttyName) const
{
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator iterator(devRoot / "serial" / "by-id", error);
    for (; !error && iterator != fs::directory_iterator(); iterator.increment(error)) {
        if (followLinks(iterator->path()).filename() == ttyName) {
            names.push_back(iterator->path().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names.empty() ? std::string() : names.front();
}

std::string SysfsPortLister::ttyNameOf(const std::string& portPath)
{
    return followLinks(portPath).filename().string();
}

std::optional<fs::path> SysfsPortLister::usbDeviceOf(const fs::path& entry)
{
    std::error_code error;
    fs::path device = fs::canonical(entry / "device", error);
    if (error) {
        return std::nullopt;
    }
    for (int level = 0; level < usbDeviceSearchDepth && device.has_relative_path(); ++level) {
        // The nearest folder with a vendor id is the USB device; hubs further up have their own.
        if (pathExists(device / "idVendor")) {
            return device;
        }
        device = device.parent_path();
    }
    return std::nullopt;
}

bool SysfsPortLister::isFtdiPort(const fs::path& entry)
{
    const std::optional<fs::path> usbDevice = usbDeviceOf(entry);
    std::string vendor;
    return usbDevice && readFirstWord(*usbDevice / "idVendor", vendor) &&
           vendor == PortDescription::ftdiVendorId;
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
