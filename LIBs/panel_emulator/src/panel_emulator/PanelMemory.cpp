#include "panel_emulator/PanelMemory.h"

#include "boot_loader/Crc32.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace panel_emulator {

PanelMemory::PanelMemory(uint32_t baseAddress, std::size_t size, uint8_t fill)
    : base(baseAddress), content(size, fill)
{}

bool PanelMemory::contains(uint32_t address, std::size_t length) const
{
    return address >= base && address - base <= content.size() && length <= content.size() - (address - base);
}

std::vector<uint8_t> PanelMemory::read(uint32_t address, std::size_t length) const
{
    if (!contains(address, length)) {
        return {};
    }
    const auto first = content.begin() + (address - base);
    return std::vector<uint8_t>(first, first + static_cast<std::ptrdiff_t>(length));
}

void PanelMemory::write(uint32_t address, const std::vector<uint8_t>& data)
{
    if (contains(address, data.size())) {
        std::copy(data.begin(), data.end(), content.begin() + (address - base));
    }
}

uint32_t PanelMemory::checksum(uint32_t address, std::size_t length) const
{
    return contains(address, length) ? boot_loader::Crc32::of(content.data() + (address - base), length) : 0;
}

uint8_t PanelMemory::byteAt(uint32_t address) const
{
    return contains(address, 1) ? content[address - base] : 0;
}

void PanelMemory::setByteAt(uint32_t address, uint8_t value)
{
    if (contains(address, 1)) {
        content[address - base] = value;
    }
}

void PanelMemory::fill(uint8_t value)
{
    std::fill(content.begin(), content.end(), value);
}

void PanelMemory::loadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot open memory image file " + path);
    }
    // One byte more than the memory tells a file too long, without reading an endless one (/dev/zero).
    std::vector<uint8_t> loaded(content.size() + 1);
    file.read(reinterpret_cast<char*>(loaded.data()), static_cast<std::streamsize>(loaded.size()));
    if (file.bad()) {
        throw std::runtime_error("cannot read memory image file " + path);
    }
    loaded.resize(static_cast<std::size_t>(file.gcount()));
    if (loaded.size() != content.size()) {
        throw std::runtime_error("memory image file " + path + " has " +
                                 (loaded.size() > content.size()
                                      ? "more than " + std::to_string(content.size())
                                      : std::to_string(loaded.size())) +
                                 " bytes; this memory needs exactly " + std::to_string(content.size()));
    }
    content = std::move(loaded);
}

void PanelMemory::saveFile(const std::string& path) const
{
    const std::string temporary = path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(content.data()),
                   static_cast<std::streamsize>(content.size()));
        file.flush();
        if (!file) {
            file.close();
            std::remove(temporary.c_str());
            throw std::runtime_error("cannot write memory image file " + path);
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw std::runtime_error("cannot replace memory image file " + path);
    }
}

} // namespace panel_emulator
