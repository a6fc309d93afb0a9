#include "StopSignals.h"

#include <csignal>

namespace zelmar_cli {

namespace {

volatile std::sig_atomic_t stopReceived = 0;

void noteStop(int)
{
    stopReceived = 1;
}

} // namespace

void StopSignals::install(bool interruptWaits)
{
    struct sigaction action
    {
    };
    action.sa_handler = noteStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = interruptWaits ? 0 : SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool StopSignals::received()
{
    return stopReceived != 0;
}

} // namespace zelmar_cli
