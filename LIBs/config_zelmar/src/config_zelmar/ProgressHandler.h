#pragma once

namespace config_zelmar {

// Receives the progress of a panel transfer as a fraction from 0 to 1. Never deleted through this
// interface, so it has no virtual destructor.
class ProgressHandler
{
public:
    virtual void setProgress(float fraction) = 0;

protected:
    ~ProgressHandler() = default;
};

} // namespace config_zelmar
