#include "panel_emulator/PtyPanelServer.h"

#include "rs485/KernelTermios.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <time.h>
#include <unistd.h>

namespace panel_emulator {

namespace {

// How long to wait for the host to take answer bytes before giving them up.
constexpr int answerWriteAllowanceMilliseconds = 1000;
// While no host has the slave open, the master reports a hang-up at once: poll at this pace instead.
constexpr int hangUpPollMilliseconds = 5;

} // namespace

PtyPanelServer::PtyPanelServer(PanelEmulator& panel) : session(panel) {}

PtyPanelServer::~PtyPanelServer()
{
    close();
}

bool PtyPanelServer::open()
{
    close();
    master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0) {
        return false;
    }
    std::array<char, 128> name{};
    if (grantpt(master) != 0 || unlockpt(master) != 0 || ptsname_r(master, name.data(), name.size()) != 0 ||
        fcntl(master, F_SETFL, O_NONBLOCK) != 0) {
        close();
        return false;
    }
    path = name.data();
    // No echo and no line editing even before a host has set up the line; the result does not matter,
    // since every host sets its own line when it opens the port.
    rs485::KernelTermios::applyRawLine(master, 19200, false);
    return true;
}

void PtyPanelServer::setCommandObserver(SerialPanelSession::CommandObserver observer)
{
    session.setCommandObserver(std::move(observer));
}

void PtyPanelServer::close()
{
    if (master >= 0) {
        ::close(master);
        master = -1;
    }
}

bool PtyPanelServer::serveOnce(int waitMilliseconds)
{
    if (master < 0) {
        return false;
    }
    pollfd request{master, POLLIN, 0};
    const int result = poll(&request, 1, waitMilliseconds);
    if (result < 0) {
        return errno == EINTR; // a signal: let the caller look at its stop flag
    }
    if (result == 0) {
        return true;
    }
    if ((request.revents & POLLIN) != 0) {
        return serveChunk();
    }
    if ((request.revents & POLLNVAL) != 0) {
        return false;
    }
    idle(std::min(waitMilliseconds, hangUpPollMilliseconds)); // no host has the slave open
    return true;
}

bool PtyPanelServer::serveChunk()
{
    std::array<uint8_t, 4096> buffer{};
    const ssize_t count = ::read(master, buffer.data(), buffer.size());
    uint32_t baudRate = 0;
    bool ninthBit = false;
    // Taken at once: the host may switch the parity for its next write 10 ms after this one.
    const bool lineKnown = hostLine(baudRate, ninthBit);
    if (count <= 0) {
        // EIO: the host closed the slave between poll and read; EAGAIN: nothing after all.
        return count == 0 || errno == EIO || errno == EAGAIN || errno == EINTR;
    }
    if (!lineKnown) {
        return false;
    }
    for (const SerialPanelSession::Answer& answer :
         session.receive(buffer.data(), static_cast<std::size_t>(count), ninthBit, baudRate)) {
        sendAnswer(answer);
    }
    if (session.linkDropped()) {
        close();
        return false;
    }
    return true;
}

bool PtyPanelServer::hostLine(uint32_t& baudRate, bool& ninthBit) const
{
    rs485::KernelLineState state;
    if (!rs485::KernelTermios::readLineState(master, state)) {
        return false;
    }
    baudRate = state.outputBaudRate;
    // The pseudo-terminal driver clears PARENB; PARODD stays as the host set it.
    ninthBit = state.oddParity;
    return true;
}

void PtyPanelServer::sendAnswer(const SerialPanelSession::Answer& answer)
{
    uint32_t hostRate = 0;
    bool ninthBit = false;
    if (!hostLine(hostRate, ninthBit) || hostRate != answer.baudRate) {
        return; // the host listens at another rate: it would hear only noise
    }
    std::size_t sent = 0;
    while (sent < answer.bytes.size()) {
        const ssize_t written = ::write(master, answer.bytes.data() + sent, answer.bytes.size() - sent);
        if (written > 0) {
            sent += static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EINTR) {
            return;
        }
        pollfd request{master, POLLOUT, 0};
        if (poll(&request, 1, answerWriteAllowanceMilliseconds) <= 0) {
            return;
        }
    }
}

void PtyPanelServer::idle(int milliseconds) const
{
    if (milliseconds <= 0) {
        return;
    }
    timespec pause{0, static_cast<long>(milliseconds) * 1000000L};
    nanosleep(&pause, nullptr);
}

} // namespace panel_emulator
