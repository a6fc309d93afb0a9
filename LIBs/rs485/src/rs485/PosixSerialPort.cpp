#include "rs485/PosixSerialPort.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <limits>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace rs485 {

namespace {

using Clock = std::chrono::steady_clock;

// Unix98 pseudo-terminal slaves (/dev/pts/N) use these device majors.
constexpr unsigned firstPtySlaveMajor = 136;
constexpr unsigned lastPtySlaveMajor = 143;

// A driver may report the rate its divisor really gives; beyond this it has substituted another rate.
constexpr double baudRateTolerance = 0.03;

bool isPseudoTerminalSlave(int fd)
{
    struct stat status
    {
    };
    if (fstat(fd, &status) != 0 || !S_ISCHR(status.st_mode)) {
        return false;
    }
    const unsigned deviceMajor = major(status.st_rdev);
    return deviceMajor >= firstPtySlaveMajor && deviceMajor <= lastPtySlaveMajor;
}

bool optionalIoctlFailed(int result)
{
    return result != 0 && errno != ENOTTY && errno != EINVAL;
}

int millisecondsUntil(Clock::time_point deadline)
{
    const auto remaining = deadline - Clock::now();
    if (remaining <= Clock::duration::zero()) {
        return 0;
    }
    // Round up so that poll() never wakes before the deadline and reports a premature time-out.
    const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(remaining).count();
    return static_cast<int>(std::min<decltype(milliseconds)>(milliseconds, std::numeric_limits<int>::max()));
}

enum class WaitResult
{
    Ready,
    TimedOut,
    Failed,
    HungUp
};

WaitResult waitFor(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        pollfd request{fd, events, 0};
        const int result = poll(&request, 1, millisecondsUntil(deadline));
        if (result < 0) {
            if (errno == EINTR) {
                continue;
            }
            return WaitResult::Failed;
        }
        if (result == 0) {
            return WaitResult::TimedOut;
        }
        if ((request.revents & POLLNVAL) != 0) {
            return WaitResult::Failed;
        }
        if ((request.revents & (POLLERR | POLLHUP)) != 0) {
            return WaitResult::HungUp;
        }
        return WaitResult::Ready;
    }
}

} // namespace

PosixSerialPort::~PosixSerialPort()
{
    close();
}

bool PosixSerialPort::open(const std::string& name)
{
    if (isOpen()) {
        close();
    }
    failure = OpenFailure();
    if (!openDescriptor(name)) {
        return false;
    }
    pseudoTerminal = isPseudoTerminalSlave(fd);
    if (heldExclusivelyByAnother()) {
        fail(OpenFailure::fromErrno(EBUSY), name);
        return false;
    }
    if (!lockExclusively()) {
        fail(OpenFailure::fromErrno(errno), name);
        return false;
    }
    if (!savedTermios.save(fd)) {
        fail(OpenFailure::fromErrno(errno), name);
        return false;
    }
    if (!KernelTermios::applyRawLine(fd, baudRate, false)) {
        savedTermios.restore(fd);
        fail(OpenFailure::rateRefused(baudRate), name);
        return false;
    }
    requestLowLatency();
    // Whatever the device received before we opened it belongs to nobody.
    tcflush(fd, TCIOFLUSH);
    return true;
}

bool PosixSerialPort::openDescriptor(const std::string& name)
{
    do {
        fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        fail(OpenFailure::fromErrno(errno), name);
        return false;
    }
    return true;
}

// Another program set exclusive mode. An unprivileged open is refused with EBUSY anyway; a privileged
// one (root) would get through and disturb that program's traffic, so it is refused here as well.
bool PosixSerialPort::heldExclusivelyByAnother() const
{
    int exclusive = 0;
    return ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
}

bool PosixSerialPort::lockExclusively()
{
    if (optionalIoctlFailed(ioctl(fd, TIOCEXCL))) {
        return false;
    }
    int result;
    do {
        result = flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    // Another program holds the port; any other refusal (no lock support) does not stop us.
    return result == 0 || errno != EWOULDBLOCK;
}

// Records why the open failed, names the program that holds a busy port, and lets the descriptor go.
void PosixSerialPort::fail(OpenFailure cause, const std::string& name)
{
    failure = std::move(cause);
    if (isOpen()) {
        releaseDescriptor();
    }
    failure.nameHolder(name);
}

void PosixSerialPort::requestLowLatency()
{
    // The FTDI driver otherwise holds a partly filled USB packet for its 16 ms latency timer, once per
    // answer. Drivers without the setting (pseudo-terminals included) refuse, which is fine.
    serial_struct serial{};
    if (ioctl(fd, TIOCGSERIAL, &serial) != 0) {
        return;
    }
    serial.flags |= ASYNC_LOW_LATENCY;
    ioctl(fd, TIOCSSERIAL, &serial);
}

bool PosixSerialPort::close()
{
    if (!isOpen()) {
        return true;
    }
    savedTermios.restore(fd);
    ioctl(fd, TIOCNXCL);
    const int result = ::close(fd);
    // Linux releases the descriptor even when close() reports an error; retrying could close another file.
    fd = -1;
    return result == 0 || errno == EINTR;
}

void PosixSerialPort::releaseDescriptor()
{
    ::close(fd);
    fd = -1;
}

bool PosixSerialPort::applyLineSettings(const LineSettings& settings)
{
    if (!isOpen() || settings.baudRate == 0) {
        return false;
    }
    if (!KernelTermios::applyRawLine(fd, settings.baudRate, settings.parity == Parity::Mark)) {
        return false;
    }
    // Some drivers silently drop flags or substitute a rate: only a read-back tells.
    if (!lineMatches(settings)) {
        return false;
    }
    baudRate = settings.baudRate;
    return true;
}

bool PosixSerialPort::lineMatches(const LineSettings& wanted) const
{
    KernelLineState state;
    if (!KernelTermios::readLineState(fd, state)) {
        return false;
    }
    const double deviation =
        std::abs(static_cast<double>(state.outputBaudRate) - wanted.baudRate) / wanted.baudRate;
    // The pseudo-terminal driver clears PARENB on every change but keeps CMSPAR and PARODD.
    const bool parityEnabled = state.parityEnabled || pseudoTerminal;
    return deviation <= baudRateTolerance && state.eightDataBits && parityEnabled && state.stickParity &&
           state.oddParity == (wanted.parity == Parity::Mark);
}

bool PosixSerialPort::readLineSettings(LineSettings& settings)
{
    KernelLineState state;
    if (!isOpen() || !KernelTermios::readLineState(fd, state)) {
        return false;
    }
    settings.baudRate = state.outputBaudRate;
    settings.parity = state.oddParity ? Parity::Mark : Parity::Space;
    return true;
}

int PosixSerialPort::writeAllowanceMilliseconds(std::size_t count) const
{
    const double transmission = static_cast<double>(count) * 11000.0 / baudRate;
    return 1000 + static_cast<int>(2 * transmission);
}

long PosixSerialPort::write(const uint8_t* data, std::size_t count)
{
    if (!isOpen()) {
        return -1;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(writeAllowanceMilliseconds(count));
    std::size_t written = 0;
    while (written < count) {
        const ssize_t result = ::write(fd, data + written, count - written);
        if (result > 0) {
            written += static_cast<std::size_t>(result);
            continue;
        }
        if (result < 0 && errno == EINTR) {
            continue;
        }
        if (result < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            return -1;
        }
        if (waitFor(fd, POLLOUT, deadline) != WaitResult::Ready) {
            return -1;
        }
    }
    return static_cast<long>(written);
}

bool PosixSerialPort::drain()
{
    if (!isOpen()) {
        return false;
    }
    int result;
    do {
        result = tcdrain(fd);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

long PosixSerialPort::read(uint8_t* buffer, std::size_t count)
{
    if (!isOpen()) {
        return -1;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(readTimeout);
    std::size_t received = 0;
    bool hungUp = false;
    while (received < count) {
        const ssize_t result = ::read(fd, buffer + received, count - received);
        if (result > 0) {
            received += static_cast<std::size_t>(result);
            continue;
        }
        if (result < 0 && errno == EINTR) {
            continue;
        }
        if (result < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            return -1; // EIO: the device is gone, or the other side of a pseudo-terminal closed
        }
        if (hungUp) {
            return -1; // the hang-up left nothing more to read
        }
        const WaitResult wait = waitFor(fd, POLLIN, deadline);
        if (wait == WaitResult::TimedOut) {
            break;
        }
        if (wait == WaitResult::Failed) {
            return -1;
        }
        hungUp = wait == WaitResult::HungUp;
    }
    return static_cast<long>(received);
}

bool PosixSerialPort::purge(bool transmit, bool receive)
{
    if (!isOpen()) {
        return false;
    }
    if (transmit && receive) {
        return tcflush(fd, TCIOFLUSH) == 0;
    }
    if (transmit) {
        return tcflush(fd, TCOFLUSH) == 0;
    }
    if (receive) {
        return tcflush(fd, TCIFLUSH) == 0;
    }
    return true;
}

} // namespace rs485
