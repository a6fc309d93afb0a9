#include "config_zelmar/ProgressHandlerAdapter.h"

#include "config_zelmar/ProgressHandler.h"

namespace config_zelmar {

ProgressHandlerAdapter::ProgressHandlerAdapter(int totalSteps, config_zelmar::ProgressHandler* handler)
    : totalSteps(totalSteps), handler(handler)
{}

void ProgressHandlerAdapter::pageRead(const boot_loader::BufferedMemoryPage&)
{
    step();
}

void ProgressHandlerAdapter::pageWritten(const boot_loader::BufferedMemoryPage&)
{
    step();
}

void ProgressHandlerAdapter::step()
{
    ++stepsDone;
    report(totalSteps > 0 ? static_cast<float>(stepsDone) / static_cast<float>(totalSteps) : 1.0F);
}

void ProgressHandlerAdapter::addSteps(int steps)
{
    totalSteps += steps;
}

void ProgressHandlerAdapter::setPhase(TransferPhase phase)
{
    if (handler) {
        handler->setPhase(phase);
    }
}

void ProgressHandlerAdapter::finish()
{
    stepsDone = totalSteps;
    report(1.0F);
}

void ProgressHandlerAdapter::report(float fraction)
{
    if (handler) {
        handler->setProgress(fraction);
    }
}

} // namespace config_zelmar
