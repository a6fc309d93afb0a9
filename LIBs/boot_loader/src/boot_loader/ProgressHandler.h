#pragma once

namespace boot_loader {

class BufferedMemoryPage;

// Told of every page that a memory image has read from or written to the panel.
class ProgressHandler
{
public:
    virtual void pageRead(const BufferedMemoryPage& page) = 0;
    virtual void pageWritten(const BufferedMemoryPage& page) = 0;
    virtual ~ProgressHandler() = default;
};

} // namespace boot_loader
