#include "config_zelmar/ConfigurationComparison.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/DifferenceTexts.h"

#include <algorithm>
#include <set>

namespace config_zelmar {

namespace texts = difference_texts;

namespace {

struct NameField
{
    const char* key;
    std::u16string DeviceNames::*name;
};

constexpr std::array<NameField, 6> nameFields{{
    {"deviceName", &DeviceNames::deviceName},
    {"outsName", &DeviceNames::outsName},
    {"loop1Name", &DeviceNames::loop1Name},
    {"loop2Name", &DeviceNames::loop2Name},
    {"line3Name", &DeviceNames::line3Name},
    {"line4Name", &DeviceNames::line4Name},
}};

// The sections the file stores: all of a central console, the own section of a section console.
std::map<int, const Section*> storedSections(const Configuration& configuration)
{
    std::map<int, const Section*> stored;
    for (const auto& [key, section] : configuration.sections) {
        if (configuration.pultType() || key == 0) {
            stored[key] = &section;
        }
    }
    return stored;
}

template <class Map> std::set<int> keysOfBoth(const Map& a, const Map& b)
{
    std::set<int> keys;
    for (const auto& entry : a) {
        keys.insert(entry.first);
    }
    for (const auto& entry : b) {
        keys.insert(entry.first);
    }
    return keys;
}

template <class Map> auto* entryOf(const Map& map, int key)
{
    const auto found = map.find(key);
    return found == map.end() ? nullptr : &found->second;
}

Value namesValue(const DeviceNames& names)
{
    Value value = Value::object().with("eventTable", Value::of(int64_t{names.eventTable}));
    for (const NameField& field : nameFields) {
        value.with(field.key, Value::of(names.*field.name));
    }
    return value;
}

Value deviceValue(const Device& device)
{
    return Value::object()
        .with("zone", Value::of(int64_t{device.zone}))
        .with("names", device.names ? namesValue(*device.names) : Value());
}

Value sectionValue(const Section& section)
{
    Value value = Value::object()
                      .with("group", Value::of(int64_t{section.group}))
                      .with("dubler", Value::of(section.dubler))
                      .with("name", Value::of(section.name));
    if (section.dubler) {
        value.with("dublerName", Value::of(section.dublerName));
    }
    Value devices = Value::object();
    for (const auto& [address, device] : section.devices) {
        devices.with(std::to_string(address), deviceValue(device));
    }
    return value.with("devices", devices);
}

Value tableValue(const EventTable& table)
{
    Value value = Value::object().with("name", Value::of(table.name));
    for (std::size_t slot = 0; slot < Event::count; ++slot) {
        value.with(Event::all()[slot].key, Value::object()
                                               .with("text", Value::of(table.texts[slot]))
                                               .with("emergency", Value::of(bool(table.emergency[slot]))));
    }
    return value;
}

Value commandValue(const Command& command)
{
    return Value::object()
        .with("name", Value::of(command.name))
        .with("data", Value::of(texts::hexBytes(command)));
}

std::string named(const char* noun, const std::u16string& name)
{
    return name.empty() ? noun : std::string(noun) + " " + texts::quotedText(name);
}

// Walks both configurations and collects their differences with their Russian lines.
class Comparison
{
public:
    Comparison(const Configuration& before, const Configuration& after) : before(before), after(after) {}

    std::vector<Difference> run()
    {
        compareOptions();
        compareSections();
        compareTables();
        compareCommands();
        return std::move(found);
    }

private:
    void field(Path path, Value oldValue, Value newValue, std::string subject, std::string oldText,
               std::string newText)
    {
        if (oldValue == newValue) {
            return;
        }
        std::string line = subject + ": " + oldText + " → " + newText;
        found.push_back({std::move(path), std::move(oldValue), std::move(newValue), std::move(subject),
                         std::move(oldText), std::move(newText), std::move(line)});
    }

    // A whole entity on one side only; the phrases name it ("прибор «Дверь»") and say what happened.
    void entity(Path path, Value oldValue, Value newValue, std::string subject, const std::string& added,
                const std::string& removed, std::string oldText, std::string newText)
    {
        std::string line =
            subject + ": " + (oldValue.isNull() ? added + " " + newText : removed + " " + oldText);
        found.push_back({std::move(path), std::move(oldValue), std::move(newValue), std::move(subject),
                         std::move(oldText), std::move(newText), std::move(line)});
    }

    void integerOption(const char* key, int64_t oldValue, int64_t newValue)
    {
        field({"options", key}, Value::of(oldValue), Value::of(newValue), texts::optionLabel(key),
              texts::optionValueText(key, oldValue), texts::optionValueText(key, newValue));
    }

    static Value passwordValue(const Configuration& configuration)
    {
        return configuration.hasPassword ? Value::of(configuration.password) : Value();
    }

    static std::string passwordText(const Configuration& configuration)
    {
        return configuration.hasPassword ? texts::quotedText(configuration.password) : "не задаётся";
    }

    static Value resetValue(const Configuration& configuration)
    {
        return configuration.pultType() ? Value::of(configuration.individualReset) : Value();
    }

    static std::string resetText(const Configuration& configuration)
    {
        if (!configuration.pultType()) {
            return "не задаётся";
        }
        return configuration.individualReset ? "отдельный сброс секций" : "общий сброс";
    }

    void compareOptions()
    {
        integerOption("backlightLevel", before.backlightLevel, after.backlightLevel);
        integerOption("backlightTime", before.backlightTime, after.backlightTime);
        integerOption("messageTime", before.messageTime, after.messageTime);
        integerOption("menuTime", before.menuTime, after.menuTime);
        integerOption("clockSyncHour", before.clockSyncHour, after.clockSyncHour);
        integerOption("zummerConfig", before.zummerConfig & 0xFF, after.zummerConfig & 0xFF);
        field({"options", "password"}, passwordValue(before), passwordValue(after),
              texts::optionLabel("password"), passwordText(before), passwordText(after));
        field({"options", "pultType"}, Value::of(before.pultType()), Value::of(after.pultType()),
              texts::optionLabel("pultType"), before.pultType() ? "центральный" : "секционный",
              after.pultType() ? "центральный" : "секционный");
        integerOption("voltage", before.voltage ? 24 : 12, after.voltage ? 24 : 12);
        field({"options", "individualReset"}, resetValue(before), resetValue(after),
              texts::optionLabel("individualReset"), resetText(before), resetText(after));
        integerOption("pultAddress", before.pultAddress, after.pultAddress);
    }

    void compareSections()
    {
        const auto oldSections = storedSections(before);
        const auto newSections = storedSections(after);
        for (const int key : keysOfBoth(oldSections, newSections)) {
            const auto* oldSection = entryOf(oldSections, key);
            const auto* newSection = entryOf(newSections, key);
            if (oldSection && newSection) {
                compareSection(key, **oldSection, **newSection);
            } else {
                const Section& only = oldSection ? **oldSection : **newSection;
                entity({"sections", key}, oldSection ? sectionValue(only) : Value(),
                       newSection ? sectionValue(only) : Value(), texts::sectionSubject(key), "добавлен",
                       "удалён", oldSection ? named("секционный пульт", only.name) : "",
                       newSection ? named("секционный пульт", only.name) : "");
            }
        }
    }

    void compareSection(int key, const Section& a, const Section& b)
    {
        const std::string subject = texts::sectionSubject(key) + ", ";
        field({"sections", key, "name"}, Value::of(a.name), Value::of(b.name),
              subject + texts::sectionFieldLabel("name"), texts::quotedName(a.name),
              texts::quotedName(b.name));
        field({"sections", key, "group"}, Value::of(int64_t{a.group}), Value::of(int64_t{b.group}),
              subject + texts::sectionFieldLabel("group"), texts::groupText(a.group),
              texts::groupText(b.group));
        field({"sections", key, "dubler"}, Value::of(a.dubler), Value::of(b.dubler),
              subject + texts::sectionFieldLabel("dubler"), texts::yesNo(a.dubler), texts::yesNo(b.dubler));
        field({"sections", key, "dublerName"}, a.dubler ? Value::of(a.dublerName) : Value(),
              b.dubler ? Value::of(b.dublerName) : Value(), subject + texts::sectionFieldLabel("dublerName"),
              a.dubler ? texts::quotedName(a.dublerName) : "нет дублёра",
              b.dubler ? texts::quotedName(b.dublerName) : "нет дублёра");
        for (const int address : keysOfBoth(a.devices, b.devices)) {
            compareDevice(key, address, entryOf(a.devices, address), entryOf(b.devices, address));
        }
    }

    void compareDevice(int section, int address, const Device* a, const Device* b)
    {
        const Path path{"sections", section, "devices", address};
        const std::string subject = texts::deviceSubject(after.pultType(), section, address);
        if (!a || !b) {
            const Device& only = a ? *a : *b;
            const std::u16string name = only.names ? only.names->deviceName : std::u16string();
            entity(path, a ? deviceValue(only) : Value(), b ? deviceValue(only) : Value(), subject,
                   "добавлен", "удалён", a ? named("прибор", name) : "", b ? named("прибор", name) : "");
            return;
        }
        field(withStep(path, "zone"), Value::of(int64_t{a->zone}), Value::of(int64_t{b->zone}),
              subject + ", " + texts::deviceFieldLabel("zone"), std::to_string(a->zone),
              std::to_string(b->zone));
        compareNames(withStep(path, "names"), subject, a->names.get(), b->names.get());
    }

    void compareNames(const Path& path, const std::string& subject, const DeviceNames* a,
                      const DeviceNames* b)
    {
        if (!a && !b) {
            return;
        }
        if (!a || !b) {
            entity(path, a ? namesValue(*a) : Value(), b ? namesValue(*b) : Value(), subject, "добавлены",
                   "удалены", a ? "собственные названия" : "", b ? "собственные названия" : "");
            return;
        }
        for (const NameField& name : nameFields) {
            field(withStep(path, name.key), Value::of(a->*name.name), Value::of(b->*name.name),
                  subject + ", " + texts::deviceFieldLabel(name.key), texts::quotedName(a->*name.name),
                  texts::quotedName(b->*name.name));
        }
        field(withStep(path, "eventTable"), Value::of(int64_t{a->eventTable}),
              Value::of(int64_t{b->eventTable}), subject + ", " + texts::deviceFieldLabel("eventTable"),
              texts::tableReferenceText(before, a->eventTable),
              texts::tableReferenceText(after, b->eventTable));
    }

    // Tables and commands are compared by position; one that only one side has is one entity.
    template <class Item, class ValueOf, class CompareBoth>
    void comparePositions(const char* root, const std::vector<Item>& a, const std::vector<Item>& b,
                          const std::string& noun, ValueOf valueOf, CompareBoth compareBoth)
    {
        for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
            const Item* first = i < a.size() ? &a[i] : nullptr;
            const Item* second = i < b.size() ? &b[i] : nullptr;
            const int index = static_cast<int>(i);
            if (first && second) {
                compareBoth(index, *first, *second);
                continue;
            }
            const Item& only = first ? *first : *second;
            const std::string subject = std::string(root) == "commands"
                                            ? texts::commandSubject(nullptr, index)
                                            : texts::tableSubject(nullptr, index);
            entity({root, index}, first ? valueOf(only) : Value(), second ? valueOf(only) : Value(), subject,
                   "добавлена", "удалена", first ? named(noun.c_str(), only.name) : "",
                   second ? named(noun.c_str(), only.name) : "");
        }
    }

    void compareTables()
    {
        comparePositions(
            "eventTables", before.eventTables, after.eventTables, "таблица", tableValue,
            [this](int index, const EventTable& a, const EventTable& b) { compareTable(index, a, b); });
    }

    void compareTable(int index, const EventTable& a, const EventTable& b)
    {
        const std::string subject = texts::tableSubject(&a, index) + ", ";
        field({"eventTables", index, "name"}, Value::of(a.name), Value::of(b.name), subject + "название",
              texts::quotedText(a.name), texts::quotedText(b.name));
        for (std::size_t slot = 0; slot < Event::count; ++slot) {
            const char* key = Event::all()[slot].key;
            const std::string event = subject + texts::eventLabel(slot);
            field({"eventTables", index, key}, Value::of(a.texts[slot]), Value::of(b.texts[slot]), event,
                  texts::quotedText(a.texts[slot]), texts::quotedText(b.texts[slot]));
            field({"eventTables", index, key, "emergency"}, Value::of(bool(a.emergency[slot])),
                  Value::of(bool(b.emergency[slot])), event + ", экстренное", texts::yesNo(a.emergency[slot]),
                  texts::yesNo(b.emergency[slot]));
        }
    }

    void compareCommands()
    {
        comparePositions(
            "commands", before.commands, after.commands, "команда", commandValue,
            [this](int index, const Command& a, const Command& b) { compareCommand(index, a, b); });
    }

    void compareCommand(int index, const Command& a, const Command& b)
    {
        const std::string subject = texts::commandSubject(&a, index) + ", ";
        field({"commands", index, "name"}, Value::of(a.name), Value::of(b.name), subject + "название",
              texts::quotedText(a.name), texts::quotedText(b.name));
        field({"commands", index, "data"}, Value::of(texts::hexBytes(a)), Value::of(texts::hexBytes(b)),
              subject + "действие", texts::quotedText(a.description(false)),
              texts::quotedText(b.description(false)));
    }

    static Path withStep(Path path, PathStep step)
    {
        path.push_back(std::move(step));
        return path;
    }

    const Configuration& before;
    const Configuration& after;
    std::vector<Difference> found;
};

} // namespace

std::vector<Difference> compareConfigurations(const Configuration& before, const Configuration& after)
{
    return Comparison(before, after).run();
}

} // namespace config_zelmar
