#pragma once

#include "boot_loader/ProgressHandler.h"

namespace config_zelmar {

class ProgressHandler;

// Counts the pages a memory image transfers, and the transfer's own steps, and reports the share done
// to the user's progress handler (which may be null: the count still advances). After each page read it
// stops the read with TransferCancelled when the handler asks for it.
class ProgressHandlerAdapter : public boot_loader::ProgressHandler
{
public:
    ProgressHandlerAdapter(int totalSteps, config_zelmar::ProgressHandler* handler);

    void pageRead(const boot_loader::BufferedMemoryPage& page) override;
    void pageWritten(const boot_loader::BufferedMemoryPage& page) override;
    void step();
    // Throws TransferCancelled when the handler asks for it.
    void stopIfCancelled() const;
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
