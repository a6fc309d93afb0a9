#pragma once

#include <cstdint>
#include <exception>

namespace boot_loader {

// A failed loader transaction, with a reason code and a fixed Russian message.
class BootloaderException : public std::exception
{
public:
    enum Code : int32_t
    {
        PortFailure = 0,         // the converter's port failed
        NoAnswer = 1,            // the panel did not answer
        DamagedAnswer = 2,       // the answer is short or its CRC is wrong
        CommandChecksum = 3,     // status 0xA1: the panel found a wrong CRC in the command
        CommandAddress = 4,      // status 0xA2: the panel found a wrong address in the command
        LoaderInternalError = 5, // status 0xA3
        UnexpectedStatus = 6     // any other status
    };

    explicit BootloaderException(int32_t code);
    ~BootloaderException() override = default;

    const char* what() const noexcept override;
    virtual int32_t code() const noexcept;

    static const char* message(int32_t code) noexcept;

private:
    int32_t errorCode;
};

} // namespace boot_loader
