#include "config_zelmar/Command.h"

#include "config_zelmar/XmlValues.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace config_zelmar {

namespace {

// Byte positions of the two layouts.
constexpr std::size_t addressByte = 0;
constexpr std::size_t groupByte = 1;
constexpr std::size_t sectionActionByte = 2;
constexpr std::size_t sectionAlarmByte = 3;
constexpr std::size_t sectionOutputsOnByte = 4;
constexpr std::size_t sectionOutputsOffByte = 5;
constexpr std::size_t centralAlarmByte = 3;
constexpr std::size_t centralDeviceActionByte = 4;
constexpr std::size_t centralDeviceAddressByte = 5;
constexpr std::size_t centralOutputsOnByte = 6;
constexpr std::size_t centralOutputsOffByte = 7;

constexpr uint8_t sectionAddressFlag = 0x80;
constexpr uint8_t centralAddressFlags = 0xC0;
constexpr int firstCentralGroup = 4;

// Bits of the action byte (byte 2 of a section console command, byte 4 of a central console command).
constexpr int resetBit = 0;
int loopOnBit(int loop)
{
    return loop == 1 ? 4 : 5;
}
int loopOffBit(int loop)
{
    return loop == 1 ? 2 : 7;
}

bool validLoop(int loop)
{
    return loop == 1 || loop == 2;
}

bool validOutput(int output)
{
    return output >= 1 && output <= 8;
}

std::u16string decimal(int value)
{
    return QString::number(value).toStdU16String();
}

std::u16string joined(const std::vector<std::u16string>& parts, const std::u16string& separator)
{
    std::u16string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        text += (i ? separator : std::u16string()) + parts[i];
    }
    return text;
}

// The items after a prefix, or "- " when there are none.
std::u16string itemList(const std::vector<std::u16string>& items)
{
    return items.empty() ? u"- " : joined(items, u"; ");
}

void addGroupItem(std::vector<std::u16string>& items, const Command& command)
{
    std::vector<std::u16string> groups;
    for (int group = 0; group < 8; ++group) {
        if (command.groupCommand(group)) {
            groups.push_back(decimal(group));
        }
    }
    if (groups.size() == 1) {
        items.push_back(u"групповая команда " + groups.front());
    } else if (groups.size() > 1) {
        items.push_back(u"групповые команды " + joined(groups, u", "));
    }
}

void addLoopItem(std::vector<std::u16string>& items, const std::u16string& verb, bool loop1, bool loop2)
{
    if (loop1 && loop2) {
        items.push_back(verb + u"ы 1 и 2");
    } else if (loop1 || loop2) {
        items.push_back(verb + (loop1 ? u" 1" : u" 2"));
    }
}

void addLoopItems(std::vector<std::u16string>& items, const Command& command)
{
    addLoopItem(items, u"включить шлейф", command.loopOn(1), command.loopOn(2));
    addLoopItem(items, u"выключить шлейф", command.loopOff(1), command.loopOff(2));
}

void addOutputItem(std::vector<std::u16string>& items, const std::u16string& verb,
                   const std::vector<std::u16string>& outputs)
{
    if (outputs.size() == 8) {
        items.push_back(verb + u" все выходы");
    } else if (outputs.size() > 1) {
        items.push_back(verb + u" выходы " + joined(outputs, u", "));
    } else if (outputs.size() == 1) {
        items.push_back(verb + u" выход " + outputs.front());
    }
}

void addOutputItems(std::vector<std::u16string>& items, const Command& command)
{
    std::vector<std::u16string> on;
    std::vector<std::u16string> off;
    for (int output = 1; output <= 8; ++output) {
        if (command.outputOn(output)) {
            on.push_back(decimal(output));
        }
        if (command.outputOff(output)) {
            off.push_back(decimal(output));
        }
    }
    addOutputItem(items, u"включить", on);
    addOutputItem(items, u"выключить", off);
}

std::vector<std::u16string> deviceItems(const Command& command)
{
    std::vector<std::u16string> items;
    if (command.deviceReset()) {
        items.push_back(u"сброс");
    }
    addLoopItems(items, command);
    addOutputItems(items, command);
    return items;
}

std::u16string sectionDescription(const Command& command, bool shortPrefix)
{
    std::u16string prefix = u"Команда всем приборам: ";
    if (shortPrefix) {
        prefix = u"Команда: ";
    } else if (command.deviceAddress() != 0) {
        prefix = u"Команда прибору " + decimal(command.deviceAddress()) + u": ";
    }
    std::vector<std::u16string> items;
    if (command.deviceReset()) {
        items.push_back(u"сброс");
    }
    if (command.alarmCancel()) {
        items.push_back(u"отмена тревоги");
    }
    addGroupItem(items, command);
    addLoopItems(items, command);
    addOutputItems(items, command);
    return prefix + itemList(items) + u".";
}

std::u16string centralDescription(const Command& command)
{
    std::u16string prefix = u"Команда всем пультам: ";
    if (command.consoleAddress() != 0) {
        prefix = u"Команда пульту " + decimal(command.consoleAddress()) + u": ";
    }
    std::vector<std::u16string> items;
    if (command.consoleReset()) {
        items.push_back(u"сброс");
    }
    if (command.alarmCancel()) {
        items.push_back(u"отмена тревоги");
    }
    addGroupItem(items, command);
    if (command.deviceAddress() != 0) {
        items.push_back(u"команда прибору " + decimal(command.deviceAddress()) + u": " +
                        itemList(deviceItems(command)));
    }
    return prefix + itemList(items) + u".";
}

} // namespace

const std::u16string Command::continuationName = u"*";

Command::Command(bool central) : data(dataSize, 0), central(central)
{
    data[addressByte] = central ? centralAddressFlags | 1 : sectionAddressFlag | 1;
}

Command::Command(bool central, std::vector<uint8_t> data) : data(std::move(data)), central(central)
{
    this->data.resize(dataSize, 0);
}

uint8_t Command::byteAt(std::size_t i) const
{
    return i < data.size() ? data[i] : 0;
}

uint8_t& Command::byteRef(std::size_t i)
{
    if (data.size() < dataSize) {
        data.resize(dataSize, 0);
    }
    return data[i];
}

bool Command::bit(std::size_t byte, int bitNumber) const
{
    return (byteAt(byte) >> bitNumber) & 1;
}

void Command::setBit(std::size_t byte, int bitNumber, bool on)
{
    const auto mask = static_cast<uint8_t>(1u << bitNumber);
    uint8_t& value = byteRef(byte);
    value = on ? value | mask : value & ~mask;
}

void Command::applyByte3Rule()
{
    uint8_t& alarmByte = byteRef(sectionAlarmByte);
    if (!(alarmByte & 0x80) && byteAt(sectionOutputsOnByte) == 0 && byteAt(sectionOutputsOffByte) == 0) {
        alarmByte = 0;
    } else {
        alarmByte = (alarmByte & 0x80) | (byteAt(addressByte) & 0x7F);
    }
}

int Command::consoleAddress() const
{
    return central ? byteAt(addressByte) & 0x3F : 0;
}

void Command::setConsoleAddress(int address)
{
    if (central) {
        byteRef(addressByte) = address <= 0 ? 0 : centralAddressFlags | (address & 0x3F);
    }
}

int Command::deviceAddress() const
{
    return byteAt(central ? centralDeviceAddressByte : addressByte) & 0x7F;
}

void Command::setDeviceAddress(int address)
{
    if (central) {
        byteRef(centralDeviceAddressByte) = address <= 0 ? 0 : address & 0x7F;
        return;
    }
    byteRef(addressByte) = address <= 0 ? 0 : sectionAddressFlag | (address & 0x7F);
    applyByte3Rule();
}

bool Command::consoleReset() const
{
    return central && bit(groupByte, 7);
}

void Command::setConsoleReset(bool on)
{
    if (central) {
        setBit(groupByte, 7, on);
    }
}

bool Command::groupCommand(int group) const
{
    if (central) {
        return group >= firstCentralGroup && group <= 7 && bit(groupByte, group - firstCentralGroup);
    }
    return group >= 0 && group <= 7 && bit(groupByte, group);
}

void Command::setGroupCommand(int group, bool on)
{
    if (central && group >= firstCentralGroup && group <= 7) {
        setBit(groupByte, group - firstCentralGroup, on);
    } else if (!central && group >= 0 && group <= 7) {
        setBit(groupByte, group, on);
    }
}

bool Command::alarmCancel() const
{
    return central ? bit(centralAlarmByte, 0) : bit(sectionAlarmByte, 7);
}

void Command::setAlarmCancel(bool on)
{
    if (central) {
        setBit(centralAlarmByte, 0, on);
    } else if (on) {
        byteRef(sectionAlarmByte) = byteAt(addressByte) | 0x80;
    } else {
        setBit(sectionAlarmByte, 7, false);
        applyByte3Rule();
    }
}

bool Command::deviceReset() const
{
    return bit(central ? centralDeviceActionByte : sectionActionByte, resetBit);
}

void Command::setDeviceReset(bool on)
{
    setBit(central ? centralDeviceActionByte : sectionActionByte, resetBit, on);
}

bool Command::loopOn(int loop) const
{
    return validLoop(loop) && bit(central ? centralDeviceActionByte : sectionActionByte, loopOnBit(loop));
}

void Command::setLoopOn(int loop, bool on)
{
    if (validLoop(loop)) {
        setBit(central ? centralDeviceActionByte : sectionActionByte, loopOnBit(loop), on);
    }
}

bool Command::loopOff(int loop) const
{
    return validLoop(loop) && bit(central ? centralDeviceActionByte : sectionActionByte, loopOffBit(loop));
}

void Command::setLoopOff(int loop, bool on)
{
    if (validLoop(loop)) {
        setBit(central ? centralDeviceActionByte : sectionActionByte, loopOffBit(loop), on);
    }
}

bool Command::outputOn(int output) const
{
    return validOutput(output) && bit(central ? centralOutputsOnByte : sectionOutputsOnByte, output - 1);
}

void Command::setOutputOn(int output, bool on)
{
    if (!validOutput(output)) {
        return;
    }
    setBit(central ? centralOutputsOnByte : sectionOutputsOnByte, output - 1, on);
    if (!central) {
        applyByte3Rule();
    }
}

bool Command::outputOff(int output) const
{
    return validOutput(output) && bit(central ? centralOutputsOffByte : sectionOutputsOffByte, output - 1);
}

void Command::setOutputOff(int output, bool on)
{
    if (!validOutput(output)) {
        return;
    }
    setBit(central ? centralOutputsOffByte : sectionOutputsOffByte, output - 1, on);
    if (!central) {
        applyByte3Rule();
    }
}

std::u16string Command::description(bool shortPrefix) const
{
    return central ? centralDescription(*this) : sectionDescription(*this, shortPrefix);
}

std::u16string Command::defaultName(int n)
{
    return n < 0 ? std::u16string() : u"Команда " + decimal(n);
}

void Command::toXml(QXmlStreamWriter& writer) const
{
    writer.writeStartElement(QStringLiteral("command"));
    xml::writeText(writer, "name", name);
    writer.writeStartElement(QStringLiteral("data"));
    for (std::size_t i = 0; i < data.size(); ++i) {
        writer.writeStartElement(QStringLiteral("byte"));
        writer.writeAttribute(QStringLiteral("i"), QString::number(i));
        writer.writeCharacters(xml::hexByte(data[i]));
        writer.writeEndElement();
    }
    writer.writeEndElement();
    writer.writeEndElement();
}

void Command::parseXml(QXmlStreamReader& reader)
{
    name.clear();
    data.assign(dataSize, 0);
    while (reader.readNextStartElement()) {
        if (xml::isNamed(reader, "name")) {
            name = xml::readWideText(reader);
        } else if (xml::isNamed(reader, "data")) {
            parseDataElement(reader);
        } else {
            reader.skipCurrentElement();
        }
    }
}

void Command::parseDataElement(QXmlStreamReader& reader)
{
    while (reader.readNextStartElement()) {
        const int position = xml::decimalAttribute(reader, "i");
        if (!xml::isNamed(reader, "byte") || position < 0 || position >= static_cast<int>(data.size())) {
            reader.skipCurrentElement();
            continue;
        }
        uint32_t value = 0;
        xml::readHexByte(xml::readText(reader), value);
        data[position] = static_cast<uint8_t>(value);
    }
}

bool operator==(const Command& a, const Command& b)
{
    return a.isCentral() == b.isCentral() && a.name == b.name && a.data == b.data;
}

bool operator!=(const Command& a, const Command& b)
{
    return !(a == b);
}

} // namespace config_zelmar
