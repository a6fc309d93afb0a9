#include "support/PseudoTerminal.h"

#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace rs485::testing {

PseudoTerminal::PseudoTerminal()
{
    master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0) {
        return;
    }
    char name[128] = {};
    if (grantpt(master) != 0 || unlockpt(master) != 0 || ptsname_r(master, name, sizeof name) != 0) {
        closeMaster();
        return;
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    slaveName = name;
}

PseudoTerminal::~PseudoTerminal()
{
    closeMaster();
}

void PseudoTerminal::send(const std::vector<uint8_t>& bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t result = ::write(master, bytes.data() + sent, bytes.size() - sent);
        if (result < 0 && errno == EINTR) {
            continue;
        }
        if (result <= 0) {
            return;
        }
        sent += static_cast<std::size_t>(result);
    }
}

std::vector<uint8_t> PseudoTerminal::receiveAvailable()
{
    std::vector<uint8_t> received;
    uint8_t buffer[256];
    for (;;) {
        const ssize_t result = ::read(master, buffer, sizeof buffer);
        if (result < 0 && errno == EINTR) {
            continue;
        }
        if (result <= 0) {
            return received;
        }
        received.insert(received.end(), buffer, buffer + result);
    }
}

MasterView PseudoTerminal::view()
{
    MasterView result;
    readMasterView(master, result);
    return result;
}

void PseudoTerminal::closeMaster()
{
    if (master >= 0) {
        ::close(master);
        master = -1;
    }
}

} // namespace rs485::testing
