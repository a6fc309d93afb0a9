#pragma once

#include <cstdint>

namespace panel_emulator {

// Faults the emulated panel plays. Counters count down as commands arrive; 0 means off.
struct PanelFaults
{
    // The next N complete commands get no answer and are not carried out.
    int silentCommands = 0;
    // The next N answers go out with a damaged CRC (the command is carried out).
    int badCrcAnswers = 0;
    // The next N commands are answered with this status alone and are not carried out.
    int statusCommands = 0;
    uint8_t status = 0xA3;
    // The next N answers lose their last character.
    int truncatedAnswers = 0;
    // The loader believes it is in the middle of a long frame: it swallows every character until it
    // has seen 261 zero bytes in a row.
    bool stuck = false;
    // After this many more answered commands the link drops (the converter is unplugged); -1: never.
    int dropAfterCommands = -1;
    // The link drops when the page command (read or write) with this number arrives, counted from 1
    // from now on; it is not answered. 0: never.
    int dropAtPage = 0;
    // The next N page writes are answered with success, but the flash stores the page with one byte
    // changed (the byte at the middle of the page, inverted); alwaysFaulty: every page write.
    static constexpr int alwaysFaulty = -1;
    int flashFaults = 0;
};

} // namespace panel_emulator
