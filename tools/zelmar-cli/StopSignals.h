#pragma once

namespace zelmar_cli {

// SIGINT and SIGTERM are noted instead of ending the process at once: a transfer with the panel (which
// could otherwise leave the panel at the raised rate and half a file behind) stops before its next
// command to the panel, and the emulator saves its memories before it ends.
class StopSignals
{
public:
    // Notes the signals from now on, for the rest of the process. With interruptWaits a signal also ends a
    // blocking wait at once (EINTR) instead of letting it go on.
    static void install(bool interruptWaits = false);
    static bool received();
};

} // namespace zelmar_cli
