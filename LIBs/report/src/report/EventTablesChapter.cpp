// The event tables other than the default one, slot by slot, with what differs from the default marked.
#include "report/Chapters.h"
#include "report/ContentText.h"

#include <config_zelmar/Configuration.h>

#include <array>

using config_zelmar::Configuration;
using config_zelmar::Event;
using config_zelmar::EventTable;

namespace report::chapters {

namespace {

using content_text::number;
using content_text::readable;

struct SlotLabel
{
    const char16_t* input;
    const char16_t* event;
};

// The groups and labels of the table dialog, slot by slot.
constexpr std::array<SlotLabel, Event::count> slotLabels{{
    {u"Шлейф 1", u"Норма"},         {u"Шлейф 1", u"Неисправность"}, {u"Шлейф 1", u"Внимание"},
    {u"Шлейф 1", u"Пожар"},         {u"Шлейф 1", u"Блокировка"},    {u"Шлейф 1", u"Включение"},
    {u"Шлейф 1", u"Отключён"},      {u"Шлейф 1", u"Сработал"},      {u"Шлейф 2", u"Норма"},
    {u"Шлейф 2", u"Неисправность"}, {u"Шлейф 2", u"Внимание"},      {u"Шлейф 2", u"Пожар"},
    {u"Шлейф 2", u"Блокировка"},    {u"Шлейф 2", u"Включение"},     {u"Шлейф 2", u"Отключён"},
    {u"Шлейф 2", u"Сработал"},      {u"Л.с. 3", u"Норма"},          {u"Л.с. 3", u"Неисправность"},
    {u"Л.с. 3", u"Сработала"},      {u"Л.с. 4", u"Норма"},          {u"Л.с. 4", u"Неисправность"},
    {u"Л.с. 4", u"Сработала"},      {u"Прибор", u"Вскрытие"},       {u"Выходы с контролем", u"Неисправность"},
}};

bool holdsDefaultEvents(const EventTable& table)
{
    return table.texts == Configuration::defaultEventTable.texts &&
           table.emergency == Configuration::defaultEventTable.emergency;
}

Cell markedCell(const std::u16string& text, bool differs)
{
    return {text, differs ? CellStyle::differs : CellStyle::plain};
}

Table slotTable(const EventTable& table, int index)
{
    const EventTable& defaults = Configuration::defaultEventTable;
    Table shown{u"Таблица " + number(index) + u" «" + readable(table.name) + u"»",
                {{u"Вход"}, {u"Событие"}, {u"Текст"}, {u"Экстренное", true}},
                {}};
    for (std::size_t slot = 0; slot < Event::count; ++slot) {
        shown.rows.push_back(
            {{slotLabels[slot].input},
             {slotLabels[slot].event},
             markedCell(readable(table.texts[slot]), table.texts[slot] != defaults.texts[slot]),
             markedCell(content_text::yesNo(table.emergency[slot]),
                        table.emergency[slot] != defaults.emergency[slot])});
    }
    return shown;
}

} // namespace

Chapter eventTables(const Configuration& configuration, bool changesOnly)
{
    Chapter chapter{u"Таблицы названий событий", {}, {}};
    for (std::size_t index = 1; index < configuration.eventTables.size(); ++index) {
        const EventTable& table = configuration.eventTables[index];
        if (changesOnly && holdsDefaultEvents(table)) {
            continue;
        }
        chapter.tables.push_back(slotTable(table, int(index)));
    }
    if (chapter.tables.empty()) {
        chapter.notes.push_back(u"Все приборы используют таблицу по умолчанию.");
    } else {
        chapter.notes.push_back(u"Отмечены тексты и признаки, отличающиеся от таблицы по умолчанию.");
    }
    return chapter;
}

} // namespace report::chapters
