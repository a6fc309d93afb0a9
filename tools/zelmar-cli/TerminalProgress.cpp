#include "TerminalProgress.h"

#include "StopSignals.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace zelmar_cli {

namespace {

constexpr int barWidth = 40;

} // namespace

TerminalProgress::TerminalProgress() : enabled(isatty(STDERR_FILENO) == 1) {}

TerminalProgress::~TerminalProgress()
{
    endLine();
}

void TerminalProgress::setProgress(float fraction)
{
    if (!enabled) {
        return;
    }
    const float clamped = std::clamp(fraction, 0.0f, 1.0f);
    const int percent = static_cast<int>(clamped * 100.0f);
    if (percent == lastPercent) {
        return;
    }
    lastPercent = percent;
    const int filled = static_cast<int>(clamped * barWidth);
    const std::string bar = std::string(filled, '#') + std::string(barWidth - filled, ' ');
    std::fprintf(stderr, "\r[%s] %3d%%", bar.c_str(), percent);
    std::fflush(stderr);
    drawn = true;
}

void TerminalProgress::setPhase(config_zelmar::TransferPhase phase)
{
    if (!enabled) {
        return;
    }
    endLine();
    std::fprintf(stderr, "%s\n", config_zelmar::transferPhaseText(phase));
    std::fflush(stderr);
    lastPercent = -1;
}

bool TerminalProgress::cancelRequested() const
{
    return StopSignals::received();
}

void TerminalProgress::endLine()
{
    if (drawn) {
        std::fputc('\n', stderr);
        drawn = false;
    }
}

} // namespace zelmar_cli
