// Only kernel headers here: <asm/termbits.h> and glibc's <termios.h> define the same names.
#include "panel_emulator/SerialPanelLine.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cerrno>

namespace panel_emulator {

bool SerialPanelLine::configure(int fd, uint32_t baudRate)
{
    termios2 settings{};
    if (ioctl(fd, TCGETS2, &settings) != 0) {
        return false;
    }
    settings.c_iflag = INPCK | PARMRK;
    settings.c_oflag = 0;
    settings.c_lflag = 0;
    settings.c_cflag = BOTHER | CS8 | CLOCAL | CREAD | PARENB | CMSPAR;
    settings.c_ispeed = baudRate;
    settings.c_ospeed = baudRate;
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    int result;
    do {
        result = ioctl(fd, TCSETS2, &settings);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

} // namespace panel_emulator
