#pragma once

#include "panel_emulator/SerialPanelSession.h"
#include "panel_emulator/SerialParityDecoder.h"

#include <cstdint>
#include <string>

namespace panel_emulator {

class PanelEmulator;

// Serves an emulated panel on a real serial port, for example a second USB-RS485 converter wired to the
// host's. The port runs at the panel's rate and follows it after each answer to a speed command; a host
// at another rate is heard as noise by the UART itself. The ninth bit comes from parity marking (see
// SerialParityDecoder). When the panel drops the link the port is closed.
class SerialPanelServer
{
public:
    explicit SerialPanelServer(PanelEmulator& panel);
    ~SerialPanelServer();

    SerialPanelServer(const SerialPanelServer&) = delete;
    SerialPanelServer& operator=(const SerialPanelServer&) = delete;

    // Opens the port exclusively at the panel's rate; false (errno set) on failure.
    bool open(const std::string& portName);
    bool isOpen() const { return fd >= 0; }

    void setCommandObserver(SerialPanelSession::CommandObserver observer);

    // Waits up to the given time for characters, feeds them to the panel and sends its answers. False
    // once the link is gone (the panel dropped it, or the port failed).
    bool serveOnce(int waitMilliseconds);

    void close();

private:
    bool serveChunk();
    bool sendAnswer(const SerialPanelSession::Answer& answer);
    bool followPanelRate();

    SerialPanelSession session;
    SerialParityDecoder decoder;
    int fd = -1;
    uint32_t lineRate = 0;
};

} // namespace panel_emulator
