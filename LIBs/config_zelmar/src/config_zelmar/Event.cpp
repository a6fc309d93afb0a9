#include "config_zelmar/Event.h"

namespace config_zelmar {

namespace {

constexpr const char16_t* norm = u"HOPMA";
constexpr const char16_t* failure = u"HEИCПPABH.";
constexpr const char16_t* warning = u"BHИMAHИE";
constexpr const char16_t* fire = u"ПOЖAP";
constexpr const char16_t* takeOff = u"БЛOKИPOBKA";
constexpr const char16_t* put = u"BKЛЮЧEHИE";
constexpr const char16_t* alarm = u"OTKЛЮЧЁH";
constexpr const char16_t* activationOfLoop = u"CPAБOTAЛ";
constexpr const char16_t* activationOfLine = u"CPAБOTAЛA";
constexpr const char16_t* tamper = u"BCKPЫTИE";

constexpr std::array<Event, Event::count> events{{
    {"loop1Norm", norm, false},
    {"loop1Failure", failure, false},
    {"loop1Warning", warning, true},
    {"loop1Fire", fire, true},
    {"loop1TakeOff", takeOff, false},
    {"loop1Put", put, false},
    {"loop1Alarm", alarm, false},
    {"loop1Activation", activationOfLoop, false},
    {"loop2Norm", norm, false},
    {"loop2Failure", failure, false},
    {"loop2Warning", warning, true},
    {"loop2Fire", fire, true},
    {"loop2TakeOff", takeOff, false},
    {"loop2Put", put, false},
    {"loop2Alarm", alarm, false},
    {"loop2Activation", activationOfLoop, false},
    {"line3Norm", norm, false},
    {"line3Failure", failure, false},
    {"line3Activation", activationOfLine, false},
    {"line4Norm", norm, false},
    {"line4Failure", failure, false},
    {"line4Activation", activationOfLine, false},
    {"deviceTamper", tamper, false},
    {"outsFailure", failure, false},
}};

} // namespace

const std::array<Event, Event::count>& Event::all()
{
    return events;
}

int Event::slotOfKey(std::string_view key)
{
    for (std::size_t slot = 0; slot < events.size(); ++slot) {
        if (key == events[slot].key) {
            return static_cast<int>(slot);
        }
    }
    return -1;
}

} // namespace config_zelmar
