#include "report/ContentText.h"

#include <config_zelmar/LCDCharset.h>

#include <QString>

namespace report::content_text {

std::u16string fromUtf8(const std::string& text)
{
    return QString::fromStdString(text).toStdU16String();
}

std::u16string number(long long value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string readable(const std::u16string& name)
{
    return config_zelmar::lcdReadable(name);
}

std::u16string yesNo(bool value)
{
    return value ? u"да" : u"нет";
}

} // namespace report::content_text
