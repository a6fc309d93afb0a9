// Feeds arbitrary characters into the emulated panel's loader. The input comes in groups of nine bytes:
// a byte whose bits are the ninth bits, then the eight received bytes they belong to (bit 0 for the
// first). A short last group carries fewer characters.

#include "panel_emulator/PanelEmulator.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr std::size_t charactersPerGroup = 8;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    panel_emulator::PanelEmulator panel;
    std::size_t position = 0;
    while (position < size) {
        const uint8_t ninthBits = data[position++];
        for (std::size_t index = 0; index < charactersPerGroup && position < size; ++index) {
            const bool ninthBit = ((ninthBits >> index) & 1U) != 0;
            panel.receive(static_cast<uint16_t>(data[position++] | (ninthBit ? 0x100U : 0U)));
        }
    }
    return 0;
}
