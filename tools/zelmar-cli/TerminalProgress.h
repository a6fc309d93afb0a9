#pragma once

#include "config_zelmar/ProgressHandler.h"

namespace zelmar_cli {

// A progress bar on standard error, drawn only when standard error is a terminal; stops the transfer
// once SIGINT or SIGTERM arrived (see StopSignals).
class TerminalProgress : public config_zelmar::ProgressHandler
{
public:
    TerminalProgress();
    ~TerminalProgress();

    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void setProgress(float fraction) override;
    // The phase's name on a line of its own above its bar.
    void setPhase(config_zelmar::TransferPhase phase) override;
    bool cancelRequested() const override;
    // The handler to give a transfer.
    config_zelmar::ProgressHandler* handler() { return this; }

private:
    void endLine();

    bool enabled;
    bool drawn = false;
    int lastPercent = -1;
};

} // namespace zelmar_cli
