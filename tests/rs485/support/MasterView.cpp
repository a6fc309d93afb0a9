// Only kernel headers: <asm/termbits.h> (termios2) cannot share a unit with glibc's <termios.h>.
#include "support/PseudoTerminal.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace rs485::testing {

bool readMasterView(int masterFd, MasterView& view)
{
    termios2 settings{};
    if (ioctl(masterFd, TCGETS2, &settings) != 0) {
        return false;
    }
    view.baudRate = settings.c_ospeed;
    view.stickParity = (settings.c_cflag & CMSPAR) != 0;
    view.oddParity = (settings.c_cflag & PARODD) != 0;
    return true;
}

} // namespace rs485::testing
