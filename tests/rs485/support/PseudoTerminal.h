#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rs485::testing {

// The line as the master side of a pseudo-terminal sees the slave's settings.
struct MasterView
{
    uint32_t baudRate = 0;
    bool stickParity = false; // CMSPAR
    bool oddParity = false;   // PARODD: MARK under stick parity
};

// Reads the slave's settings through the master with TCGETS2 (kernel header, unit of its own).
bool readMasterView(int masterFd, MasterView& view);

// A pseudo-terminal pair: the program under test opens slavePath() like any serial port.
class PseudoTerminal
{
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool isReady() const { return master >= 0 && !slaveName.empty(); }
    const std::string& slavePath() const { return slaveName; }
    int masterFd() const { return master; }

    void send(const std::vector<uint8_t>& bytes);
    // What the slave has written so far, without waiting.
    std::vector<uint8_t> receiveAvailable();
    MasterView view();
    void closeMaster();

private:
    int master = -1;
    std::string slaveName;
};

} // namespace rs485::testing
