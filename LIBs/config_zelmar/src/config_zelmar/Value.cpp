#include "config_zelmar/Value.h"

#include "config_zelmar/TextConversion.h"

#include <cstdio>

namespace config_zelmar {

Value Value::of(bool flag)
{
    Value value;
    value.type = Kind::boolean;
    value.flag = flag;
    return value;
}

Value Value::of(int64_t number)
{
    Value value;
    value.type = Kind::integer;
    value.number = number;
    return value;
}

Value Value::of(std::string text)
{
    Value value;
    value.type = Kind::string;
    value.text = std::move(text);
    return value;
}

Value Value::of(const std::u16string& text)
{
    return of(toUtf8(text));
}

Value Value::object()
{
    Value value;
    value.type = Kind::object;
    return value;
}

Value& Value::with(std::string name, Value value)
{
    if (type == Kind::object) {
        names.push_back(std::move(name));
        values.push_back(std::move(value));
    }
    return *this;
}

std::string Value::toJson() const
{
    switch (type) {
    case Kind::null:
        return "null";
    case Kind::boolean:
        return flag ? "true" : "false";
    case Kind::integer:
        return std::to_string(number);
    case Kind::string:
        return jsonString(text);
    case Kind::object:
        break;
    }
    std::string json = "{";
    for (std::size_t i = 0; i < names.size(); ++i) {
        json += (i == 0 ? "" : ", ") + jsonString(names[i]) + ": " + values[i].toJson();
    }
    return json + "}";
}

bool operator==(const Value& a, const Value& b)
{
    return a.type == b.type && a.flag == b.flag && a.number == b.number && a.text == b.text &&
           a.names == b.names && a.values == b.values;
}

std::string jsonString(const std::string& text)
{
    std::string json = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (c == '\n') {
            json += "\\n";
        } else if (c == '\t') {
            json += "\\t";
        } else if (c == '\r') {
            json += "\\r";
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            json += escaped;
        } else {
            json += c; // UTF-8 passes through
        }
    }
    return json + "\"";
}

} // namespace config_zelmar
