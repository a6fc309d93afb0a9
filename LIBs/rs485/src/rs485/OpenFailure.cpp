#include "rs485/OpenFailure.h"

#include "rs485/ProcessTable.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace rs485 {

namespace {

OpenFailureCause causeOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENODEV: // a device node without a device behind it
    case ENXIO:
        return OpenFailureCause::NoSuchDevice;
    case EACCES:
    case EPERM:
    case EROFS:
        return OpenFailureCause::PermissionDenied;
    case EBUSY:
    case EWOULDBLOCK: // flock(): another open file description holds the lock
        return OpenFailureCause::Busy;
    case EISDIR:
    case ENOTTY:
    case EINVAL: // a terminal ioctl refused by something that is no terminal
        return OpenFailureCause::NotASerialPort;
    default:
        return OpenFailureCause::Other;
    }
}

} // namespace

OpenFailure OpenFailure::fromErrno(int error)
{
    OpenFailure failure;
    failure.cause = causeOf(error);
    failure.systemError = error;
    failure.systemText = std::strerror(error);
    return failure;
}

void OpenFailure::nameHolder(const std::string& path)
{
    if (cause != OpenFailureCause::Busy) {
        return;
    }
    const std::vector<ProcessEntry> holders = ProcessTable().holdersOf(path);
    if (!holders.empty()) {
        holderPid = holders.front().pid;
        holderName = holders.front().name;
    }
}

OpenFailure OpenFailure::rateRefused(uint32_t baudRate)
{
    OpenFailure failure;
    failure.cause = OpenFailureCause::RateRefused;
    failure.baudRate = baudRate;
    return failure;
}

OpenFailure OpenFailure::other(const std::string& text)
{
    OpenFailure failure;
    failure.cause = OpenFailureCause::Other;
    failure.systemText = text;
    return failure;
}

} // namespace rs485
