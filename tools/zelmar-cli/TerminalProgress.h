#pragma once

#include "config_zelmar/ProgressHandler.h"

namespace zelmar_cli {

// A progress bar on standard error, drawn only when standard error is a terminal.
class TerminalProgress : public config_zelmar::ProgressHandler
{
public:
    TerminalProgress();
    ~TerminalProgress();

    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void setProgress(float fraction) override;
    // The handler to give a transfer: null when nothing is to be drawn.
    config_zelmar::ProgressHandler* handler() { return enabled ? this : nullptr; }

private:
    void endLine();

    bool enabled;
    bool drawn = false;
    int lastPercent = -1;
};

} // namespace zelmar_cli
