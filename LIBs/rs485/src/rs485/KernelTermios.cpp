// Only kernel headers here: <asm/termbits.h> and glibc's <termios.h> define the same names.
#include "rs485/KernelTermios.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <cstring>

namespace rs485 {

static_assert(sizeof(termios2) <= 64, "the saved settings must fit the reserved storage");

namespace {

bool getSettings(int fd, termios2& settings)
{
    int result;
    do {
        result = ioctl(fd, TCGETS2, &settings);
    } while (result < 0 && errno == EINTR);
    return result == 0;
}

bool setSettings(int fd, const termios2& settings)
{
    int result;
    do {
        result = ioctl(fd, TCSETS2, &settings);
    } while (result < 0 && errno == EINTR);
    return result == 0;
}

void makeRaw(termios2& settings)
{
    settings.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                               IXON | IXOFF | IXANY | INPCK | IGNPAR | IMAXBEL);
    settings.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    settings.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHOE | ECHONL | ICANON | ISIG | IEXTEN);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
}

void setLine(termios2& settings, uint32_t baudRate, bool markParity)
{
    tcflag_t control = settings.c_cflag;
    control &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT) | CSIZE | CSTOPB | CRTSCTS | HUPCL | PARODD);
    control |= BOTHER | CS8 | CLOCAL | CREAD | PARENB | CMSPAR;
    if (markParity) {
        control |= PARODD;
    }
    settings.c_cflag = control;
    settings.c_ispeed = baudRate;
    settings.c_ospeed = baudRate;
}

} // namespace

bool KernelTermios::save(int fd)
{
    termios2 settings{};
    saved = getSettings(fd, settings);
    if (saved) {
        std::memcpy(storage.data(), &settings, sizeof settings);
    }
    return saved;
}

bool KernelTermios::restore(int fd) const
{
    if (!saved) {
        return false;
    }
    termios2 settings{};
    std::memcpy(&settings, storage.data(), sizeof settings);
    return setSettings(fd, settings);
}

bool KernelTermios::applyRawLine(int fd, uint32_t baudRate, bool markParity)
{
    termios2 settings{};
    if (!getSettings(fd, settings)) {
        return false;
    }
    makeRaw(settings);
    setLine(settings, baudRate, markParity);
    return setSettings(fd, settings);
}

bool KernelTermios::readLineState(int fd, KernelLineState& state)
{
    termios2 settings{};
    if (!getSettings(fd, settings)) {
        return false;
    }
    state.outputBaudRate = settings.c_ospeed;
    state.inputBaudRate = settings.c_ispeed;
    state.parityEnabled = (settings.c_cflag & PARENB) != 0;
    state.stickParity = (settings.c_cflag & CMSPAR) != 0;
    state.oddParity = (settings.c_cflag & PARODD) != 0;
    state.eightDataBits = (settings.c_cflag & CSIZE) == CS8;
    return true;
}

} // namespace rs485
