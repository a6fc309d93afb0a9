#pragma once

#include <array>
#include <string>

namespace config_zelmar {

// The bits of Configuration::zummerConfig and what the options page and the report call them.
namespace zummer {

constexpr unsigned buttonBit = 0x01;
constexpr unsigned newEventBit = 0x02;
constexpr unsigned failureBit = 0x04;
constexpr unsigned warningBit = 0x08;
constexpr unsigned fireBit = 0x10;
constexpr unsigned alwaysSetBit = 0x20; // set on every store, like the panel's own firmware does
constexpr unsigned remoteOffBit = 0x80;

struct SoundedEvent
{
    unsigned bit;
    const char16_t* label;
};

// The five kinds of event the buzzer sounds for, in the order of the options page.
constexpr std::array<SoundedEvent, 5> soundedEvents{{{buttonBit, u"Нажатия кнопок"},
                                                     {newEventBit, u"Новые события"},
                                                     {failureBit, u"Неисправности"},
                                                     {warningBit, u"Внимание"},
                                                     {fireBit, u"Пожар"}}};

// The label of the remote switch-off bit: the other console is the section console on a central console.
inline std::u16string remoteOffLabel(bool central)
{
    return central ? u"Выключение зуммера с секционного пульта" : u"Выключение зуммера с центрального пульта";
}

} // namespace zummer

} // namespace config_zelmar
