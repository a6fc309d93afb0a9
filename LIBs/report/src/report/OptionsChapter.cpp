// The general and interface options in words, as the options pages name them.
#include "report/Chapters.h"
#include "report/ContentText.h"

#include <config_zelmar/Configuration.h>
#include <config_zelmar/ZummerOptions.h>

#include <cstdio>

using config_zelmar::Configuration;

namespace report::chapters {

namespace {

using content_text::number;

struct OptionLine
{
    std::u16string label;
    std::u16string value;
    bool essential = false; // shown even at its default: the rest of the report depends on it
};

std::u16string seconds(long long value)
{
    return number(value) + u" с";
}

// Eighths of a second as seconds with a decimal comma: 32 is "4 с", 33 is "4,125 с".
std::u16string eighthsOfSecond(int eighths)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", eighths / 8.0);
    std::string digits = text;
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.back() == '.') {
        digits.pop_back();
    }
    std::u16string value(digits.begin(), digits.end());
    for (char16_t& c : value) {
        c = c == u'.' ? u',' : c;
    }
    return value + u" с";
}

std::u16string hourText(int hour)
{
    return (hour < 10 ? u"0" : u"") + number(hour) + u":00";
}

std::u16string clockSyncText(int hour)
{
    // Any hour outside the day (255 is what the panel stores) means no synchronisation.
    return hour >= 0 && hour <= 23 ? u"ежедневно в " + hourText(hour) : u"не выполняется";
}

std::u16string backlightLevelText(int level)
{
    return level == 0 ? u"выкл." : number(level);
}

std::u16string soundedEventsText(unsigned mask)
{
    std::u16string text;
    for (const auto& event : config_zelmar::zummer::soundedEvents) {
        if ((mask & event.bit) != 0) {
            text += (text.empty() ? u"" : u", ") + std::u16string(event.label);
        }
    }
    return text.empty() ? u"выключен" : text;
}

std::vector<OptionLine> generalLines(const Configuration& c)
{
    std::vector<OptionLine> lines{
        {u"Тип пульта", c.pultType() ? u"центральный" : u"секционный", true},
        {u"Адрес пульта", number(c.pultAddress)},
        {u"Напряжение питания", c.voltage ? u"24 В" : u"12 В"},
        // Only whether a password is set: the password itself never goes on paper.
        {u"Пароль", c.hasPassword ? u"установлен" : u"не установлен"},
    };
    if (c.pultType()) {
        lines.push_back({u"Синхронизация часов", clockSyncText(c.clockSyncHour)});
        lines.push_back({u"Тип сброса", c.individualReset ? u"Отдельный сброс секций"
                                                          : u"Общий сброс при сбросе любой секции"});
    }
    return lines;
}

std::vector<OptionLine> interfaceLines(const Configuration& c)
{
    const bool remoteOff = (c.zummerConfig & config_zelmar::zummer::remoteOffBit) != 0;
    return {
        {u"Яркость подсветки экрана", backlightLevelText(c.backlightLevel)},
        {u"Время включения подсветки", seconds(c.backlightTime)},
        {u"Время показа сообщений", eighthsOfSecond(c.messageTime)},
        {u"Время автоматической блокировки меню", c.menuTime == 0 ? u"выкл." : seconds(c.menuTime)},
        {u"Зуммер", soundedEventsText(c.zummerConfig)},
        {config_zelmar::zummer::remoteOffLabel(c.pultType()), content_text::yesNo(remoteOff)},
    };
}

// The lines as a table; a line whose value is the one a new configuration has is a default value.
Table optionTable(const std::u16string& caption, const std::vector<OptionLine>& lines,
                  const std::vector<OptionLine>& defaults, bool changesOnly)
{
    Table table{caption, {{u"Параметр"}, {u"Значение"}}, {}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool isDefault = i < defaults.size() && lines[i].value == defaults[i].value;
        if (changesOnly && isDefault && !lines[i].essential) {
            continue;
        }
        table.rows.push_back(
            {{lines[i].label}, {lines[i].value, isDefault ? CellStyle::defaultValue : CellStyle::plain}});
    }
    return table;
}

} // namespace

Chapter options(const Configuration& configuration, bool changesOnly)
{
    Configuration defaults;
    defaults.setPultType(configuration.pultType());
    // The first chapter after the problems explains the italics for the whole report.
    Chapter chapter{u"Параметры прибора", {defaultsNote}, {}};
    for (Table table :
         {optionTable(u"Общие настройки", generalLines(configuration), generalLines(defaults), changesOnly),
          optionTable(u"Интерфейс", interfaceLines(configuration), interfaceLines(defaults), changesOnly)}) {
        if (!table.rows.empty()) {
            chapter.tables.push_back(std::move(table));
        }
    }
    if (changesOnly && chapter.tables.size() == 1 && chapter.tables.front().rows.size() == 1) {
        chapter.notes.push_back(u"Остальные параметры имеют значения по умолчанию.");
    }
    return chapter;
}

} // namespace report::chapters
