#include "panel_emulator/SerialPanelServer.h"

#include "panel_emulator/PanelEmulator.h"
#include "panel_emulator/SerialPanelLine.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

namespace panel_emulator {

namespace {

constexpr int answerWriteAllowanceMilliseconds = 1000;

} // namespace

SerialPanelServer::SerialPanelServer(PanelEmulator& panel) : session(panel) {}

SerialPanelServer::~SerialPanelServer()
{
    close();
}

bool SerialPanelServer::open(const std::string& portName)
{
    close();
    fd = ::open(portName.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    lineRate = session.panel().baudRate();
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || !SerialPanelLine::configure(fd, lineRate)) {
        const int error = errno;
        close();
        errno = error;
        return false;
    }
    tcflush(fd, TCIOFLUSH);
    decoder = SerialParityDecoder();
    return true;
}

void SerialPanelServer::setCommandObserver(SerialPanelSession::CommandObserver observer)
{
    session.setCommandObserver(std::move(observer));
}

void SerialPanelServer::close()
{
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

bool SerialPanelServer::serveOnce(int waitMilliseconds)
{
    if (fd < 0) {
        return false;
    }
    pollfd request{fd, POLLIN, 0};
    const int result = poll(&request, 1, waitMilliseconds);
    if (result < 0) {
        return errno == EINTR;
    }
    if (result == 0) {
        return true;
    }
    if ((request.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0 && (request.revents & POLLIN) == 0) {
        close(); // the converter was unplugged
        return false;
    }
    return serveChunk();
}

bool SerialPanelServer::serveChunk()
{
    std::array<uint8_t, 4096> buffer{};
    const ssize_t count = ::read(fd, buffer.data(), buffer.size());
    if (count < 0) {
        return errno == EAGAIN || errno == EINTR;
    }
    for (uint16_t character : decoder.decode(buffer.data(), static_cast<std::size_t>(count))) {
        const auto byte = static_cast<uint8_t>(character & 0xFFU);
        for (const SerialPanelSession::Answer& answer :
             session.receive(&byte, 1, character > 0xFF, lineRate)) {
            if (!sendAnswer(answer)) {
                close();
                return false;
            }
        }
        if (session.linkDropped()) {
            close();
            return false;
        }
    }
    return followPanelRate();
}

bool SerialPanelServer::sendAnswer(const SerialPanelSession::Answer& answer)
{
    std::size_t sent = 0;
    while (sent < answer.bytes.size()) {
        const ssize_t written = ::write(fd, answer.bytes.data() + sent, answer.bytes.size() - sent);
        if (written > 0) {
            sent += static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
        pollfd request{fd, POLLOUT, 0};
        if (poll(&request, 1, answerWriteAllowanceMilliseconds) <= 0) {
            return false;
        }
    }
    return tcdrain(fd) == 0;
}

bool SerialPanelServer::followPanelRate()
{
    const uint32_t panelRate = session.panel().baudRate();
    if (panelRate == lineRate) {
        return true;
    }
    // The answer to the speed command has left at the old rate (sendAnswer drains).
    lineRate = panelRate;
    if (!SerialPanelLine::configure(fd, lineRate)) {
        close();
        return false;
    }
    return true;
}

} // namespace panel_emulator
