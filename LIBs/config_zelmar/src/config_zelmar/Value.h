#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace config_zelmar {

// A JSON-like value of a configuration item: null, a boolean, an integer, a UTF-8 string, or an object
// of named fields kept in the order they were added. Differences and problems carry their values in it,
// and the command-line tool prints it as JSON.
class Value
{
public:
    enum class Kind
    {
        null,
        boolean,
        integer,
        string,
        object
    };

    Value() = default; // null
    static Value of(bool flag);
    static Value of(int64_t number);
    static Value of(std::string text);
    static Value of(const std::u16string& text);
    static Value object();

    // Appends a field to an object; ignored on any other kind.
    Value& with(std::string name, Value value);

    Kind kind() const { return type; }
    bool isNull() const { return type == Kind::null; }
    bool boolean() const { return flag; }
    int64_t integer() const { return number; }
    const std::string& string() const { return text; }
    const std::vector<std::string>& fieldNames() const { return names; }
    const std::vector<Value>& fieldValues() const { return values; }

    std::string toJson() const;

    friend bool operator==(const Value& a, const Value& b);
    friend bool operator!=(const Value& a, const Value& b) { return !(a == b); }

private:
    Kind type = Kind::null;
    bool flag = false;
    int64_t number = 0;
    std::string text;
    std::vector<std::string> names;
    std::vector<Value> values;
};

// A JSON string literal of UTF-8 text, quotes included.
std::string jsonString(const std::string& text);

} // namespace config_zelmar
