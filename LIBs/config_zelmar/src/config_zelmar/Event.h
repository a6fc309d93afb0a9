#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace config_zelmar {

// One of the 24 events of a device (a state change of a loop, line or the outputs), in the fixed order
// shared by the model, the XML file, the panel's event blocks and the table dialog.
struct Event
{
    enum Slot : int
    {
        loop1Norm,
        loop1Failure,
        loop1Warning,
        loop1Fire,
        loop1TakeOff,
        loop1Put,
        loop1Alarm,
        loop1Activation,
        loop2Norm,
        loop2Failure,
        loop2Warning,
        loop2Fire,
        loop2TakeOff,
        loop2Put,
        loop2Alarm,
        loop2Activation,
        line3Norm,
        line3Failure,
        line3Activation,
        line4Norm,
        line4Failure,
        line4Activation,
        deviceTamper,
        outsFailure
    };
    static constexpr std::size_t count = 24;

    const char* key;             // XML element name of the slot
    const char16_t* defaultText; // upper-case word, already in LCD form
    bool defaultEmergency;

    // The 24 events, indexed by slot.
    static const std::array<Event, count>& all();
    // The slot whose key equals key, or -1.
    static int slotOfKey(std::string_view key);
};

} // namespace config_zelmar
