#include "config_zelmar/PathStep.h"

#include "config_zelmar/Value.h"

namespace config_zelmar {

std::string PathStep::toJson() const
{
    return isIndex ? std::to_string(index) : jsonString(key);
}

bool operator==(const PathStep& a, const PathStep& b)
{
    return a.isIndex == b.isIndex && (a.isIndex ? a.index == b.index : a.key == b.key);
}

bool operator!=(const PathStep& a, const PathStep& b)
{
    return !(a == b);
}

std::string pathToJson(const Path& path)
{
    std::string json = "[";
    for (std::size_t i = 0; i < path.size(); ++i) {
        json += (i == 0 ? "" : ", ") + path[i].toJson();
    }
    return json + "]";
}

} // namespace config_zelmar
