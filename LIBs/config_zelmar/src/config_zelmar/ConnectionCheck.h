#pragma once

#include "config_zelmar/CheckLine.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace config_zelmar {

class PanelLinkCheck;
class PortEnvironment;

struct ConnectionCheckResult
{
    std::vector<CheckLine> lines;
    // The port cannot be used at all: missing, refused to this user, held by another program, or it
    // did not open.
    bool portUnusable = false;
    // The panel did not answer properly: the code of the transfer error a read or write would show.
    std::optional<unsigned> transferError;

    bool passed() const { return !portUnusable && !transferError; }
};

// Checks, one after the other, what stands between the configurator and the panel on a port: the port
// exists, this user may open it, no other program holds it, it opens; the FTDI latency timer and
// ModemManager (hints only); then the panel: identification at 19200 baud, the time of one page read
// at 19200 and at 345600 baud, and the return to 19200. The first error ends the check.
class ConnectionCheck
{
public:
    using LineHandler = std::function<void(const CheckLine& line)>;

    ConnectionCheck(const PortEnvironment& environment, PanelLinkCheck& panel);

    // Hands each line to the handler as soon as it is known, then returns them all.
    ConnectionCheckResult run(const std::string& port, const LineHandler& onLine = {});

private:
    class Run;

    bool checkExists(Run& run) const;
    bool checkAccess(Run& run) const;
    bool checkHolders(Run& run) const;
    bool checkOpens(Run& run) const;
    void checkLatency(Run& run) const;
    void checkModemManager(Run& run) const;
    bool checkIdentification(Run& run) const;
    bool checkSpeeds(Run& run) const;

    const PortEnvironment& environment;
    PanelLinkCheck& panel;
};

} // namespace config_zelmar
