#pragma once

#include <functional>
#include <utility>

namespace config_zelmar {

// Runs its clean-up when the scope is left by an exception of any kind (or any other way) before
// dismiss() was called. The clean-up must not hide the error that ends the transfer: whatever it
// throws is swallowed.
class FailureGuard
{
public:
    explicit FailureGuard(std::function<void()> cleanUp) : cleanUp(std::move(cleanUp)) {}
    ~FailureGuard()
    {
        if (!cleanUp) {
            return;
        }
        try {
            cleanUp();
        } catch (...) {
        }
    }

    FailureGuard(const FailureGuard&) = delete;
    FailureGuard& operator=(const FailureGuard&) = delete;

    void dismiss() { cleanUp = nullptr; }

private:
    std::function<void()> cleanUp;
};

} // namespace config_zelmar
