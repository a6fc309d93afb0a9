#pragma once

#include "boot_loader/MemoryPage.h"

namespace boot_loader {

class BootloaderProtocol;

// A page held twice: the panel copy (what was last read from or written to the panel) and the working
// copy that the image's readers and writers see. The page is changed exactly when the two differ.
class BufferedMemoryPage
{
public:
    BufferedMemoryPage(int32_t space, uint32_t address, std::size_t size);
    virtual ~BufferedMemoryPage() = default;

    const MemoryPage& panelCopy() const { return panel; }
    const MemoryPage& workingCopy() const { return working; }
    MemoryPage& workingCopy() { return working; }

    bool isModified() const { return working != panel; }

    // Reads the panel copy from the panel, then makes the working copy equal to it.
    void read(BootloaderProtocol& protocol);
    // Writes the working copy, then makes the panel copy equal to it.
    void write(BootloaderProtocol& protocol);
    // Writes only when changed; true when something was sent.
    bool writeIfChanged(BootloaderProtocol& protocol);
    // Reads the page back from the panel and compares it with the panel copy byte for byte. True when
    // they are equal; otherwise the panel copy takes what the panel holds, so the page counts as changed
    // again and the next write sends it once more.
    bool verify(BootloaderProtocol& protocol);
    void revertByte(uint32_t address);
    // The working copy takes the panel copy: nothing counts as changed.
    void revert();

    // Takes the given bytes as the panel's content of this page (both copies), without any traffic.
    void loadPanelCopy(const std::vector<uint8_t>& bytes);

private:
    MemoryPage panel;
    MemoryPage working;
};

} // namespace boot_loader
