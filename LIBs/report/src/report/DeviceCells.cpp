#include "report/DeviceCells.h"

#include "report/ContentText.h"

#include <config_zelmar/Configuration.h>

namespace report::device_cells {

using content_text::readable;

Cell nameCell(const config_zelmar::ShownName& name)
{
    return {readable(name.text), name.isDefault ? CellStyle::defaultValue : CellStyle::plain};
}

std::vector<Column> columns(bool central)
{
    std::vector<Column> shown{{u"Адрес", true}};
    if (!central) {
        shown.push_back({u"Зона", true});
    }
    for (const char16_t* header : {u"Прибор", u"Выходы", u"Шлейф 1", u"Шлейф 2", u"ЛС 3", u"ЛС 4"}) {
        shown.push_back({header});
    }
    shown.push_back({u"События"});
    return shown;
}

std::vector<Cell> cells(const config_zelmar::Configuration& configuration,
                        const config_zelmar::Device& device, int section)
{
    const bool central = configuration.pultType();
    std::vector<Cell> row{{content_text::number(device.address)}};
    if (!central) {
        row.push_back({content_text::number(device.zone)});
    }
    for (const config_zelmar::ShownName& name :
         config_zelmar::shownDeviceNames(device, central ? section : 0)) {
        row.push_back(nameCell(name));
    }
    const std::u16string table = config_zelmar::shownEventTableName(configuration, device);
    const bool defaultTable = table == config_zelmar::defaultEventTableCaption;
    row.push_back({readable(table), defaultTable ? CellStyle::defaultValue : CellStyle::plain});
    return row;
}

bool keptByPanel(const config_zelmar::Configuration& configuration, const config_zelmar::Device& device)
{
    return !configuration.pultType() || device.names != nullptr;
}

} // namespace report::device_cells
