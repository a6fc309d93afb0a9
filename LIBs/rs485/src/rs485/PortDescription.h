#pragma once

#include <string>

namespace rs485 {

// What sysfs tells of a serial port: the USB device behind it and its stable name under
// /dev/serial/by-id. Fields sysfs does not have stay empty (legacy ports have none of them).
struct PortDescription
{
    std::string path; // /dev/ttyUSB0
    std::string product;
    std::string manufacturer;
    std::string serialNumber;
    std::string vendorId; // four hex digits, "0403" for FTDI
    std::string productId;
    std::string stableName; // /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0

    static constexpr const char* ftdiVendorId = "0403";

    bool isFtdiConverter() const { return vendorId == ftdiVendorId; }
    // "FT232R USB UART (A50285BI)": the product with the serial number; empty when sysfs tells neither.
    std::string summary() const;
};

} // namespace rs485
