#include "boot_loader/MemoryImage.h"

#include "boot_loader/BootloaderProtocol.h"
#include "boot_loader/ProgressHandler.h"

#include <algorithm>
#include <cstdint>

namespace boot_loader {

MemoryImage::MemoryImage(int32_t space, uint32_t baseAddress, std::size_t pageSize, std::size_t pageCount)
    : memorySpace(space), base(baseAddress), bytesPerPage(pageSize)
{
    // An image without page size has no pages, so that locating a page never divides by zero.
    const std::size_t count = pageSize == 0 ? 0 : pageCount;
    pages.reserve(count);
    for (std::size_t index = 0; index < count; ++index) {
        pages.emplace_back(space, static_cast<uint32_t>(baseAddress + index * pageSize), pageSize);
    }
}

const BufferedMemoryPage* MemoryImage::pageFor(uint32_t address) const
{
    if (pages.empty()) {
        return nullptr;
    }
    // Unsigned arithmetic: an address below the base gives a huge index.
    const uint32_t index = static_cast<uint32_t>((address - base) / bytesPerPage);
    return index < pages.size() ? &pages[index] : nullptr;
}

BufferedMemoryPage* MemoryImage::pageFor(uint32_t address)
{
    return const_cast<BufferedMemoryPage*>(static_cast<const MemoryImage*>(this)->pageFor(address));
}

uint8_t MemoryImage::getByte(uint32_t address) const
{
    const BufferedMemoryPage* page = pageFor(address);
    return page ? page->workingCopy().getByte(address) : 0;
}

uint16_t MemoryImage::getWord(uint32_t address) const
{
    const uint8_t high = address == UINT32_MAX ? 0 : getByte(address + 1);
    return static_cast<uint16_t>(getByte(address) | (high << 8));
}

bool MemoryImage::getBit(uint32_t address, unsigned bit) const
{
    const BufferedMemoryPage* page = pageFor(address);
    return page ? page->workingCopy().getBit(address, bit) : false;
}

std::vector<uint8_t> MemoryImage::getBytes(uint32_t address, std::size_t count) const
{
    std::vector<uint8_t> result(count, 0);
    // Past the end of the address space nothing lies inside the image: those bytes stay 0.
    const std::size_t inAddressSpace = std::min<uint64_t>(count, uint64_t{UINT32_MAX} - address + 1);
    for (std::size_t index = 0; index < inAddressSpace; ++index) {
        result[index] = getByte(static_cast<uint32_t>(address + index));
    }
    return result;
}

void MemoryImage::setByte(uint32_t address, uint8_t value)
{
    if (BufferedMemoryPage* page = pageFor(address)) {
        page->workingCopy().setByte(address, value);
    }
}

void MemoryImage::setWord(uint32_t address, uint16_t value)
{
    setByte(address, static_cast<uint8_t>(value & 0xFFU));
    if (address != UINT32_MAX) { // the high byte must never wrap round to address 0
        setByte(address + 1, static_cast<uint8_t>(value >> 8));
    }
}

void MemoryImage::setBit(uint32_t address, unsigned bit, bool value)
{
    if (BufferedMemoryPage* page = pageFor(address)) {
        page->workingCopy().setBit(address, bit, value);
    }
}

void MemoryImage::setBytes(uint32_t address, const std::vector<uint8_t>& bytes)
{
    for (std::size_t index = 0; index < bytes.size(); ++index) {
        const uint64_t target = static_cast<uint64_t>(address) + index;
        if (target > UINT32_MAX) {
            return; // past the end of the address space: nothing more can land inside the image
        }
        setByte(static_cast<uint32_t>(target), bytes[index]);
    }
}

void MemoryImage::revertByte(uint32_t address)
{
    if (BufferedMemoryPage* page = pageFor(address)) {
        page->revertByte(address);
    }
}

void MemoryImage::revertAll()
{
    for (BufferedMemoryPage& page : pages) {
        page.revert();
    }
}

int32_t MemoryImage::modifiedPageCount() const
{
    int32_t count = 0;
    for (const BufferedMemoryPage& page : pages) {
        count += page.isModified() ? 1 : 0;
    }
    return count;
}

void MemoryImage::readAll(BootloaderProtocol& protocol, ProgressHandler* progress)
{
    for (BufferedMemoryPage& page : pages) {
        page.read(protocol);
        if (progress) {
            progress->pageRead(page);
        }
    }
}

MemoryImage::PageIndexes MemoryImage::writeModified(BootloaderProtocol& protocol, ProgressHandler* progress)
{
    PageIndexes written;
    for (std::size_t index = 0; index < pages.size(); ++index) {
        if (!pages[index].writeIfChanged(protocol)) {
            continue;
        }
        written.push_back(index);
        if (progress) {
            progress->pageWritten(pages[index]);
        }
    }
    return written;
}

MemoryImage::PageIndexes MemoryImage::writeAll(BootloaderProtocol& protocol, ProgressHandler* progress)
{
    PageIndexes written;
    for (std::size_t index = 0; index < pages.size(); ++index) {
        pages[index].write(protocol);
        written.push_back(index);
        if (progress) {
            progress->pageWritten(pages[index]);
        }
    }
    return written;
}

MemoryImage::PageIndexes MemoryImage::verify(BootloaderProtocol& protocol, const PageIndexes& indexes,
                                             ProgressHandler* progress)
{
    PageIndexes differing;
    for (const std::size_t index : indexes) {
        BufferedMemoryPage& page = pages.at(index);
        if (!page.verify(protocol)) {
            differing.push_back(index);
        }
        if (progress) {
            progress->pageRead(page);
        }
    }
    return differing;
}

std::vector<uint8_t> MemoryImage::bytes() const
{
    std::vector<uint8_t> content;
    content.reserve(size());
    for (const BufferedMemoryPage& page : pages) {
        const std::vector<uint8_t>& data = page.workingCopy().data();
        content.insert(content.end(), data.begin(), data.end());
    }
    return content;
}

std::vector<uint8_t> MemoryImage::panelBytes() const
{
    std::vector<uint8_t> content;
    content.reserve(size());
    for (const BufferedMemoryPage& page : pages) {
        const std::vector<uint8_t>& data = page.panelCopy().data();
        content.insert(content.end(), data.begin(), data.end());
    }
    return content;
}

std::vector<uint8_t> MemoryImage::pageSlice(const std::vector<uint8_t>& content, std::size_t index) const
{
    const auto first = content.begin() + static_cast<std::ptrdiff_t>(index * bytesPerPage);
    return std::vector<uint8_t>(first, first + static_cast<std::ptrdiff_t>(bytesPerPage));
}

bool MemoryImage::setAllBytes(const std::vector<uint8_t>& content)
{
    if (content.size() != size()) {
        return false;
    }
    for (std::size_t index = 0; index < pages.size(); ++index) {
        pages[index].workingCopy().setData(pageSlice(content, index));
    }
    return true;
}

bool MemoryImage::loadPanelCopy(const std::vector<uint8_t>& content)
{
    if (content.size() != size()) {
        return false;
    }
    for (std::size_t index = 0; index < pages.size(); ++index) {
        pages[index].loadPanelCopy(pageSlice(content, index));
    }
    return true;
}

} // namespace boot_loader
