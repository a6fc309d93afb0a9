#include "boot_loader/BufferedMemoryPage.h"

#include "boot_loader/BootloaderProtocol.h"

namespace boot_loader {

BufferedMemoryPage::BufferedMemoryPage(int32_t space, uint32_t address, std::size_t size)
    : panel(space, address, size), working(space, address, size)
{}

void BufferedMemoryPage::read(BootloaderProtocol& protocol)
{
    protocol.readPage(panel);
    working = panel;
}

void BufferedMemoryPage::write(BootloaderProtocol& protocol)
{
    protocol.writePage(working);
    panel = working;
}

bool BufferedMemoryPage::writeIfChanged(BootloaderProtocol& protocol)
{
    if (!isModified()) {
        return false;
    }
    write(protocol);
    return true;
}

void BufferedMemoryPage::revertByte(uint32_t address)
{
    working.setByte(address, panel.getByte(address));
}

void BufferedMemoryPage::loadPanelCopy(const std::vector<uint8_t>& bytes)
{
    panel.setData(bytes);
    working = panel;
}

} // namespace boot_loader
