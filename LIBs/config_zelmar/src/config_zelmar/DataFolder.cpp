#include "config_zelmar/DataFolder.h"

#include <cstdlib>

namespace config_zelmar {

namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

} // namespace

std::string defaultDataFolder()
{
    const std::string dataHome = environment("XDG_DATA_HOME");
    if (!dataHome.empty() && dataHome.front() == '/') {
        return dataHome + "/zelmar-configurator";
    }
    const std::string home = environment("HOME");
    return home.empty() ? std::string() : home + "/.local/share/zelmar-configurator";
}

} // namespace config_zelmar
