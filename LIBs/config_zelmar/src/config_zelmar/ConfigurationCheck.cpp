#include "config_zelmar/ConfigurationCheck.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/ConfigurationComparison.h"
#include "config_zelmar/DifferenceTexts.h"
#include "config_zelmar/MemoryMap.h"
#include "config_zelmar/PanelImageCodec.h"

#include <algorithm>
#include <map>

namespace config_zelmar {

namespace facts = panel_description;
namespace texts = difference_texts;

namespace {

void trimTrailingSpaces(std::u16string& text)
{
    text.erase(text.find_last_not_of(u' ') + 1);
}

void trimNames(DeviceNames& names)
{
    for (std::u16string* name : {&names.deviceName, &names.outsName, &names.loop1Name, &names.loop2Name,
                                 &names.line3Name, &names.line4Name}) {
        trimTrailingSpaces(*name);
    }
}

void normaliseSections(Configuration& configuration)
{
    for (auto& [key, section] : configuration.sections) {
        trimTrailingSpaces(section.name);
        trimTrailingSpaces(section.dublerName);
        if (!configuration.pultType()) {
            // The panel keeps no names, group or duplicate for a section console's own section.
            const Section defaults;
            section.name = defaults.name;
            section.group = defaults.group;
            section.dubler = defaults.dubler;
            section.dublerName = defaults.dublerName;
        }
        for (auto& [address, device] : section.devices) {
            if (configuration.pultType()) {
                device.zone = Device().zone; // a central console stores no zones
            }
            if (device.names) {
                trimNames(*device.names);
            }
        }
    }
}

// The configuration without what a write and a read back are not meant to reproduce.
Configuration comparable(const Configuration& configuration)
{
    Configuration copy = configuration;
    copy.lcdCorrection(); // look-alike letters show the same glyph
    copy.rebuildEventTables();
    copy.clearPassword(); // the panel never tells its password
    copy.lastWriteDate.clear();
    copy.writeCounter = 0;
    copy.firmwareVersion.clear();
    copy.zummerConfig &= memory_map::options::zummerConfig.mask; // the other bit is the panel's own
    normaliseSections(copy);
    for (Command& command : copy.commands) {
        trimTrailingSpaces(command.name);
    }
    for (EventTable& table : copy.eventTables) {
        trimTrailingSpaces(table.name);
        for (std::u16string& text : table.texts) {
            trimTrailingSpaces(text);
        }
    }
    return copy;
}

Configuration writtenAndReadBack(const Configuration& configuration, const PanelImages& panel)
{
    Configuration back;
    decodeImages(encodeImages(configuration, panel), back);
    return back;
}

PanelImages zeroedPanelImages()
{
    PanelImages images = blankPanelImages();
    std::fill(images.options.begin(), images.options.end(), 0x00);
    std::fill(images.configuration.begin(), images.configuration.end(), 0x00);
    return images;
}

bool isLoss(const Difference& difference)
{
    if (difference.newValue.isNull()) {
        return !difference.oldValue.isNull();
    }
    return difference.oldValue.kind() == Value::Kind::string && !difference.oldValue.string().empty() &&
           difference.newValue.string().empty();
}

bool endsWith(const Path& path, const char* key)
{
    return !path.empty() && !path.back().isIndex && path.back().key == key;
}

const Section* sectionOf(const Configuration& configuration, const Path& path)
{
    if (path.size() < 2 || !path[1].isIndex) {
        return nullptr;
    }
    const auto found = configuration.sections.find(path[1].index);
    return found == configuration.sections.end() ? nullptr : &found->second;
}

std::string lostSectionMessage(const Configuration& configuration, const Difference& difference)
{
    const Section* section = sectionOf(configuration, difference.path);
    const int key = difference.path[1].index;
    if (key < facts::firstConsole || key > facts::lastConsole) {
        return difference.subject + ": адрес вне диапазона 1–24, секционный пульт не будет записан в прибор";
    }
    if (section != nullptr && (section->group < 0 || section->group > facts::lastGroup)) {
        return difference.subject + ": группа " + std::to_string(section->group) +
               " вне диапазона и не будет записана, секционный пульт может не сохраниться";
    }
    if (section != nullptr && section->group == 0) {
        return difference.subject + ": секционный пульт с группой 0 не будет записан в прибор";
    }
    return difference.subject + ": секционный пульт не будет записан в прибор";
}

std::string lostDeviceMessage(const Configuration& configuration, const Difference& difference)
{
    const Section* section = sectionOf(configuration, difference.path);
    const int address = difference.path[3].index;
    const Device* device = nullptr;
    if (section != nullptr && section->devices.count(address) != 0) {
        device = &section->devices.at(address);
    }
    if (address < facts::firstDevice || address > facts::lastDevice) {
        return difference.subject + ": адрес вне диапазона 1–127, прибор не будет записан";
    }
    if (configuration.pultType() && device != nullptr && !device->names) {
        return difference.subject + ": прибор без собственных названий не хранится в центральном пульте и не "
                                    "будет записан";
    }
    if (configuration.pultType()) {
        return difference.subject + ": имена не поместятся в память прибора, прибор не будет записан";
    }
    if (device != nullptr && (device->zone < 0 || device->zone > facts::lastZone)) {
        return difference.subject + ": зона " + std::to_string(device->zone) +
               " вне диапазона 1–15 и не будет записана, прибор может не сохраниться";
    }
    if (device != nullptr && device->zone == 0) {
        return difference.subject + ": прибор с зоной 0 не будет записан";
    }
    return difference.subject + ": прибор не будет записан";
}

std::string lostMessage(const Configuration& configuration, const Difference& difference)
{
    const Path& path = difference.path;
    const std::string& root = path.front().key;
    if (root == "sections" && path.size() == 2) {
        return lostSectionMessage(configuration, difference);
    }
    if (root == "sections" && path.size() == 4) {
        return lostDeviceMessage(configuration, difference);
    }
    if (endsWith(path, "names")) {
        return difference.subject + ": имена не поместятся в память прибора и не будут записаны";
    }
    if (root == "eventTables" && path.size() == 2) {
        return difference.subject + ": " + difference.oldText +
               " не будет записана: прибор хранит не больше 16 таблиц событий";
    }
    if (root == "commands" && path.size() == 2) {
        return difference.subject + ": " + difference.oldText +
               " не будет записана: прибор хранит не больше 64 команд";
    }
    const Section* section = sectionOf(configuration, path);
    if (endsWith(path, "dublerName") && section != nullptr && section->name.empty()) {
        return difference.subject + ": " + difference.oldText +
               " не будет записано: пульт без собственного названия хранит только названия по умолчанию";
    }
    return difference.subject + ": " + difference.oldText +
           " не поместится в память прибора и не будет записано";
}

std::string changedMessage(const Difference& difference)
{
    if (difference.oldValue.isNull()) {
        return difference.subject + ": после записи появится " + difference.newText;
    }
    return difference.subject + ": " + difference.oldText + " будет записано как " + difference.newText;
}

std::string keptMessage(const Difference& difference)
{
    return difference.subject + ": " + difference.oldText +
           " вне допустимого диапазона и не будет записано, в приборе останется прежнее значение";
}

// The same path compared after a write into an erased and into a zeroed panel.
struct Outcome
{
    const Difference* erased = nullptr;
    const Difference* zeroed = nullptr;
};

Problem problemOf(const Configuration& configuration, const Outcome& outcome)
{
    const Difference* lost = nullptr;
    for (const Difference* difference : {outcome.erased, outcome.zeroed}) {
        if (difference != nullptr && isLoss(*difference)) {
            lost = difference;
            break;
        }
    }
    const Difference& any = outcome.erased != nullptr ? *outcome.erased : *outcome.zeroed;
    if (lost != nullptr) {
        return {Problem::Severity::error, Problem::Kind::lost, lost->path, lostMessage(configuration, *lost)};
    }
    const bool samePanelResult = outcome.erased != nullptr && outcome.zeroed != nullptr &&
                                 outcome.erased->newValue == outcome.zeroed->newValue;
    return {Problem::Severity::warning, Problem::Kind::changed, any.path,
            samePanelResult ? changedMessage(any) : keptMessage(any)};
}

bool startsWith(const Path& path, const Path& prefix)
{
    return path.size() > prefix.size() && std::equal(prefix.begin(), prefix.end(), path.begin());
}

// A lost section or device says it all: what the other panel would have shown of its fields is noise.
std::vector<Problem> withoutPartsOfLostObjects(std::vector<Problem> problems)
{
    std::vector<Path> lostPaths;
    for (const Problem& problem : problems) {
        if (problem.kind == Problem::Kind::lost) {
            lostPaths.push_back(problem.path);
        }
    }
    problems.erase(std::remove_if(problems.begin(), problems.end(),
                                  [&](const Problem& problem) {
                                      return std::any_of(
                                          lostPaths.begin(), lostPaths.end(),
                                          [&](const Path& lost) { return startsWith(problem.path, lost); });
                                  }),
                   problems.end());
    return problems;
}

std::vector<Problem> roundTripProblems(const Configuration& configuration)
{
    const Configuration expected = comparable(configuration);
    const std::vector<Difference> erased =
        compareConfigurations(expected, comparable(writtenAndReadBack(configuration, blankPanelImages())));
    const std::vector<Difference> zeroed =
        compareConfigurations(expected, comparable(writtenAndReadBack(configuration, zeroedPanelImages())));
    std::vector<std::string> order;
    std::map<std::string, Outcome> outcomes;
    for (const Difference& difference : erased) {
        const std::string key = pathToJson(difference.path);
        order.push_back(key);
        outcomes[key].erased = &difference;
    }
    for (const Difference& difference : zeroed) {
        const std::string key = pathToJson(difference.path);
        if (outcomes.count(key) == 0) {
            order.push_back(key);
        }
        outcomes[key].zeroed = &difference;
    }
    std::vector<Problem> problems;
    for (const std::string& key : order) {
        problems.push_back(problemOf(configuration, outcomes.at(key)));
    }
    return withoutPartsOfLostObjects(std::move(problems));
}

bool hasDevice(const Configuration& configuration, int section, int address)
{
    const auto found = configuration.sections.find(section);
    return found != configuration.sections.end() && found->second.devices.count(address) != 0;
}

// On a central console only the section consoles are known: the configuration lists only the devices
// that have names of their own, so a device part of a command may rightly name any other device.
std::vector<Problem> referenceProblems(const Configuration& configuration)
{
    std::vector<Problem> problems;
    for (std::size_t i = 0; i < configuration.commands.size(); ++i) {
        const Command& command = configuration.commands[i];
        const std::string subject = texts::commandSubject(&command, static_cast<int>(i));
        const Path path{"commands", static_cast<int>(i), "data"};
        if (configuration.pultType()) {
            const int console = command.consoleAddress();
            if (console != 0 && configuration.sections.count(console) == 0) {
                problems.push_back({Problem::Severity::warning, Problem::Kind::reference, path,
                                    subject + ": секционного пульта с адресом " + std::to_string(console) +
                                        " нет в конфигурации"});
            }
        } else {
            const int device = command.deviceAddress();
            if (device != 0 && !hasDevice(configuration, 0, device)) {
                problems.push_back(
                    {Problem::Severity::warning, Problem::Kind::reference, path,
                     subject + ": прибора с адресом " + std::to_string(device) + " нет в конфигурации"});
            }
        }
    }
    return problems;
}

} // namespace

std::vector<Problem> checkConfiguration(const Configuration& configuration)
{
    std::vector<Problem> problems = roundTripProblems(configuration);
    const std::vector<Problem> references = referenceProblems(configuration);
    problems.insert(problems.end(), references.begin(), references.end());
    std::stable_partition(problems.begin(), problems.end(), [](const Problem& problem) {
        return problem.severity == Problem::Severity::error;
    });
    return problems;
}

bool hasErrors(const std::vector<Problem>& problems)
{
    return std::any_of(problems.begin(), problems.end(),
                       [](const Problem& problem) { return problem.severity == Problem::Severity::error; });
}

} // namespace config_zelmar
