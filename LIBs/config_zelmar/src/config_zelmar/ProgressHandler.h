#pragma once

namespace config_zelmar {

// Receives the progress of a panel transfer as a fraction from 0 to 1. Never deleted through this
// interface, so it has no virtual destructor.
class ProgressHandler
{
public:
    virtual void setProgress(float fraction) = 0;
    // Asked by a read before each page; true stops it there with TransferCancelled. Writes never ask:
    // a write stopped half-way would leave the panel with a mixed configuration.
    virtual bool cancelRequested() const { return false; }

protected:
    ~ProgressHandler() = default;
};

} // namespace config_zelmar
