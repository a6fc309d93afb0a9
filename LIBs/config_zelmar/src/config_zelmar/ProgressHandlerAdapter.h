#pragma once

#include "config_zelmar/TransferPhase.h"

#include "boot_loader/ProgressHandler.h"

namespace config_zelmar {

class ProgressHandler;

// Counts the pages a memory image transfers, and the transfer's own steps, and reports the share done
// to the user's progress handler (which may be null: the count still advances), with the phase of the
// transfer.
class ProgressHandlerAdapter : public boot_loader::ProgressHandler
{
public:
    ProgressHandlerAdapter(int totalSteps, config_zelmar::ProgressHandler* handler);

    void pageRead(const boot_loader::BufferedMemoryPage& page) override;
    void pageWritten(const boot_loader::BufferedMemoryPage& page) override;
    void step();
    // More steps than first counted (pages written once more); the share done shrinks accordingly.
    void addSteps(int steps);
    void setPhase(TransferPhase phase);
    // All steps done: reports exactly 1.
    void finish();

    int total() const { return totalSteps; }
    int done() const { return stepsDone; }

private:
    void report(float fraction);

    int totalSteps;
    int stepsDone = 0;
    config_zelmar::ProgressHandler* handler;
};

} // namespace config_zelmar
