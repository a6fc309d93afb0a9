// Section consoles and devices, named as the pages show them.
#include "report/Chapters.h"
#include "report/ContentText.h"
#include "report/DeviceCells.h"

#include <config_zelmar/Configuration.h>
#include <config_zelmar/ShownNames.h>

using config_zelmar::Configuration;
using config_zelmar::Device;
using config_zelmar::Section;
using config_zelmar::ShownName;

namespace report::chapters {

const char16_t* const defaultsNote = u"Курсивом показаны названия и значения по умолчанию.";

namespace {

using content_text::number;
using content_text::readable;
using device_cells::nameCell;

bool listed(const Configuration& configuration, const Device& device, bool changesOnly)
{
    if (!device_cells::keptByPanel(configuration, device)) {
        return false;
    }
    // A device with default names still tells where it is when its zone is not the default one.
    return device.names != nullptr || !changesOnly || device.zone != Device().zone;
}

std::u16string sectionCaption(const Section& section)
{
    return u"Секция " + number(section.address) + u" — " +
           readable(config_zelmar::shownPultName(section).text);
}

void addSectionTable(Chapter& chapter, const Configuration& configuration, int key, const Section& section,
                     bool changesOnly, std::size_t& leftOut)
{
    const bool central = configuration.pultType();
    Table table{central ? sectionCaption(section) : u"", device_cells::columns(central), {}, true};
    for (const auto& [address, device] : section.devices) {
        if (listed(configuration, device, changesOnly)) {
            table.rows.push_back(device_cells::cells(configuration, device, key));
        } else if (device.names == nullptr && !central) {
            ++leftOut;
        }
    }
    if (!table.rows.empty()) {
        chapter.tables.push_back(std::move(table));
    }
}

} // namespace

Chapter consoles(const Configuration& configuration)
{
    Chapter chapter{u"Секционные пульты", {}, {}};
    Table table{u"", {{u"Адрес", true}, {u"Группа", true}, {u"Название"}, {u"Дублёр"}}, {}};
    for (const auto& [address, section] : configuration.sections) {
        if (address == 0) {
            continue;
        }
        const ShownName dubler = config_zelmar::shownDublerName(section);
        table.rows.push_back({{number(address)},
                              {Section::groupName(section.group)},
                              nameCell(config_zelmar::shownPultName(section)),
                              section.dubler ? nameCell(dubler) : Cell{u"нет"}});
    }
    if (table.rows.empty()) {
        chapter.notes.push_back(u"Секционные пульты не добавлены.");
    } else {
        chapter.tables.push_back(std::move(table));
    }
    return chapter;
}

Chapter devices(const Configuration& configuration, bool changesOnly)
{
    const bool central = configuration.pultType();
    Chapter chapter{central ? u"Названия приборов" : u"Приборы", {}, {}};
    std::size_t leftOut = 0;
    for (const auto& [key, section] : configuration.sections) {
        if (central == (key != 0)) {
            addSectionTable(chapter, configuration, key, section, changesOnly, leftOut);
        }
    }
    if (leftOut > 0) {
        chapter.notes.push_back(u"Приборы с названиями по умолчанию не показаны: " +
                                number(static_cast<long long>(leftOut)) + u".");
    }
    if (chapter.tables.empty() && leftOut == 0) {
        chapter.notes.push_back(central ? u"Нет приборов с собственными названиями."
                                        : u"Приборы не добавлены.");
    }
    return chapter;
}

} // namespace report::chapters
