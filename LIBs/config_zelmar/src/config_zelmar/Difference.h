#pragma once

#include "config_zelmar/PathStep.h"
#include "config_zelmar/Value.h"

#include <string>

namespace config_zelmar {

// One difference between two configurations. A whole section, device, set of device names, event table
// or command that only one side has is one difference, with null on the missing side and an object of
// its fields on the other.
struct Difference
{
    Path path;
    Value oldValue;
    Value newValue;
    // The object and field as the technician sees them: "Секция 3, прибор 17, шлейф 1".
    std::string subject;
    // Both values as the technician reads them: "«Дымовые»", "24 В"; for a whole entity a noun phrase
    // such as "прибор «Дверь»"; empty on the missing side.
    std::string oldText;
    std::string newText;
    // The one Russian line: "Секция 3, прибор 17, шлейф 1: «Дымовые» → «Ручные»".
    std::string line;
};

} // namespace config_zelmar
