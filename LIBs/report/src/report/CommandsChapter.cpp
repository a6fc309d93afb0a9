// The control commands with what each does, in words.
#include "report/Chapters.h"
#include "report/ContentText.h"

#include <config_zelmar/Configuration.h>

using config_zelmar::Command;

namespace report::chapters {

Chapter commands(const config_zelmar::Configuration& configuration)
{
    Chapter chapter{u"Команды", {}, {}};
    Table table{u"", {{u"№", true}, {u"Название"}, {u"Действие"}}, {}};
    for (std::size_t i = 0; i < configuration.commands.size(); ++i) {
        const Command& command = configuration.commands[i];
        const Cell name = command.name == Command::continuationName
                              ? Cell{u"отправляется после предыдущей", CellStyle::defaultValue}
                              : Cell{content_text::readable(command.name)};
        table.rows.push_back(
            {{content_text::number(static_cast<long long>(i + 1))}, name, {command.description(false)}});
    }
    if (table.rows.empty()) {
        chapter.notes.push_back(u"Команды не добавлены.");
    } else {
        chapter.tables.push_back(std::move(table));
    }
    return chapter;
}

} // namespace report::chapters
