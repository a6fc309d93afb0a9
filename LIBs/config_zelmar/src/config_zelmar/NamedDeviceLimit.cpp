#include "config_zelmar/NamedDeviceLimit.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/PanelDescription.h"

namespace config_zelmar {

int namedDeviceLimit(const Configuration& configuration)
{
    namespace facts = panel_description;
    if (!configuration.pultType()) {
        return facts::deviceCount;
    }
    std::size_t consoleBytes = 0;
    for (const auto& [key, section] : configuration.sections) {
        if (!section.name.empty()) {
            consoleBytes += section.dubler ? facts::consoleWithDublerRecordSize : facts::consoleRecordSize;
        }
    }
    if (consoleBytes >= facts::namedDeviceBudget) {
        return 0;
    }
    return static_cast<int>((facts::namedDeviceBudget - consoleBytes) / facts::deviceRecordSize);
}

} // namespace config_zelmar
