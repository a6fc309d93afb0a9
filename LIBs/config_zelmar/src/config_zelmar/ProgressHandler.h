#pragma once

#include "config_zelmar/TransferPhase.h"

namespace config_zelmar {

// Receives the progress of a panel transfer as a fraction from 0 to 1 and the phase it is in, and may
// stop it. Never
// deleted through this interface, so it has no virtual destructor.
class ProgressHandler
{
public:
    virtual void setProgress(float fraction) = 0;
    // A new phase begins; the fractions that follow belong to it. Ignored unless overridden.
    virtual void setPhase(TransferPhase) {}
    // Asked before every command to the panel: true stops the transfer there with TransferCancelled,
    // raised speed left and the failure clean-up done as for any failure. The configurator offers it for
    // reads only (a write stopped half-way leaves the panel with a mixed configuration, which the next
    // write repairs); the command-line tool asks for it on SIGINT and SIGTERM.
    virtual bool cancelRequested() const { return false; }

protected:
    ~ProgressHandler() = default;
};

} // namespace config_zelmar
