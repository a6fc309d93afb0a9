// Port listing on a fake sysfs tree built like the real one: class links into /devices, device links
// from each tty to its port, the USB device with idVendor a few levels up.
#include "rs485/RS485Connection.h"
#include "rs485/SysfsPortLister.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>

namespace rs485 {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

class FakeSysfs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("rs485-sysfs-" + std::to_string(std::random_device()()));
        fs::create_directories(root / "class" / "tty");
    }
    void TearDown() override { fs::remove_all(root); }

    void addUsbPort(const std::string& name, const std::string& vendor, const std::string& busPort)
    {
        const fs::path usbDevice = root / "devices/pci0000:00/0000:00:14.0/usb1" / busPort;
        const fs::path serialPort = usbDevice / (busPort + ":1.0") / name;
        writeFile(usbDevice / "idVendor", vendor + "\n");
        addTty(name, serialPort);
    }

    // A USB serial port with the strings its USB device reports, and its by-id link when named.
    void addDescribedPort(const std::string& name, const std::string& busPort, const PortDescription& usb,
                          const std::string& byIdName)
    {
        addUsbPort(name, usb.vendorId, busPort);
        const fs::path usbDevice = root / "devices/pci0000:00/0000:00:14.0/usb1" / busPort;
        writeFile(usbDevice / "idProduct", usb.productId + "\n");
        writeFile(usbDevice / "product", usb.product + "\n");
        writeFile(usbDevice / "manufacturer", usb.manufacturer + "\n");
        if (!usb.serialNumber.empty()) {
            writeFile(usbDevice / "serial", usb.serialNumber + "\n");
        }
        if (!byIdName.empty()) {
            fs::create_directories(root / "dev/serial/by-id");
            fs::create_symlink("../../" + name, root / "dev/serial/by-id" / byIdName);
        }
    }

    void setLatencyTimer(const std::string& name, const std::string& busPort, const std::string& value)
    {
        const fs::path usbDevice = root / "devices/pci0000:00/0000:00:14.0/usb1" / busPort;
        writeFile(usbDevice / (busPort + ":1.0") / name / "latency_timer", value + "\n");
    }

    SysfsPortLister lister() const { return SysfsPortLister(root, root / "dev"); }

    void addLegacyPort(const std::string& name, const std::string& type)
    {
        const fs::path platformDevice = root / "devices/platform/serial8250";
        writeFile(platformDevice / "tty" / name / "type", type + "\n");
        addTty(name, platformDevice);
    }

    void addVirtualTerminal(const std::string& name)
    {
        const fs::path classDevice = root / "devices/virtual/tty" / name;
        fs::create_directories(classDevice);
        fs::create_directory_symlink(classDevice, root / "class/tty" / name);
    }

    void addTty(const std::string& name, const fs::path& device)
    {
        const fs::path classDevice = device / "tty" / name;
        fs::create_directories(classDevice);
        fs::create_directory_symlink(fs::relative(device, classDevice), classDevice / "device");
        fs::create_directory_symlink(fs::relative(classDevice, root / "class/tty"),
                                     root / "class/tty" / name);
    }

    static void writeFile(const fs::path& file, const std::string& text)
    {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << text;
    }

    Names ftdi() const { return RS485Connection::ftdiPorts(root.string()); }
    Names all() const { return RS485Connection::serialPorts(root.string()); }

    fs::path root;
};

TEST_F(FakeSysfs, TwoConvertersAreListedSorted)
{
    addUsbPort("ttyUSB1", "0403", "1-2");
    addUsbPort("ttyUSB0", "0403", "1-1");
    EXPECT_EQ(ftdi(), (Names{"/dev/ttyUSB0", "/dev/ttyUSB1"}));
    EXPECT_EQ(all(), (Names{"/dev/ttyUSB0", "/dev/ttyUSB1"}));
}

TEST_F(FakeSysfs, ConverterAmongOtherPorts)
{
    addUsbPort("ttyUSB1", "0403", "1-2");
    addUsbPort("ttyUSB0", "067b", "1-1");
    addUsbPort("ttyACM0", "2341", "1-3");
    addLegacyPort("ttyS0", "4");
    addLegacyPort("ttyS1", "0");
    addVirtualTerminal("tty0");
    addVirtualTerminal("ptmx");

    EXPECT_EQ(ftdi(), Names{"/dev/ttyUSB1"});
    EXPECT_EQ(all(), (Names{"/dev/ttyACM0", "/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1"}));
}

TEST_F(FakeSysfs, BrokenEntriesAreSkippedAndMissingTreeGivesEmptyLists)
{
    addUsbPort("ttyUSB0", "0403", "1-1");
    fs::create_directory_symlink("../../devices/gone/ttyUSB5", root / "class/tty/ttyUSB5");
    const fs::path dangling = root / "devices/pci0000:00/dangling/tty/ttyUSB6";
    fs::create_directories(dangling);
    fs::create_directory_symlink("../../nowhere", dangling / "device");
    fs::create_directory_symlink(fs::relative(dangling, root / "class/tty"), root / "class/tty/ttyUSB6");
    // A port whose USB device has no readable vendor id is a port, but not a converter.
    addUsbPort("ttyUSB7", "0403", "1-7");
    fs::remove(root / "devices/pci0000:00/0000:00:14.0/usb1/1-7/idVendor");
    fs::create_directory(root / "devices/pci0000:00/0000:00:14.0/usb1/1-7/idVendor");

    EXPECT_EQ(ftdi(), Names{"/dev/ttyUSB0"});
    EXPECT_EQ(all(), (Names{"/dev/ttyUSB0", "/dev/ttyUSB7"}));
    EXPECT_TRUE(RS485Connection::ftdiPorts((root / "missing").string()).empty());
    EXPECT_TRUE(RS485Connection::serialPorts((root / "missing").string()).empty());
}

TEST_F(FakeSysfs, PortsAreDescribedWithTheirUsbStringsAndStableNames)
{
    const PortDescription ftdi{"", "FT232R USB UART", "FTDI", "A50285BI", "0403", "6001", ""};
    const PortDescription prolific{
        "", "USB-Serial Controller", "Prolific Technology Inc.", "", "067b", "2303", ""};
    addDescribedPort("ttyUSB0", "1-1", ftdi, "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    addDescribedPort("ttyUSB1", "1-2", prolific, "");
    addLegacyPort("ttyS0", "4");
    const std::string byId =
        (root / "dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0").string();

    struct Expected
    {
        std::string path;
        std::string summary;
        std::string manufacturer;
        bool converter;
        std::string stableName;
    };
    const Expected expected[] = {
        {"/dev/ttyS0", "", "", false, ""},
        {"/dev/ttyUSB0", "FT232R USB UART (A50285BI)", "FTDI", true, byId},
        {"/dev/ttyUSB1", "USB-Serial Controller", "Prolific Technology Inc.", false, ""},
    };
    const std::vector<PortDescription> ports = lister().describedPorts();
    ASSERT_EQ(ports.size(), std::size(expected));
    for (std::size_t i = 0; i < ports.size(); ++i) {
        SCOPED_TRACE(expected[i].path);
        EXPECT_EQ(ports[i].path, expected[i].path);
        EXPECT_EQ(ports[i].summary(), expected[i].summary);
        EXPECT_EQ(ports[i].manufacturer, expected[i].manufacturer);
        EXPECT_EQ(ports[i].isFtdiConverter(), expected[i].converter);
        EXPECT_EQ(ports[i].stableName, expected[i].stableName);
    }
    // The ports the descriptions list are the ports of the plain list.
    EXPECT_EQ(all(), (Names{"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1"}));
}

TEST_F(FakeSysfs, OnePortIsFoundByItsPathOrItsStableNameWithItsLatencyTimer)
{
    addDescribedPort("ttyUSB0", "1-1",
                     PortDescription{"", "FT232R USB UART", "FTDI", "A5", "0403", "6001", ""},
                     "usb-FTDI_FT232R_USB_UART_A5-if00-port0");
    setLatencyTimer("ttyUSB0", "1-1", "16");
    addLegacyPort("ttyS0", "4");
    const std::string byId = (root / "dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A5-if00-port0").string();

    struct Case
    {
        std::string path;
        std::string describedAs; // empty: not described
        std::optional<int> latency;
    };
    const Case cases[] = {
        {"/dev/ttyUSB0", "/dev/ttyUSB0", 16},       {byId, "/dev/ttyUSB0", 16},
        {"/dev/ttyS0", "/dev/ttyS0", std::nullopt}, {"/dev/ttyUSB9", "", std::nullopt},
        {"/dev/pts/3", "", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const std::optional<PortDescription> port = lister().describe(c.path);
        EXPECT_EQ(port ? port->path : std::string(), c.describedAs);
        EXPECT_EQ(lister().latencyTimer(c.path), c.latency);
    }
}

} // namespace
} // namespace rs485
