#include "panel_emulator/FaultScript.h"

#include <sstream>
#include <stdexcept>
#include <vector>

namespace panel_emulator {

namespace {

std::vector<std::string> splitItems(const std::string& script)
{
    std::string spaced = script;
    for (char& character : spaced) {
        if (character == ',' || character == ';') {
            character = ' ';
        }
    }
    std::istringstream input(spaced);
    std::vector<std::string> items;
    for (std::string item; input >> item;) {
        items.push_back(item);
    }
    return items;
}

std::vector<std::string> splitFields(const std::string& item)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t colon = item.find(':'); colon != std::string::npos; colon = item.find(':', start)) {
        fields.push_back(item.substr(start, colon - start));
        start = colon + 1;
    }
    fields.push_back(item.substr(start));
    return fields;
}

[[noreturn]] void refuse(const std::string& item)
{
    throw std::invalid_argument("bad fault script item \"" + item + "\"");
}

long number(const std::string& text, const std::string& item, long maximum)
{
    if (text.empty() || text[0] == '-' || text[0] == '+') {
        refuse(item);
    }
    const bool hexadecimal = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    std::size_t used = 0;
    long value = 0;
    try {
        value = std::stol(text, &used, hexadecimal ? 16 : 10);
    } catch (const std::exception&) {
        refuse(item);
    }
    if (used != text.size() || value > maximum) {
        refuse(item);
    }
    return value;
}

int count(const std::string& text, const std::string& item)
{
    return static_cast<int>(number(text, item, 1000000000L));
}

void applyItem(const std::string& item, PanelFaults& faults)
{
    const std::vector<std::string> fields = splitFields(item);
    const std::string& name = fields[0];
    if (name == "stuck" && fields.size() == 1) {
        faults.stuck = true;
    } else if (name == "silent" && fields.size() == 2) {
        faults.silentCommands = count(fields[1], item);
    } else if (name == "bad-crc" && fields.size() == 2) {
        faults.badCrcAnswers = count(fields[1], item);
    } else if (name == "truncate" && fields.size() == 2) {
        faults.truncatedAnswers = count(fields[1], item);
    } else if (name == "status" && fields.size() == 3) {
        faults.status = static_cast<uint8_t>(number(fields[1], item, 0xFF));
        faults.statusCommands = count(fields[2], item);
    } else if (name == "drop-after" && fields.size() == 2) {
        faults.dropAfterCommands = count(fields[1], item);
    } else if (name == "drop-at-page" && fields.size() == 2) {
        faults.dropAtPage = count(fields[1], item);
    } else if (name == "flash" && fields.size() == 2) {
        faults.flashFaults = fields[1] == "always" ? PanelFaults::alwaysFaulty : count(fields[1], item);
    } else {
        refuse(item);
    }
}

} // namespace

PanelFaults FaultScript::parse(const std::string& script)
{
    PanelFaults faults;
    for (const std::string& item : splitItems(script)) {
        applyItem(item, faults);
    }
    return faults;
}

} // namespace panel_emulator
