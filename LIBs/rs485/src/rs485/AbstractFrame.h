#pragma once

#include <cstdint>
#include <vector>

namespace rs485 {

// A frame of the panel's protocol: a sequence of nine-bit characters.
class AbstractFrame
{
public:
    virtual ~AbstractFrame() = default;

    std::vector<uint16_t> characters;
};

} // namespace rs485
