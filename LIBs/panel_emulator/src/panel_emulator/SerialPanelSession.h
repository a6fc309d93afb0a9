#pragma once

#include "panel_emulator/ReceiveLog.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace panel_emulator {

class PanelEmulator;

// What an emulated panel on a real line hears and says, whatever the line is (a pseudo-terminal or a
// serial port). Characters come in chunks that share one ninth bit and one host baud rate; the panel
// hears them only while the host's rate equals its own, as a UART at another rate hears noise. Every
// complete command is reported to the observer, and the panel's receive log is emptied after each chunk
// so that a server running for days does not grow without bound.
class SerialPanelSession
{
public:
    using CommandObserver = std::function<void(const LoggedCommand&)>;

    struct Answer
    {
        std::vector<uint8_t> bytes;
        uint32_t baudRate = 0; // the rate the panel sends them at: its rate when the command arrived
    };

    explicit SerialPanelSession(PanelEmulator& panel);

    void setCommandObserver(CommandObserver observer) { commandObserver = std::move(observer); }

    // Feeds the chunk to the panel; returns the answers it gives, in order.
    std::vector<Answer> receive(const uint8_t* data, std::size_t count, bool ninthBit, uint32_t hostBaudRate);

    bool linkDropped() const;
    PanelEmulator& panel() { return *emulator; }

private:
    void reportCommands();

    PanelEmulator* emulator;
    CommandObserver commandObserver;
};

} // namespace panel_emulator
