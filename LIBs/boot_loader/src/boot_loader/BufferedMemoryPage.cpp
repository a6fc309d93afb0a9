#include "boot_loader/BufferedMemoryPage.h"

#include "boot_loader/BootloaderProtocol.h"

#include <utility>

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

bool BufferedMemoryPage::verify(BootloaderProtocol& protocol)
{
    MemoryPage readBack(panel.space(), panel.address(), panel.size());
    protocol.readPage(readBack);
    if (readBack == panel) {
        return true;
    }
    panel = std::move(readBack);
    return false;
}

void BufferedMemoryPage::revert()
{
    working = panel;
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
