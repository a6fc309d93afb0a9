#pragma once

#include <string>
#include <vector>

namespace config_zelmar {

// One step of the path to a configuration item: a field name (an XML key) or an address or position.
// In JSON a name is a string and an address or position an integer.
struct PathStep
{
    PathStep(const char* name) : key(name) {}
    PathStep(std::string name) : key(std::move(name)) {}
    PathStep(int number) : index(number), isIndex(true) {}

    std::string key;
    int index = 0;
    bool isIndex = false;

    std::string toJson() const;
};

bool operator==(const PathStep& a, const PathStep& b);
bool operator!=(const PathStep& a, const PathStep& b);

// ["options", "backlightLevel"], ["sections", 3, "devices", 17, "names", "loop1Name"], ...
using Path = std::vector<PathStep>;

std::string pathToJson(const Path& path);

} // namespace config_zelmar
