#include "config_zelmar/DifferenceTexts.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/TextConversion.h"

#include <array>
#include <cstdio>

namespace config_zelmar::difference_texts {

namespace {

struct Labelled
{
    const char* key;
    const char* label;
};

constexpr std::array<Labelled, 11> optionLabels{{
    {"backlightLevel", "Яркость подсветки экрана"},
    {"backlightTime", "Время включения подсветки"},
    {"messageTime", "Время показа сообщений"},
    {"menuTime", "Время автоматической блокировки меню"},
    {"clockSyncHour", "Время синхронизации часов"},
    {"zummerConfig", "Зуммер"},
    {"password", "Пароль"},
    {"pultType", "Тип пульта"},
    {"voltage", "Напряжение питания"},
    {"individualReset", "Тип сброса"},
    {"pultAddress", "Адрес пульта"},
}};

constexpr std::array<Labelled, 4> sectionLabels{{
    {"name", "название"},
    {"dublerName", "название дублёра"},
    {"group", "группа"},
    {"dubler", "пульт-дублёр"},
}};

constexpr std::array<Labelled, 9> deviceLabels{{
    {"zone", "зона"},
    {"names", "названия"},
    {"eventTable", "названия событий"},
    {"deviceName", "название прибора"},
    {"outsName", "выходы с контролем"},
    {"loop1Name", "шлейф 1"},
    {"loop2Name", "шлейф 2"},
    {"line3Name", "линия сигнализации 3"},
    {"line4Name", "линия сигнализации 4"},
}};

// The event table dialog's groups and labels, in slot order.
constexpr std::array<const char*, Event::count> eventLabels{{
    "шлейф 1, норма",        "шлейф 1, неисправность", "шлейф 1, внимание", "шлейф 1, пожар",
    "шлейф 1, блокировка",   "шлейф 1, включение",     "шлейф 1, отключён", "шлейф 1, сработал",
    "шлейф 2, норма",        "шлейф 2, неисправность", "шлейф 2, внимание", "шлейф 2, пожар",
    "шлейф 2, блокировка",   "шлейф 2, включение",     "шлейф 2, отключён", "шлейф 2, сработал",
    "л.с. 3, норма",         "л.с. 3, неисправность",  "л.с. 3, сработала", "л.с. 4, норма",
    "л.с. 4, неисправность", "л.с. 4, сработала",      "прибор, вскрытие",  "выходы, неисправность",
}};

template <std::size_t N> std::string labelOf(const std::array<Labelled, N>& labels, const std::string& key)
{
    for (const Labelled& entry : labels) {
        if (key == entry.key) {
            return entry.label;
        }
    }
    return key;
}

std::string seconds(int64_t value)
{
    return std::to_string(value) + " с";
}

std::string offOr(int64_t value, const std::string& text)
{
    return value == 0 ? "выкл." : text;
}

std::string eighthsAsSeconds(int64_t eighths)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g с", static_cast<double>(eighths) / 8.0);
    return text;
}

std::string hourText(int64_t hour)
{
    if (hour < 0 || hour > panel_description::lastClockSyncHour) {
        return "не выполняется";
    }
    char text[8];
    std::snprintf(text, sizeof text, "%02d:00", static_cast<int>(hour));
    return text;
}

std::string hexByte(int64_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(value & 0xFF));
    return text;
}

} // namespace

std::string sectionSubject(int section)
{
    return "Секция " + std::to_string(section);
}

std::string deviceSubject(bool central, int section, int address)
{
    if (!central) {
        return "Прибор " + std::to_string(address);
    }
    return sectionSubject(section) + ", прибор " + std::to_string(address);
}

std::string tableSubject(const EventTable* table, int index)
{
    std::string subject = "Таблица событий " + std::to_string(index);
    if (index == 0) {
        return subject + " «По умолчанию»";
    }
    if (table != nullptr && !table->name.empty()) {
        subject += " " + quotedText(table->name);
    }
    return subject;
}

std::string commandSubject(const Command* command, int index)
{
    std::string subject = "Команда " + std::to_string(index + 1);
    if (command != nullptr && !command->name.empty()) {
        subject += " " + quotedText(command->name);
    }
    return subject;
}

std::string optionLabel(const std::string& key)
{
    return labelOf(optionLabels, key);
}

std::string sectionFieldLabel(const std::string& key)
{
    return labelOf(sectionLabels, key);
}

std::string deviceFieldLabel(const std::string& key)
{
    return labelOf(deviceLabels, key);
}

std::string eventLabel(std::size_t slot)
{
    return slot < eventLabels.size() ? eventLabels[slot] : std::to_string(slot);
}

std::string quotedName(const std::u16string& name)
{
    return name.empty() ? "по умолчанию" : quotedText(name);
}

std::string quotedText(const std::u16string& text)
{
    return quotedText(toUtf8(text));
}

std::string quotedText(const std::string& text)
{
    return "«" + text + "»";
}

std::string yesNo(bool flag)
{
    return flag ? "да" : "нет";
}

std::string optionValueText(const std::string& key, int64_t value)
{
    if (key == "backlightLevel") {
        return offOr(value, std::to_string(value));
    }
    if (key == "backlightTime") {
        return seconds(value);
    }
    if (key == "messageTime") {
        return eighthsAsSeconds(value);
    }
    if (key == "menuTime") {
        return offOr(value, seconds(value));
    }
    if (key == "clockSyncHour") {
        return hourText(value);
    }
    if (key == "zummerConfig") {
        return hexByte(value);
    }
    if (key == "voltage") {
        return std::to_string(value) + " В";
    }
    return std::to_string(value);
}

std::string groupText(int64_t group)
{
    if (group >= panel_description::firstGroup && group <= panel_description::lastGroup) {
        return std::string(1, static_cast<char>('A' + group - 1));
    }
    return std::to_string(group);
}

std::string tableReferenceText(const Configuration& configuration, uint32_t index)
{
    if (index == 0) {
        return "«По умолчанию»";
    }
    if (index < configuration.eventTables.size() && !configuration.eventTables[index].name.empty()) {
        return quotedText(configuration.eventTables[index].name);
    }
    return "таблица " + std::to_string(index);
}

std::string hexBytes(const Command& command)
{
    std::string text;
    for (std::size_t i = 0; i < panel_description::commandDataBytes; ++i) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X", i < command.data.size() ? command.data[i] : 0U);
        text += digits;
    }
    return text;
}

} // namespace config_zelmar::difference_texts
