#pragma once

#include "panel_emulator/SerialPanelSession.h"

#include <cstdint>
#include <string>

namespace panel_emulator {

class PanelEmulator;

// Serves an emulated panel on the master side of a pseudo-terminal; the host opens the slave path like
// any serial port. A pseudo-terminal carries neither parity bits nor a baud rate, but the master sees
// the slave's termios: the ninth bit of a chunk is the slave's PARODD flag (MARK) read right after the
// chunk, and the panel hears only what the host sends at the panel's own rate. The host drains and
// sleeps at least 10 ms after each write before it switches parity, so a chunk read promptly carries
// the parity it was sent with. Hosts may open and close the slave any number of times. When the panel
// drops the link the master is closed, and the host's port fails as with an unplugged converter.
class PtyPanelServer
{
public:
    explicit PtyPanelServer(PanelEmulator& panel);
    ~PtyPanelServer();

    PtyPanelServer(const PtyPanelServer&) = delete;
    PtyPanelServer& operator=(const PtyPanelServer&) = delete;

    // Creates the pseudo-terminal; false (errno set) when the system refuses.
    bool open();
    bool isOpen() const { return master >= 0; }
    const std::string& slavePath() const { return path; }

    void setCommandObserver(SerialPanelSession::CommandObserver observer);

    // Waits up to the given time for characters from the host, feeds them to the panel and sends its
    // answers. False once the link is gone (the panel dropped it, or the master failed).
    bool serveOnce(int waitMilliseconds);

    void close();

private:
    bool serveChunk();
    void sendAnswer(const SerialPanelSession::Answer& answer);
    bool hostLine(uint32_t& baudRate, bool& ninthBit) const;
    void idle(int milliseconds) const;

    SerialPanelSession session;
    int master = -1;
    std::string path;
};

} // namespace panel_emulator
