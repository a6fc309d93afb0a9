#pragma once

#include "config_zelmar/PanelDescription.h"

#include <cstdint>
#include <string>
#include <vector>

class QXmlStreamReader;
class QXmlStreamWriter;

namespace config_zelmar {

// A control command offered by the console menu, kept as the 8 data bytes the panel stores, with typed
// access to them. A section console command addresses devices; a central console command addresses
// section consoles and, through one of them, a device. The kind is fixed at construction.
class Command
{
public:
    static constexpr std::size_t dataSize = panel_description::commandDataBytes;

    // A new command: device 1 (section console) or console 1 (central console), nothing else set.
    explicit Command(bool central);
    // A command with the given bytes, taken as they are (cut or zero-filled to 8 bytes).
    Command(bool central, std::vector<uint8_t> data);
    virtual ~Command() = default;
    Command(const Command&) = default;
    Command& operator=(const Command&) = default;
    Command(Command&&) = default;
    Command& operator=(Command&&) = default;

    bool isCentral() const { return central; }

    // Central console commands only; the section console kind reads 0 and ignores the setter.
    int consoleAddress() const;
    void setConsoleAddress(int address);
    int deviceAddress() const;
    void setDeviceAddress(int address);
    // Central console commands only.
    bool consoleReset() const;
    void setConsoleReset(bool on);
    // Groups 0..7; a central console command has groups 4..7 only.
    bool groupCommand(int group) const;
    void setGroupCommand(int group, bool on);
    bool alarmCancel() const;
    void setAlarmCancel(bool on);
    bool deviceReset() const;
    void setDeviceReset(bool on);
    // Loops 1 and 2.
    bool loopOn(int loop) const;
    void setLoopOn(int loop, bool on);
    bool loopOff(int loop) const;
    void setLoopOff(int loop, bool on);
    // Outputs 1..8.
    bool outputOn(int output) const;
    void setOutputOn(int output, bool on);
    bool outputOff(int output) const;
    void setOutputOff(int output, bool on);

    // One-line Russian description of the action. The short prefix drops the device address of a
    // section console command; it has no effect on a central console command.
    std::u16string description(bool shortPrefix) const;

    void toXml(QXmlStreamWriter& writer) const;
    void parseXml(QXmlStreamReader& reader);

    // "Команда " followed by n; empty for a negative n.
    static std::u16string defaultName(int n);

    // A command named exactly this is sent right after the command before it.
    static const std::u16string continuationName;

    std::u16string name;
    std::vector<uint8_t> data; // always 8 bytes

private:
    uint8_t byteAt(std::size_t i) const;
    uint8_t& byteRef(std::size_t i);
    bool bit(std::size_t byte, int bitNumber) const;
    void setBit(std::size_t byte, int bitNumber, bool on);
    void applyByte3Rule();
    void parseDataElement(QXmlStreamReader& reader);

    bool central;
};

bool operator==(const Command& a, const Command& b);
bool operator!=(const Command& a, const Command& b);

} // namespace config_zelmar
