#pragma once

#include "boot_loader/BufferedMemoryPage.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace boot_loader {

class BootloaderProtocol;
class ProgressHandler;

// A local copy of one contiguous address range of one memory space of the panel, cut into equal pages,
// each held as panel copy and working copy. Accessors work on the working copies at panel addresses;
// an address outside the image reads as 0 and ignores writes. Words are little-endian.
class MemoryImage
{
public:
    // Page i covers [base + i * pageSize, base + (i + 1) * pageSize); every byte starts as 0xFF.
    MemoryImage(int32_t space, uint32_t baseAddress, std::size_t pageSize, std::size_t pageCount);
    virtual ~MemoryImage() = default;

    int32_t space() const { return memorySpace; }
    uint32_t baseAddress() const { return base; }
    std::size_t pageSize() const { return bytesPerPage; }
    std::size_t pageCount() const { return pages.size(); }
    std::size_t size() const { return bytesPerPage * pages.size(); }
    const BufferedMemoryPage& page(std::size_t index) const { return pages.at(index); }

    bool contains(uint32_t address) const { return pageFor(address) != nullptr; }

    uint8_t getByte(uint32_t address) const;
    uint16_t getWord(uint32_t address) const;
    bool getBit(uint32_t address, unsigned bit) const;
    std::vector<uint8_t> getBytes(uint32_t address, std::size_t count) const;

    void setByte(uint32_t address, uint8_t value);
    void setWord(uint32_t address, uint16_t value);
    void setBit(uint32_t address, unsigned bit, bool value);
    void setBytes(uint32_t address, const std::vector<uint8_t>& bytes);
    // The working byte takes the value last read from or written to the panel.
    void revertByte(uint32_t address);
    // Every working byte takes the value last read from or written to the panel.
    void revertAll();

    int32_t modifiedPageCount() const;

    using PageIndexes = std::vector<std::size_t>;

    // Each stops at the first BootloaderException and lets it propagate; pages already done keep
    // their new state. The progress handler may be null. The writes return the pages they sent.
    void readAll(BootloaderProtocol& protocol, ProgressHandler* progress);
    PageIndexes writeModified(BootloaderProtocol& protocol, ProgressHandler* progress);
    PageIndexes writeAll(BootloaderProtocol& protocol, ProgressHandler* progress);
    // Reads the given pages back and compares each with what was written (reported as pages read);
    // returns those that differ, which then count as changed (see BufferedMemoryPage::verify).
    PageIndexes verify(BootloaderProtocol& protocol, const PageIndexes& indexes, ProgressHandler* progress);

    // The working copy of the whole range, for dumps and stored images.
    std::vector<uint8_t> bytes() const;
    // The panel copy of the whole range.
    std::vector<uint8_t> panelBytes() const;
    // Replaces the working copy of the whole range; false (nothing changed) unless size() bytes given.
    bool setAllBytes(const std::vector<uint8_t>& content);
    // Takes the bytes as the panel's content (both copies, nothing counts as changed), as a read from
    // the panel would, without any traffic; false (nothing changed) unless size() bytes given.
    bool loadPanelCopy(const std::vector<uint8_t>& content);

private:
    const BufferedMemoryPage* pageFor(uint32_t address) const;
    BufferedMemoryPage* pageFor(uint32_t address);
    std::vector<uint8_t> pageSlice(const std::vector<uint8_t>& content, std::size_t index) const;

    int32_t memorySpace;
    uint32_t base;
    std::size_t bytesPerPage;
    std::vector<BufferedMemoryPage> pages;
};

} // namespace boot_loader
