#pragma once

#include <cstdint>
#include <string>

namespace config_zelmar {

class Command;
class Configuration;
class EventTable;

// How the technician sees the objects, fields and values of a configuration, in Russian (UTF-8): the
// subjects and values of the lines of a comparison and of the messages of the checks.
namespace difference_texts {

// "Секция 3" on a central console; the section console's own section is "Секция 0".
std::string sectionSubject(int section);
// "Секция 3, прибор 17" on a central console, "Прибор 17" on a section console.
std::string deviceSubject(bool central, int section, int address);
// "Таблица событий 2 «Двери»"; table 0 is "Таблица событий 0 «По умолчанию»".
std::string tableSubject(const EventTable* table, int index);
// "Команда 3 «Сброс»", numbered from 1 as the commands page lists them.
std::string commandSubject(const Command* command, int index);

// "Яркость подсветки экрана" for "backlightLevel", the XML key itself for an unknown one.
std::string optionLabel(const std::string& key);
// A section's field: "название", "название дублёра", "группа", "пульт-дублёр".
std::string sectionFieldLabel(const std::string& key);
// A device's field: "зона", "название прибора", "шлейф 1", "названия событий", ...
std::string deviceFieldLabel(const std::string& key);
// An event of a table: "шлейф 1, пожар".
std::string eventLabel(std::size_t slot);

// «text», or "по умолчанию" for an empty name (the default name applies).
std::string quotedName(const std::u16string& name);
std::string quotedText(const std::u16string& text);
std::string quotedText(const std::string& text);
std::string yesNo(bool flag);

// An option's value as the options pages show it: "24 В", "02:00", "выкл.", "4 с", ...
std::string optionValueText(const std::string& key, int64_t value);
// The group letter as the consoles page shows it: "A".."G", or the number when it has no letter.
std::string groupText(int64_t group);
// The name of the event table at the position in the configuration, or its number.
std::string tableReferenceText(const Configuration& configuration, uint32_t index);
// The 8 data bytes as 16 upper-case hex digits.
std::string hexBytes(const Command& command);

} // namespace difference_texts

} // namespace config_zelmar
