#pragma once

#include <cstdint>
#include <string>

namespace rs485 {

// Why a port did not open, as far as the operating system tells.
enum class OpenFailureCause
{
    None,             // nothing failed
    NoSuchDevice,     // no device under that name: unplugged, or back under another name
    PermissionDenied, // the user may not open the device
    Busy,             // another program holds the port
    NotASerialPort,   // a regular file, a folder, or a device that is no terminal
    RateRefused,      // the driver refused the baud rate or the line format
    Other             // anything else; the system's text tells
};

struct OpenFailure
{
    OpenFailureCause cause = OpenFailureCause::None;
    int systemError = 0;    // errno of the call that failed, 0 where none applies
    std::string systemText; // the system's text of systemError
    uint32_t baudRate = 0;  // RateRefused: the rate that was asked for
    // Busy: the program holding the port, when /proc shows it (pid 0 when it cannot be seen).
    int holderPid = 0;
    std::string holderName;

    bool failed() const { return cause != OpenFailureCause::None; }
    // For a busy port: finds the program holding the file through /proc.
    void nameHolder(const std::string& path);

    // The cause an errno of open() or of the first calls on the descriptor stands for.
    static OpenFailure fromErrno(int error);
    static OpenFailure rateRefused(uint32_t baudRate);
    static OpenFailure other(const std::string& text);
};

} // namespace rs485
